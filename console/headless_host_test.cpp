#include <chrono>
#include <thread>

#include "console/console_events.h"
#include "console/console_test_fixture.h"
#include "console/screen_dump.h"

namespace {

using namespace console_testing;
using testing_support::ReadFile;
using testing_support::ScopedEnv;
using testing_support::WriteFile;

class HeadlessHostTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    // The child must see this fixture's files: forked, not run anew.
    GTEST_FLAG_SET(death_test_style, "fast");
  }
  std::string Script(const std::string& text) {
    WriteFile(dir_.File("teclas.txt"), text);
    return dir_.File("teclas.txt");
  }
  std::string Dump() const { return dir_.File("tela.txt"); }

  testing_support::TempDir dir_;
  ScopedEnv headless_{"RELEVIX_CONSOLE", "headless"};
  ScopedEnv noKeys_{"RELEVIX_KEYS", nullptr};
};

// The 25 lines of a dump whose first lines are given.
std::string Screen(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t row = 0; row < 25; ++row) text += (row < lines.size() ? lines[row] : "") + "\n";
  return text;
}

// A small program: a prompt, a line read, a key, and the orderly end.
void AskAndEcho() {
  BindConsoleWindow();
  WriteToConsole("Nome do arquivo: ");
  const std::string name = ReadConsoleLine();
  WriteToConsole("Lido: " + name.substr(0, name.size() - 2) + "\r\n");
  const int key = ReadKey();
  WriteToConsole("Tecla " + std::to_string(key) + (key == 0 ? " " + std::to_string(ReadKey()) : "") + "\r\n");
  EndConsoleProgram(0);
}

TEST_F(HeadlessHostTest, AScriptedRunLeavesItsScreenInTheDump) {
  ScopedEnv keys("RELEVIX_KEYS", Script("\"a\xC3\xA7\xC3\xA3o.txz\" BACKSPACE \"t\" ENTER\nWAIT 30 F9\n").c_str());
  ScopedEnv dump("RELEVIX_SCREEN_DUMP", Dump().c_str());
  EXPECT_EXIT(AskAndEcho(), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(Dump()), Screen({"Nome do arquivo: a\xC3\xA7\xC3\xA3o.txt", "Lido: a\xC3\xA7\xC3\xA3o.txt",
                                      "Tecla 0 67"}));
}

TEST_F(HeadlessHostTest, WhenTheScriptRunsOutTheWindowIsClosed) {
  ScopedEnv keys("RELEVIX_KEYS", Script("\"abc\"").c_str());
  ScopedEnv dump("RELEVIX_SCREEN_DUMP", Dump().c_str());
  EXPECT_EXIT(AskAndEcho(), ::testing::ExitedWithCode(0), "Roteiro de teclas esgotado");
  EXPECT_EQ(ReadFile(Dump()), Screen({"Nome do arquivo: abc"}));
}

TEST_F(HeadlessHostTest, CloseInTheScriptEndsTheProgramInOrder) {
  // The window is closed while "x" is still queued.
  ScopedEnv keys("RELEVIX_KEYS", Script("\"x\" CLOSE").c_str());
  ScopedEnv dump("RELEVIX_SCREEN_DUMP", Dump().c_str());
  EXPECT_EXIT(
      {
        SetEndOfProgramHook([] { std::fprintf(stderr, "fim com %d teclas\n", keyQueue.count); });
        AskAndEcho();
      },
      ::testing::ExitedWithCode(0), "fim com 1 teclas");
  EXPECT_EQ(ReadFile(Dump()), Screen({"Nome do arquivo:"}));
}

TEST_F(HeadlessHostTest, ABadScriptStopsTheProgramWithItsReason) {
  ScopedEnv keys("RELEVIX_KEYS", Script("ENTER\nCTRL+").c_str());
  EXPECT_EXIT(AskAndEcho(), ::testing::ExitedWithCode(69), "linha 2: tecla desconhecida: CTRL\\+");
  ScopedEnv missing("RELEVIX_KEYS", dir_.File("nada.txt").c_str());
  EXPECT_EXIT(AskAndEcho(), ::testing::ExitedWithCode(69),
              "^RELEVIX_KEYS: o roteiro de teclas n\xC3\xA3o p\xC3\xB4" "de ser lido\\.\n$");
  ScopedEnv unknown("RELEVIX_CONSOLE", "vt100");
  EXPECT_EXIT(AskAndEcho(), ::testing::ExitedWithCode(69),
              "^RELEVIX_CONSOLE=vt100 n\xC3\xA3o \xC3\xA9 um console conhecido: use sdl ou headless\\.\n$");
}

