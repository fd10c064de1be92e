#include "editor/edit_field.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "console/console.h"
#include "editor/editor_test_fixture.h"
#include "audio/wav_playback.h"
#include "speech/speech_state.h"

namespace {

using namespace editor_testing;

constexpr int kShift = kKeyWithShift;
constexpr int kAlt = kKeyWithAlt;

// What the screen showed when each key was asked for.
struct Shown {
  std::string row;
  std::string attributes;
  int cursorColumn = 0;
};

std::vector<Shown>& ShownBeforeKeys() {
  static std::vector<Shown> shown;
  return shown;
}

int watchedRow = 1;

int KeyAfterLookingAtTheScreen() {
  Shown shown;
  for (int column = 1; column <= 80; ++column) {
    shown.row += static_cast<char>(ScreenCharAt(column, watchedRow));
    shown.attributes += static_cast<char>(ScreenAttributeAt(column, watchedRow));
  }
  shown.cursorColumn = CursorColumn();
  ShownBeforeKeys().push_back(shown);
  return NextScriptedKey();
}

class EditFieldTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ResetLineEditor();
    ShownBeforeKeys().clear();
    SetKeySource(KeyAfterLookingAtTheScreen);
    for (const char* sound : {"_APFCPO", "_APICPO", "_CPOAPA", "_FALACI", "_FALDLG", "_VELOC", "_FON65"}) {
      WriteSound(sound, 345);
    }
  }

  // Edits text on row 3 from column 5 with the keys given (extended keys as
  // 0, code); returns the key that ended the edit.
  int Edit(std::string& text, std::vector<int> keys, int maxLength = 40, bool editing = true, int width = 30) {
    watchedRow = 3;
    ScriptedKeys().assign(keys.begin(), keys.end());
    ShownBeforeKeys().clear();
    ForgetHeard();
    return EditField(text, 5, 3, editing, width, maxLength);
  }
};

TEST_F(EditFieldTest, TheFirstTypedKeyReplacesTheProposedTextAfterTwoClicks) {
  std::string text = "velho";
  EXPECT_EQ(Edit(text, {'n', 'o', 13}), 13);
  EXPECT_EQ(text, "no");
  EXPECT_EQ(Events(), (Sounds{"click", "click", "_110", "_111"}));
  // Moving first keeps the text; the typed key goes in at the cursor.
  text = "velho";
  EXPECT_EQ(Edit(text, {0, 77, 'x', 27}), 27);
  EXPECT_EQ(text, "vxelho");
  EXPECT_EQ(Events(), (Sounds{"_118", "_120"}));
  // An empty field has nothing to lose: no clicks.
  text = "";
  Edit(text, {'a', 9});
  EXPECT_EQ(text, "a");
  EXPECT_EQ(Events(), (Sounds{"_97"}));
  // A read-only field clicks but keeps its text.
  text = "fixo";
  Edit(text, {'z', 13}, 40, false);
  EXPECT_EQ(text, "fixo");
  EXPECT_EQ(Events(), (Sounds{"click", "click"}));
  EXPECT_EQ(lineEditor.lastCursor, 1);
}

TEST_F(EditFieldTest, AFullFieldRefusesMoreAndInsertingPushesTheLastCharacterOff) {
  std::string text = "abc";
  Edit(text, {0, 79, 'd', 13}, 3);
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(Events(), (Sounds{"beep"}));
  EXPECT_EQ(lineEditor.lastCursor, 4);
  Edit(text, {0, 77, 'x', 13}, 3);
  EXPECT_EQ(text, "axb");
  // Right past the end, Left at the start: refused.
  Edit(text, {0, 75, 0, 79, 0, 77, 13}, 3);
  EXPECT_EQ(Events(), (Sounds{"beep", "beep"}));
}

