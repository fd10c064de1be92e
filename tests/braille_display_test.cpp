// The talking program and the preview on a Braille display: a real BRLTTY
// with its virtual driver, the test acting as a 40-cell display (reading
// every frame, pressing its keys), and the program reaching it through
// BrlAPI as it would on a user's machine.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/cli_run.h"
#include "tests/relevix_run.h"
#include "tests/support/test_support.h"
#include "tests/virtual_braille_display.h"

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

// The program waits for the display's keys; the script only keeps it from
// ending for want of keys (a script with nothing left to press closes the
// window), and gives up after half a minute.
const std::string kWaitForTheDisplay = "WAIT 30000 ESC";
const std::string kQuestion = "Assumo valores padrão (s/n) ?";
const std::string kConfirmation = "ENTER continua, ESC cancela";

// A window of the 40-cell display: the text padded with blanks.
std::string Window(const std::string& text) {
  // Count characters, not bytes: the text is UTF-8.
  const auto characters = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
  return text + std::string(static_cast<std::size_t>(40 - characters), ' ');
}

int LinesHolding(const std::string& output, const std::string& words) {
  int count = 0;
  for (std::size_t at = output.find(words); at != std::string::npos; at = output.find(words, at + 1)) ++count;
  return count;
}

// relevix printing a short text, run in the background with BRLTTY and the
// test's display; the test answers it from the display.
class DialogueOnDisplay {
 public:
  explicit DialogueOnDisplay(const std::string& relevixSection = "") : program(relevixSection) {
    WriteFile(program.File("texto.txt"), "Era uma vez.\n");
  }
  // A test that failed half-way waits for the program to give up.
  ~DialogueOnDisplay() {
    if (user_.joinable()) user_.join();
  }

  // Starts BRLTTY and the program; the index of the frame showing the
  // defaults question, or -1.
  int StartToTheQuestion() {
    if (!display.Start()) return -1;
    user_ = std::thread([this] { run_ = program.Run("texto.txt", kWaitForTheDisplay, display.Environment()); });
    return display.WaitForText(kQuestion);
  }
  // ENTER at the confirmation shown after the frame of index after; the
  // program's run once it has ended.
  const RelevixRun& ConfirmAndFinish(int after) {
    const int confirmation = display.WaitForText(kConfirmation, after);
    EXPECT_NE(confirmation, -1) << display.Describe();
    display.Send("KEY_ENTER");
    return Finished();
  }
  const RelevixRun& Finished() {
    user_.join();
    return run_;
  }

  RelevixProgram program;
  VirtualBrailleDisplay display;

 private:
  RelevixRun run_;
  std::thread user_;
};

TEST(BrailleDisplay, TheDialogueIsOnTheDisplayAndAnsweredFromIt) {
  DialogueOnDisplay dialogue;
  VirtualBrailleDisplay& display = dialogue.display;
  // The question is held until it is answered.
  const int question = dialogue.StartToTheQuestion();
  ASSERT_NE(question, -1) << display.Describe();
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  EXPECT_EQ(display.Frames().back().text, Window(kQuestion));
  display.Send("KEY_ENTER");
  const RelevixRun& run = dialogue.ConfirmAndFinish(question);
  EXPECT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_FALSE(run.printed.empty());
  EXPECT_NE(display.WaitForText("Fim de trabalho", question, 2), -1) << display.Describe();
  EXPECT_EQ(LinesHolding(run.output, "Linha Braille"), 0) << "taken at the first attempt: " << run.output;
  // The greeting came first, before the question.
  const std::vector<DisplayFrame> frames = display.Frames();
  const auto greeting = std::ranges::find_if(
      frames, [](const DisplayFrame& f) { return f.text.starts_with("Programa de impressão Braille - v "); });
  EXPECT_TRUE(greeting != frames.end() && greeting - frames.begin() < question) << display.Describe();
}