TEST_F(HeadlessHostTest, ADumpThatCannotBeWrittenIsSaid) {
  ScopedEnv keys("RELEVIX_KEYS", Script("\"a\" ENTER X").c_str());
  ScopedEnv dump("RELEVIX_SCREEN_DUMP", dir_.File("nenhuma/tela.txt").c_str());
  EXPECT_EXIT(AskAndEcho(), ::testing::ExitedWithCode(0),
              "^RELEVIX_SCREEN_DUMP: o arquivo n\xC3\xA3o p\xC3\xB4" "de ser escrito\\.\n$");
}

// A host that tells on standard error what it is asked at the program's
// end.
class TellingHost : public RecordingHost {
 public:
  using RecordingHost::RecordingHost;
  void SetTitle(std::string_view title) override { std::fprintf(stderr, "[%s]", std::string(title).c_str()); }
  void ServeUntilClosed() override {
    std::fprintf(stderr, "{ctrl+break %s}", consoleWindow.ctrlBreakHandling ? "on" : "off");
  }
};

TEST_F(HeadlessHostTest, EndingWithoutEndConsoleProgramLeavesTheWindowTitledProgramaTerminado) {
  ScopedEnv dump("RELEVIX_SCREEN_DUMP", Dump().c_str());
  EXPECT_EXIT(
      {
        BindConsoleWindow();
        UseConsoleHost(std::make_unique<TellingHost>(drawings_));
        WriteToConsole("fim");
        std::exit(5);
      },
      ::testing::ExitedWithCode(5), "\\[Programa terminado\\]\\{ctrl\\+break off\\}");
  EXPECT_EQ(ReadFile(Dump()), Screen({"fim"}));
}

TEST_F(HeadlessHostTest, ClipboardKeepsWindows1252TextAndPasteRespectsTheCapacity) {
  BindConsoleWindow();
  std::string buffer = "antes";
  PasteTextFromClipboard(buffer, 10);
  EXPECT_EQ(buffer, "");  // nothing on the clipboard: empty
  CopyTextToClipboard(std::string("Ol\xE1\0resto", 9));
  buffer = "antes";
  PasteTextFromClipboard(buffer, 0);
  EXPECT_EQ(buffer, "antes");
  PasteTextFromClipboard(buffer, 1);
  EXPECT_EQ(buffer, "");
  PasteTextFromClipboard(buffer, 3);
  EXPECT_EQ(buffer, "Ol");
  PasteTextFromClipboard(buffer, 100);
  EXPECT_EQ(buffer, "Ol\xE1");
}

std::vector<std::string> events;
std::thread::id mainThread;
void RecordAudioDone(int slot) {
  events.push_back("audio " + std::to_string(slot) + (std::this_thread::get_id() == mainThread ? " main" : " other"));
}

TEST_F(HeadlessHostTest, AudioReportsFromAnotherThreadAreHandledOnTheMainThreadDuringAWait) {
  ScopedEnv keys("RELEVIX_KEYS", Script("WAIT 300 ESC").c_str());
  events.clear();
  mainThread = std::this_thread::get_id();
  SetAudioDoneHandler(RecordAudioDone);
  BindConsoleWindow();
  EXPECT_FALSE(KeyPressed());
  std::thread player([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostAudioDone(3);
  });
  const auto start = std::chrono::steady_clock::now();
  const int key = ReadKey();
  events.push_back("key " + std::to_string(key));
  player.join();
  SetAudioDoneHandler(nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"audio 3 main", "key 27"}));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
}

TEST_F(HeadlessHostTest, TheScreenTextDropsTrailingBlanksAndShowsUtf8) {
  BindConsoleWindow();
  WriteToConsole("  \xC9 isso   \r\n\r\n\x80 ok");
  const std::string text = ScreenText();
  EXPECT_EQ(text, Screen({"  \xC3\x89 isso", "", "\xE2\x82\xAC ok"}));
}

}  // namespace