TEST_F(EditFieldTest, DeletingKeysSayWhatGoesAndDoNothingInAReadOnlyField) {
  std::string text = "abc";
  // Backspace at the start refuses; after End it deletes "c".
  Edit(text, {8, 0, 79, 8, 13});
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(Events(), (Sounds{"beep", "_DEL", "_99"}));
  // Delete removes the character at the cursor.
  Edit(text, {0, 83, 13});
  EXPECT_EQ(text, "b");
  EXPECT_EQ(Events(), (Sounds{"_DEL", "_97"}));
  // Ctrl+Backspace removes the word before the cursor with the blank after
  // it, each character said.
  text = "um dois tres";
  Edit(text, {0, 116, 127, 13});
  EXPECT_EQ(text, "um tres");
  EXPECT_EQ(Events(), (Sounds{"click", "_DEL", "_100", "_111", "_105", "_115", "_32"}));
  // Ctrl+D blanks to the end, Ctrl+S removes what lies before the cursor.
  text = "um dois tres";
  Edit(text, {0, 116, 4, 13});
  EXPECT_EQ(text, "um");
  EXPECT_EQ(Events(), (Sounds{"click", "_APFCPO"}));
  text = "um dois tres";
  Edit(text, {0, 116, 19, 13});
  EXPECT_EQ(text, "dois tres");
  EXPECT_EQ(Events(), (Sounds{"click", "_APICPO"}));
  // Ctrl+Y blanks the field; Ctrl+U brings back what the edit started with.
  text = "um dois";
  Edit(text, {25, 13});
  EXPECT_EQ(text, "");
  EXPECT_EQ(Events(), (Sounds{"_CPOAPA"}));
  text = "um dois";
  Edit(text, {0, 79, 'x', 'y', 21, 13});
  EXPECT_EQ(text, "um dois");
  EXPECT_EQ(Events(), (Sounds{"_120", "_121", "beep", "beep", "beep"}));
  // Read-only: none of them changes anything.
  text = "um dois";
  Edit(text, {0, 79, 8, 0, 71, 0, 83, 127, 4, 19, 25, 21, 13}, 40, false);
  EXPECT_EQ(text, "um dois");
  EXPECT_EQ(Events(), Sounds{});
}

TEST_F(EditFieldTest, ThePasteTakesTheFirstLineAndTheCopyTheSelectionOrTheField) {
  Clipboard() = "primeira\r\nsegunda";
  std::string text = "velho";
  // On the first key the paste warns and replaces; the pasted text is then
  // selected, so Ctrl+C copies just it.
  Edit(text, {22, 3, 13});
  EXPECT_EQ(text, "primeira");
  EXPECT_EQ(Events(), (Sounds{"click", "click"}));
  EXPECT_EQ(Clipboard(), "primeira");
  // Shift+Insert at the cursor, inside the text.
  Clipboard() = "XY";
  text = "ab";
  Edit(text, {0, 77, 0, 254 | kShift, 13});
  EXPECT_EQ(text, "aXYb");
  // No selection: the whole field, trimmed, with a line break.
  text = "texto  ";
  Edit(text, {0, 255, 13});
  EXPECT_EQ(Clipboard(), "texto\r\n");
  // Shift with the moves selects; the selection is drawn on background 8.
  text = "um dois";
  Edit(text, {0, 79, 0, 75 | kShift, 0, 75 | kShift, 3, 13});
  EXPECT_EQ(Clipboard(), "is");
  const Shown& selected = ShownBeforeKeys()[6];  // before Ctrl+C
  EXPECT_EQ(selected.row.substr(4, 7), "um dois");
  EXPECT_EQ(selected.attributes.substr(4, 7), "\x0F\x0F\x0F\x0F\x0F\x8F\x8F");
  // A paste replaces the selection.
  Clipboard() = "tres";
  Edit(text, {0, 79 | kShift, 22, 13});
  EXPECT_EQ(text, "tres");
  // Delete with a selection removes it, saying "_DEL" once.
  text = "abcd";
  Edit(text, {0, 77, 0, 77 | kShift, 0, 77 | kShift, 0, 83, 13});
  EXPECT_EQ(text, "ad");
  EXPECT_EQ(Events(), (Sounds{"_97", "_98", "_99", "_DEL", "_98", "_99"}));
}