TEST(BrailleDisplay, AFieldLongerThanTheDisplayIsPannedAndItsCursorRouted) {
  DialogueOnDisplay dialogue;
  VirtualBrailleDisplay& display = dialogue.display;
  const int question = dialogue.StartToTheQuestion();
  ASSERT_NE(question, -1) << display.Describe();
  // "n" typed on the display's Braille keyboard opens the form: dots 1, 3,
  // 4 and 5, given to the driver as the bits 1 + 4 + 8 + 16.
  display.Send("PASSDOTS 29");
  // The first field: its question and answer are 56 characters; the
  // window holding the cursor, on the answer's first letter, shows first.
  const int field = display.WaitForText(Window("LPT1): saida.brf"), question);
  ASSERT_NE(field, -1) << display.Describe();
  EXPECT_EQ(display.Frames()[static_cast<std::size_t>(field)].cells[7], "23478") << "s with the cursor's dots 7 and 8";
  display.Send("FWinLt");
  const int start = display.WaitForText(Window("Arquivo ou dispositivo de saida (sugiro "), field);
  ASSERT_NE(start, -1) << display.Describe();
  display.Send("FWinRt");
  const int back = display.WaitForText(Window("LPT1): saida.brf"), start);
  ASSERT_NE(back, -1) << display.Describe();
  // Routing key 10 (counted from 0): the cursor onto the "d" of "saida",
  // which Delete then removes.
  display.Send("Route 10");
  const int routed = display.WaitForFrame(back, [](const DisplayFrame& frame) { return frame.cells[7] == "234"; });
  ASSERT_NE(routed, -1) << "the cursor left the s: " << display.Describe();
  EXPECT_EQ(display.Frames()[static_cast<std::size_t>(routed)].cells[10], "14578") << display.Describe();
  display.Send("KEY_DELETE");
  const int deleted = display.WaitForText(Window("LPT1): saia.brf"), routed);
  ASSERT_NE(deleted, -1) << display.Describe();
  display.Send("KEY_ESCAPE");
  const RelevixRun& run = dialogue.ConfirmAndFinish(deleted);
  EXPECT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_NE(run.settings.find("DISPSAIDA=saia.brf"), std::string::npos) << run.settings;
  EXPECT_FALSE(ReadFile(dialogue.program.File("saia.brf")).empty());
}

TEST(BrailleDisplay, ThePreviewShowsThePagesDotForDot) {
  // Reformatting and headers off: each line of the text is a Braille line,
  // and page 2 begins where the text asks for a new page.
  RelevixProgram program("AUTOFORMATA=N\nTITULA=N\nFRENTEVERSO=N\n");
  WriteFile(program.File("texto.txt"), "abc\nbe\n<P>\ndef\n");
  VirtualBrailleDisplay display;
  ASSERT_TRUE(display.Start());
  CliResult preview;
  // Ended after a minute, should the test fail before ESC.
  std::jthread user([&] {
    preview = RunShell("cd '" + program.Folder() + "' && " + display.Environment() + " timeout 60 '" RELEVIX_CLI
                       "' preview --display --settings '" + program.SettingsFile() + "' texto.txt");
  });
  // a b c, then b e, in the six-dot cells every reader knows.
  const int first = display.WaitForCells({"1", "12", "14", ""});
  ASSERT_NE(first, -1) << display.Describe();
  display.Send("LnDn");
  const int second = display.WaitForCells({"12", "15", ""}, first);
  ASSERT_NE(second, -1) << display.Describe();
  display.Send("LnUp");
  const int again = display.WaitForCells({"1", "12", "14", ""}, second);
  ASSERT_NE(again, -1) << display.Describe();
  display.Send("KEY_PAGE_DOWN");
  const int pageTwo = display.WaitForCells({"145", "15", "124", ""}, again);
  ASSERT_NE(pageTwo, -1) << "d e f: " << display.Describe();
  display.Send("KEY_PAGE_UP");
  ASSERT_NE(display.WaitForCells({"1", "12", "14", ""}, pageTwo), -1) << display.Describe();
  display.Send("KEY_ESCAPE");
  user.join();
  EXPECT_EQ(preview.status, 0) << preview.output;
  // Each page's number, as it was reached.
  EXPECT_NE(preview.output.find("--- página 1 ---\n--- página 2 ---\n--- página 1 ---\n"), std::string::npos)
      << preview.output;
}

