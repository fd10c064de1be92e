#include "editor/file_chooser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/edit_field.h"
#include "editor/editor_test_fixture.h"
#include "editor/read_line.h"
#include "platform/paths.h"

namespace {

using namespace editor_testing;

constexpr int kShift = kKeyWithShift;

int firstSeenRow = 3;

// Characters and attributes of six rows from firstSeenRow when the last key
// was asked for.
std::vector<std::string>& SeenRows() {
  static std::vector<std::string> rows;
  return rows;
}

int KeyAfterLookingAtTheWindow() {
  SeenRows().clear();
  for (int row = firstSeenRow; row < firstSeenRow + 6; ++row) {
    std::string characters, attributes;
    for (int column = 1; column <= 80; ++column) {
      characters += static_cast<char>(ScreenCharAt(column, row));
      attributes += static_cast<char>(ScreenAttributeAt(column, row));
    }
    SeenRows().push_back(characters);
    SeenRows().push_back(attributes);
  }
  return NextScriptedKey();
}

// A folder of files with accented UTF-8 names, mixed case, a name with no
// Windows-1252 form, a hidden file and a sub-folder with a file of its own.
class FileChooserTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ResetLineEditor();
    for (const char* name : {"\xC3\x81rvore.txt", "banana.TXT", "abacaxi.txt", "casa.doc", "\xE6\x97\xA5\xE6\x9C\xAC.txt",
                             ".oculto", "pasta/dentro.txt"}) {
      std::filesystem::create_directories(std::filesystem::path(folder_.File(name)).parent_path());
      testing_support::WriteFile(folder_.File(name), "x");
    }
    startedIn_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
    SeenRows().clear();
    firstSeenRow = 3;
    SetKeySource(KeyAfterLookingAtTheWindow);
  }

  void TearDown() override {
    std::filesystem::current_path(startedIn_);
    EditorTest::TearDown();
  }

  std::string Choose(const std::string& mask, std::vector<int> keys, int lines = 6) {
    ScriptedKeys().assign(keys.begin(), keys.end());
    ForgetHeard();
    MoveCursor(5, 3);
    return ChooseFile(5, 3, lines, mask);
  }

  // The events as the user follows them: each name spoken (its words and
  // the signs in it) as one "name", beeps and clicks as they are.
  Sounds Said() const {
    Sounds said;
    for (const std::string& event : Events()) {
      const bool partOfName = event == "speech" || event.starts_with("_");
      if (partOfName && !said.empty() && said.back() == "name") continue;
      said.push_back(partOfName ? "name" : event);
    }
    return said;
  }

  std::string ReadName(std::vector<int> keys) {
    ScriptedKeys().assign(keys.begin(), keys.end());
    ForgetHeard();
    MoveCursor(5, 3);
    std::string result = "sobra";
    ReadLine(6, result);
    return result;
  }

  testing_support::TempDir folder_;
  std::filesystem::path startedIn_;
};

// In the list's order: "??.txt" (the name with no Windows-1252 form),
// abacaxi.txt, Árvore.txt, banana.TXT, casa.doc, pasta.

TEST_F(FileChooserTest, TheWindowListsTheSortedNamesInTheirColoursAndIsPutBack) {
  Put(4, 1, "fundo da tela", 0x17);
  EXPECT_EQ(Choose("*.*", {0, 80 | kShift, 13}), "abacaxi.txt");
  ASSERT_EQ(SeenRows().size(), 12u);
  const char* names[] = {" ??.txt", " abacaxi.txt", " \xC1rvore.txt", " banana.TXT", " casa.doc", " pasta"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(SeenRows()[2 * i].substr(4), names[i] + std::string(76 - std::string(names[i]).size(), ' '));
  }
  // On brown: the marked entry green, the current one yellow, the others
  // white, the folder cyan.
  EXPECT_EQ(SeenRows()[1].substr(4, 76), std::string(76, '\x62'));
  EXPECT_EQ(SeenRows()[3].substr(4, 76), std::string(76, '\x6E'));
  EXPECT_EQ(SeenRows()[5].substr(4, 76), std::string(76, '\x6F'));
  EXPECT_EQ(SeenRows()[11].substr(4, 76), std::string(76, '\x63'));
  EXPECT_EQ(SeenRows()[1].substr(0, 4), std::string(4, '\x07'));
  // The screen under the window comes back, and the cursor.
  EXPECT_EQ(Row(4).substr(0, 13), "fundo da tela");
  EXPECT_EQ(ScreenAttributeAt(1, 4), 0x17);
  EXPECT_EQ(ScreenAttributeAt(20, 4), 0x07);
  EXPECT_EQ(CursorColumn(), 5);
  EXPECT_EQ(CursorRow(), 3);
}