TEST_F(EditFieldTest, TheFieldScrollsWithTheCursorAndTheLastRowKeepsItsLastCell) {
  std::string text = "abcdefghij";
  watchedRow = 3;
  ScriptedKeys().assign({0, 79, 13});
  EditField(text, 10, 3, true, 5, 20);
  ASSERT_EQ(ShownBeforeKeys().size(), 3u);
  EXPECT_EQ(ShownBeforeKeys()[0].row.substr(9, 5), "abcde");
  EXPECT_EQ(ShownBeforeKeys()[0].cursorColumn, 10);
  // After End the cursor stands after "j": the field shows "fghij".
  EXPECT_EQ(ShownBeforeKeys()[2].row.substr(9, 6), "fghij ");
  EXPECT_EQ(ShownBeforeKeys()[2].cursorColumn, 15);
  // The end of the edit shows the start again, the cursor on the field.
  EXPECT_EQ(Row(3).substr(9, 5), "abcde");
  EXPECT_EQ(CursorColumn(), 10);

  // On row 25 a field reaching column 80 stops at column 79: nothing scrolls.
  Put(1, 1, "topo");
  text = std::string(100, 'x');
  ScriptedKeys().assign({13});
  watchedRow = 25;
  EditField(text, 1, 25, true, 80, 100);
  EXPECT_EQ(Row(25), std::string(79, 'x') + " ");
  EXPECT_EQ(Row(1).substr(0, 4), "topo");
  EXPECT_EQ(text, std::string(100, 'x'));
}

TEST_F(EditFieldTest, ReadingWordsAndTheWholeFieldAndWhereTheCursorIs) {
  std::string text = "BCD casa ;";
  // F1: a word of consonants is spelled, another spoken, a sign spelled;
  // then the end of the text refuses.
  Edit(text, {0, 59, 0, 59, 0, 59, 0, 59, 13});
  EXPECT_EQ(Events(), (Sounds{"_66", "_67", "_68", "speech", "_59", "beep"}));
  EXPECT_EQ(lineEditor.lastCursor, 11);
  // Ctrl+F1 and the focus coming back speak the field; Ctrl+K the position.
  text = "casa";
  Edit(text, {0, 94, 222, 223, 11, 13});
  EXPECT_EQ(Events(), (Sounds{"speech", "speech", "speech"}));
  // Alt+Right says a letter by its spelling word.
  text = "Ab";
  Edit(text, {0, 77 | kAlt, 13});
  EXPECT_EQ(Events(), (Sounds{"_FON65"}));
}

TEST_F(EditFieldTest, WordMovesClickAndBeepAtEitherEnd) {
  std::string text = "um  dois 42";
  Edit(text, {0, 116, 0, 116, 0, 116, 13});
  EXPECT_EQ(Events(), (Sounds{"click", "click", "beep"}));
  EXPECT_EQ(lineEditor.lastCursor, 12);
  Edit(text, {0, 79, 0, 115, 0, 115, 0, 115, 0, 115, 13});
  EXPECT_EQ(Events(), (Sounds{"click", "click", "click", "beep"}));
  EXPECT_EQ(lineEditor.lastCursor, 1);
}

TEST_F(EditFieldTest, TheEchoTheSpeedAndTheKeysThatEndOrGoOn) {
  std::string text;
  Edit(text, {0, 62, 'a', 0, 62, 'b', 13});
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(Events(), (Sounds{"_FALDLG", "_FALACI", "_98"}));
  // Ctrl+F4 then 5: speech starts again at speed 5; then Esc keeps it.
  Edit(text, {0, 97, '5', 0, 97, 27, 13});
  EXPECT_EQ(speech.speed, 5);
  EXPECT_TRUE(speech.started);
  EXPECT_EQ(Events(), (Sounds{"_VELOC", "_53", "_VELOC"}));  // Esc has no letter sound
  // Up, Ctrl+F9 and Alt+F1 end the edit; Alt+digits are ignored.
  EXPECT_EQ(Edit(text, {0, 120, 0, 72}), 72);
  EXPECT_EQ(Edit(text, {0, 102}), 102);
  EXPECT_EQ(Edit(text, {0, 59 | kAlt}), 104);
  EXPECT_EQ(Edit(text, {10}), 10);
  // Alt+Ctrl+F9 reviews the screen (a beep in, two out), then editing goes on.
  EXPECT_EQ(Edit(text, {0, 102 | kAlt, 27, 'c', 13}), 13);
  EXPECT_EQ(Events(), (Sounds{"beep", "beep", "beep", "_99"}));
  EXPECT_EQ(text, "cab");
}