TEST(BrailleDisplay, APefIsPreviewedOnTheDisplayAsItsOwnPages) {
  RelevixProgram program("AUTOFORMATA=N\nTITULA=N\nFRENTEVERSO=N\n");
  WriteFile(program.File("texto.txt"), "abc\nbe\n");
  const CliResult made = RunShell("cd '" + program.Folder() + "' && '" RELEVIX_CLI "' print --settings '" +
                                  program.SettingsFile() + "' --device texto.pef texto.txt");
  ASSERT_EQ(made.status, 0) << made.output;
  VirtualBrailleDisplay display;
  ASSERT_TRUE(display.Start());
  CliResult preview;
  std::jthread user([&] {
    preview = RunShell("cd '" + program.Folder() + "' && " + display.Environment() + " timeout 60 '" RELEVIX_CLI
                       "' preview --display --settings '" + program.SettingsFile() + "' texto.pef");
  });
  // The PEF's first row, a b c, on the display, not its XML in a listing.
  const int first = display.WaitForCells({"1", "12", "14", ""});
  ASSERT_NE(first, -1) << display.Describe();
  display.Send("LnDn");
  ASSERT_NE(display.WaitForCells({"12", "15", ""}, first), -1) << display.Describe();
  display.Send("KEY_ESCAPE");
  user.join();
  EXPECT_EQ(preview.status, 0) << preview.output;
  EXPECT_NE(preview.output.find("--- página 1 ---\n"), std::string::npos) << preview.output;
}

TEST(BrailleDisplay, F2AtTheConfirmationShowsThePagesBeforePaper) {
  DialogueOnDisplay dialogue("AUTOFORMATA=N\nTITULA=N\nFRENTEVERSO=N\n");
  WriteFile(dialogue.program.File("texto.txt"), "abc\nbe\n<P>\ndef\n");
  VirtualBrailleDisplay& display = dialogue.display;
  const int question = dialogue.StartToTheQuestion();
  ASSERT_NE(question, -1) << display.Describe();
  display.Send("KEY_ENTER");
  const int confirmation = display.WaitForText(kConfirmation, question);
  ASSERT_NE(confirmation, -1) << display.Describe();
  // F2: the driver counts function keys from 0, as it counts routing keys.
  display.Send("KEY_FUNCTION 1");
  const int pageOne = display.WaitForText(Window("Página 1 de 2"), confirmation);
  ASSERT_NE(pageOne, -1) << display.Describe();
  const int first = display.WaitForCells({"1", "12", "14", ""}, pageOne);
  ASSERT_NE(first, -1) << display.Describe();
  display.Send("KEY_PAGE_DOWN");
  const int pageTwo = display.WaitForText(Window("Página 2 de 2"), first);
  ASSERT_NE(pageTwo, -1) << display.Describe();
  const int second = display.WaitForCells({"145", "15", "124", ""}, pageTwo);
  ASSERT_NE(second, -1) << display.Describe();
  // Past the last page: refused, with the tone's text.
  display.Send("KEY_PAGE_DOWN");
  const int refused = display.WaitForText(Window("(bip)"), second);
  ASSERT_NE(refused, -1) << display.Describe();
  // ESC: the question again, and ENTER prints.
  display.Send("KEY_ESCAPE");
  const RelevixRun& run = dialogue.ConfirmAndFinish(refused);
  EXPECT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_FALSE(run.printed.empty());
}