TEST_F(FileChooserTest, AWindowReachingTheLastRowStopsShortOfItsLastCell) {
  Put(25, 80, "#", 0x17);
  firstSeenRow = 22;
  ScriptedKeys().assign({0, 79, 0, 72, 13});
  MoveCursor(70, 22);
  // Four rows fit from row 22 down; the window ends at column 79 on them all.
  EXPECT_EQ(ChooseFile(70, 22, 10, "*.*"), "casa.doc");
  EXPECT_EQ(SeenRows()[4].substr(69, 10), " casa.doc ");
  EXPECT_EQ(SeenRows()[5].substr(69, 10), std::string(10, '\x6E'));
  EXPECT_EQ(SeenRows()[5][79], '\x07');
  EXPECT_EQ(SeenRows()[6].substr(69), " pasta    #");
  EXPECT_EQ(SeenRows()[7].substr(69, 10), std::string(10, '\x63'));
  EXPECT_EQ(SeenRows()[7][79], '\x17');
  EXPECT_EQ(ScreenCharAt(80, 25), '#');
  EXPECT_EQ(Row(1).substr(0, 5), "     ");  // nothing scrolled
}

TEST_F(FileChooserTest, MovesSayTheNamesMarkedOnesAfterABeepAndTheEndsRefuse) {
  // Shift+Down marks what it passes over; the marked entries beep first.
  Choose("*.*", {0, 80 | kShift, 0, 72, 0, 72, '/', 0, 80, 0, 79, 0, 80, 27});
  EXPECT_EQ(Said(), (Sounds{"name", "beep", "name", "beep", "name", "beep", "name", "beep"}));
  // Blank, "+" and "*" mark; "-" unmarks.
  Choose("*.*", {' ', 0, 80, '+', 0, 72, '-', 0, 80, '*', 0, 81, 0, 73, 27});
  EXPECT_EQ(Said(), (Sounds{"name", "beep", "name", "beep", "name", "beep", "beep", "name", "beep", "beep", "name"}));
}

TEST_F(FileChooserTest, RightSpellsTheNameAndLeftItsShortForm) {
  Choose("casa*", {0, 77, 0, 75, 27});
  const Sounds spelled{"_99", "_97", "_115", "_97", "_46", "_100", "_111", "_99",
                       "_67", "_65", "_83", "_65", "_46", "_68", "_79", "_67"};
  const Sounds events = Events();
  ASSERT_GE(events.size(), spelled.size());
  EXPECT_EQ(Sounds(events.end() - static_cast<long>(spelled.size()), events.end()), spelled);
}

TEST_F(FileChooserTest, TheSearchGoesForwardOnlyAndEnterPastTheEndChoosesNothing) {
  EXPECT_EQ(Choose("*.*", {0, 63, 'C', 13}), "casa.doc");
  // From abacaxi.txt there is no later name that begins with a (the
  // accented one does not count): past the end, a beep, and nothing chosen.
  EXPECT_EQ(Choose("*.*", {0, 63, 'a', 0, 98, 13}), "");
  EXPECT_EQ(Said(), (Sounds{"name", "beep"}));
  EXPECT_EQ(Choose("*.*", {0, 63, 'b', 0, 72, 13}), "\xC1rvore.txt");
}

TEST_F(FileChooserTest, MasksFoldersEscTabAndTheRealNameOnDisk) {
  EXPECT_EQ(Choose("*.txt", {0, 79, 13}), "banana.TXT");
  EXPECT_EQ(Choose("ba", {13}), "banana.TXT");
  EXPECT_EQ(Choose("pasta/", {13}), "pasta/dentro.txt");
  EXPECT_EQ(Choose("*.*", {27}), "");
  EXPECT_EQ(Choose("*.*", {9}), kChooserTab);
  EXPECT_EQ(Choose("nada*", {13}), "");
  EXPECT_EQ(Choose("sem-pasta/", {13}), "");
  // The name with no Windows-1252 form is shown as "??.txt" but leads to
  // the very file.
  const std::string chosen = Choose("*.*", {13});
  EXPECT_TRUE(std::filesystem::exists(LinuxPath(chosen)));
  EXPECT_EQ(LinuxPath(chosen), "\xE6\x97\xA5\xE6\x9C\xAC.txt");
}

TEST_F(FileChooserTest, ReadLineTakesATypedNameOrOpensTheChooser) {
  EXPECT_EQ(ReadName({'c', 'a', 'r', 't', 'a', 13}), "carta");
  EXPECT_EQ(readLine.lastKey, 13);
  EXPECT_EQ(ReadName({27}), "");
  EXPECT_EQ(readLine.lastKey, 27);
  EXPECT_EQ(ReadName({13}), "");
  // An existing folder gets its "/".
  EXPECT_EQ(ReadName({'p', 'a', 's', 't', 'a', 13}), "pasta/");
  // Down opens the chooser on every name; a mask with "*" opens it on Enter.
  EXPECT_EQ(ReadName({0, 80, 0, 80, 13}), "abacaxi.txt");
  EXPECT_EQ(readLine.lastKey, 80);
  EXPECT_EQ(ReadName({'*', '.', 'd', 'o', 'c', 13, 13}), "casa.doc");
  EXPECT_EQ(ReadName({'p', 'a', 's', 't', 'a', 9, 13}), "pasta/dentro.txt");
  // Esc in the chooser leaves the folder part alone.
  EXPECT_EQ(ReadName({'p', 'a', 's', 't', 'a', 9, 27}), "pasta/");
  // Tab in the chooser asks again, after two clicks.
  EXPECT_EQ(ReadName({9, 9, 'x', 13}), "x");
  const Sounds events = Events();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(Sounds(events.end() - 3, events.end()), (Sounds{"click", "click", "_120"}));
}

}  // namespace