TEST_F(EditFieldTest, DialTonesPlayDigitsStarAndHashWithTheirPauses) {
  for (const char* tone : {"1", "X", "#"}) {
    testing_support::WriteFile(dir_.File("letras") + "/dtmf_" + tone + ".wav", MakeWavImage(std::string(222, 'P'), 11025, 1, 8));
  }
  std::string text = "1*, #a";
  speech_testing::Delays().clear();
  Edit(text, {28, 13});
  EXPECT_EQ(Heard(), (Sounds{"dtmf_1", "dtmf_X", "dtmf_#"}));
  EXPECT_EQ(speech_testing::Delays(), (std::vector<int>{100, 100, 1000, 100}));
}

class OpenWordTest : public EditFieldTest {
 protected:
  void SetUp() override {
    EditFieldTest::SetUp();
    // Stand-ins on PATH that write their arguments, one a line.
    WriteRecorder("xdg-open", "xdg.txt");
    WriteRecorder("navegador", "navegador.txt");
    WriteRecorder("leitor", "leitor.txt");
    path_ = std::make_unique<testing_support::ScopedEnv>(
        "PATH", (bin_.path() + ":" + std::string(std::getenv("PATH"))).c_str());
  }

  void WriteRecorder(const std::string& name, const std::string& record) {
    testing_support::WriteFile(bin_.File(name), "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + bin_.File(record) + "'\n");
    chmod(bin_.File(name).c_str(), 0755);
  }

  // What a stand-in recorded, once it has run.
  std::string Recorded(const std::string& record) {
    const std::string path = bin_.File(record);
    for (int i = 0; i < 300 && !std::filesystem::exists(path); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!std::filesystem::exists(path)) return "(nada)";
    const std::string text = testing_support::ReadFile(path);
    std::filesystem::remove(path);
    return text;
  }

  void OpenAt(std::string text, int rights) {
    std::vector<int> keys;
    for (int i = 0; i < rights; ++i) keys.insert(keys.end(), {0, 77});
    keys.insert(keys.end(), {0, 70, 13});
    Edit(text, keys, 80);
  }

  testing_support::TempDir bin_;
  std::unique_ptr<testing_support::ScopedEnv> path_;
};

TEST_F(OpenWordTest, TheWordIsOneArgumentOfTheChosenProgramAndNeverACommand) {
  const std::string cwd = std::filesystem::current_path().string();
  OpenAt("veja a;touch${IFS}x agora", 6);
  EXPECT_EQ(Recorded("xdg.txt"), "a;touch${IFS}x\n");
  OpenAt("$(id)", 0);
  EXPECT_EQ(Recorded("xdg.txt"), "$(id)\n");
  // Surrounding signs go; the quote inside stays.
  OpenAt("ler \"it's\". ", 5);
  EXPECT_EQ(Recorded("xdg.txt"), "it's\n");
  EXPECT_FALSE(std::filesystem::exists(cwd + "/x"));
  // A blank under the cursor, or only signs: nothing to open.
  OpenAt("a  b", 2);
  EXPECT_EQ(Events(), (Sounds{"_97", "_32", "beep"}));
  OpenAt("(-.-", 1);
  EXPECT_EQ(Events(), (Sounds{"_40", "beep"}));
}

TEST_F(OpenWordTest, SettingsChooseTheProgramForAddressesAndKinds) {
  WriteSettings("[SONARA]\nPROG.HTM=navegador\nPROG.TXT=leitor\nPROG.DOC=/sem/programa\n");
  OpenAt("www.exemplo.com.br", 0);
  EXPECT_EQ(Recorded("navegador.txt"), "www.exemplo.com.br\n");
  OpenAt("https://exemplo.com.br/a?b=1&c=2", 0);
  EXPECT_EQ(Recorded("navegador.txt"), "https://exemplo.com.br/a?b=1&c=2\n");
  OpenAt("notas.txt", 0);
  EXPECT_EQ(Recorded("leitor.txt"), "notas.txt\n");
  OpenAt("foto.png", 0);
  EXPECT_EQ(Recorded("xdg.txt"), "foto.png\n");
  // An executable file named by the word runs itself, with no arguments.
  OpenAt(bin_.File("leitor"), 0);
  EXPECT_EQ(Recorded("leitor.txt"), "\n");
  // A program that cannot start beeps.
  ForgetHeard();
  OpenAt("carta.doc", 0);
  EXPECT_EQ(Events(), (Sounds{"beep"}));
}

}  // namespace