TEST(BrailleDisplay, BrailleOnlyIsSilentWithADisplayAndSaidWithoutOne) {
  DialogueOnDisplay dialogue("SOMENTEBRAILLE=S\n");
  VirtualBrailleDisplay& display = dialogue.display;
  const int question = dialogue.StartToTheQuestion();
  ASSERT_NE(question, -1) << display.Describe();
  display.Send("KEY_ENTER");
  const RelevixRun& silent = dialogue.ConfirmAndFinish(question);
  EXPECT_EQ(silent.status, 0) << silent.output << silent.Screen();
  EXPECT_FALSE(silent.printed.empty());
  EXPECT_TRUE(silent.heard.empty()) << "heard " << silent.heard.size() << " sounds, first " << silent.heard.front();
  display.Stop();

  // No display: said at start, and the program talks as always.
  const RelevixRun talking = dialogue.program.Run("texto.txt", "WAIT 2500 ENTER WAIT 800 ENTER", display.Environment());
  EXPECT_EQ(talking.status, 0) << talking.output << talking.Screen();
  EXPECT_NE(talking.RowOf("Nenhuma linha Braille encontrada: a fala continua ligada."), 0) << talking.Screen();
  EXPECT_TRUE(talking.Heard("BRPADRAO"));
  EXPECT_EQ(talking.printed, silent.printed);
}

// A socket file nobody listens on: the connection is refused.
class RefusingSocket {
 public:
  explicit RefusingSocket(const std::string& path) : path_(path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    bound_ = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
  }
  ~RefusingSocket() { std::filesystem::remove(path_); }
  bool bound() const { return bound_; }

 private:
  std::string path_;
  bool bound_ = false;
};

TEST(BrailleDisplay, NoServerARefusedConnectionAndAMissingKeyLeaveTheProgramAsItWas) {
  RelevixProgram program;
  WriteFile(program.File("texto.txt"), "Era uma vez.\n");
  const std::string keys = "WAIT 2500 ENTER WAIT 800 ENTER";
  // A number no server uses.
  VirtualBrailleDisplay unused;
  const RelevixRun none = program.Run("texto.txt", keys, unused.Environment());
  ASSERT_EQ(none.status, 0) << none.output;

  const std::string number = unused.Environment().substr(unused.Environment().find(':') + 1);
  RelevixRun refused;
  {
    RefusingSocket socket("/var/lib/BrlAPI/" + number);
    ASSERT_TRUE(socket.bound());
    refused = program.Run("texto.txt", keys, unused.Environment());
  }
  testing_support::TempDir keyFolder;
  WriteFile(keyFolder.File("brlapi.key"), "uma chave que o programa não tem\n");
  VirtualBrailleDisplay locked("auth=keyfile:" + keyFolder.File("brlapi.key"));
  ASSERT_TRUE(locked.Start());
  const RelevixRun withoutKey = program.Run("texto.txt", keys, locked.Environment());

  for (const RelevixRun* run : {&none, static_cast<const RelevixRun*>(&refused), &withoutKey}) {
    EXPECT_EQ(run->status, 0) << run->output;
    EXPECT_EQ(run->printed, none.printed);
    EXPECT_EQ(run->heard, none.heard) << "speech as without a display";
    EXPECT_EQ(run->Screen(), none.Screen()) << "nothing said of it";
    EXPECT_EQ(LinesHolding(run->output, "Linha Braille não usada: "), 1) << run->output;
  }
}

TEST(BrailleDisplay, TheDisplayIsTakenAgainWhenBrlttyComesBack) {
  DialogueOnDisplay dialogue;
  VirtualBrailleDisplay& display = dialogue.display;
  const int question = dialogue.StartToTheQuestion();
  ASSERT_NE(question, -1) << display.Describe();
  // BRLTTY stops (restarted, or the display unplugged) and comes back.
  display.Stop();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_TRUE(display.Start());
  const int shownAgain = display.WaitForText(kQuestion, question);
  ASSERT_NE(shownAgain, -1) << "the question shown again: " << display.Describe();
  display.Send("KEY_ENTER");
  const RelevixRun& run = dialogue.ConfirmAndFinish(shownAgain);
  EXPECT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_FALSE(run.printed.empty());
  EXPECT_EQ(LinesHolding(run.output, "Linha Braille perdida"), 1) << run.output;
  EXPECT_EQ(LinesHolding(run.output, "Linha Braille retomada."), 1) << run.output;
}

}  // namespace
