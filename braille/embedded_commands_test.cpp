#include "braille/embedded_commands.h"

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "braille/composer_test_fixture.h"

namespace {

using composer_testing::Blanks;
using composer_testing::ComposerTest;
using composer_testing::kEsc;
using composer_testing::kFF;
using composer_testing::L;

class CommandTest : public ComposerTest {
 protected:
  // Headers on, 10 cells wide, title "ab": "   ab   #n".
  void UseShortHeaders() {
    printSettings.TITULA = true;
    printSettings.COLUNAS = 10;
    printSettings.BRTIT = "ab";
  }
  static std::string Header(int page) { return "   ab   #" + std::to_string(page); }
};

// Most commands are shown at work in braille/testdata/composer/
// layout_commands.txt (test BrailleRows.Composer).

TEST_F(CommandTest, PageNumberTooLargeToCountOnIsATitle) {
  printSettings.TITULA = true;
  printSettings.COLUNAS = 10;
  printSettings.BRPAGFIN = INT_MAX;
  EXPECT_EQ(Print("<T+9999999999>\r\na\r\n"), L("+#9999999999#1") + L("a") + kFF);
  // The largest number taken; the printed number is counted wide.
  EXPECT_EQ(Print("<T+999999999>\r\na\r\n"), L("#999999999") + L("a") + kFF);
  printSettings.BRNUMINI = 2000000000;
  EXPECT_EQ(Print("<T+999999999>\r\na\r\n"), L("#2999999998") + L("a") + kFF);
}

TEST_F(CommandTest, WhichCommandsEndTheOpenParagraph) {
  printSettings.AUTOFORMATA = true;
  for (const char* command : {"<T->", "<T+>", "<Tx>", "<F+>", "<R+>", "<R->", "<M>"}) {
    EXPECT_EQ(Print("um\r\n" + std::string(command) + "\r\ndois\r\n"), L("um") + L("dois") + kFF) << command;
  }
  EXPECT_EQ(Print("um\r\n<P>\r\ndois\r\n"), L("um") + kFF + L("dois") + kFF);
  for (const char* command : {"<S+>", "<S->", "<I->", "<12>", "<Capitulo>"}) {
    EXPECT_EQ(Print("um\r\n" + std::string(command) + "\r\ndois\r\n"), L("um dois") + kFF) << command;
  }
}

TEST_F(CommandTest, MarginBeforeBodyLinesOnly) {
  printSettings.TITULA = true;
  printSettings.COLUNAS = 20;
  printSettings.BRTIT = "ab";
  // Three empty cells leave 17 for text; the header keeps the full width.
  // The prefix is not transcribed. A margin is cut to leave two cells.
  EXPECT_EQ(
      Print("<M   >\r\naaaa bbbb cccc dddd\r\n<M>\r\neeee\r\n<MA>\r\nab\r\n<M" + std::string(25, 'x') + ">\r\nab\r\n"),
      L(Blanks(8) + "ab" + Blanks(8) + "#1") + L("   aaaa bbbb cccc") + L("   dddd") + L("eeee") + L("Aab") +
          L(std::string(18, 'x') + "ab") + kFF);
}

// Pictures.
class PictureTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    // Rows 1 to 3: dots 2 3 6 and dots 2 3 in the first cell row, dot 1 in
    // the second.
    testing_support::WriteFile(dir_.File("desenho.txt"), "titulo\r\nx x\r\nxxx\r\nx\r\n");
  }
  // The picture of desenho.txt as embossed, mode option 6.
  static std::string Picture(char option = '6') { return kEsc + option + L("\";") + L("a") + kEsc + "]\r\n"; }
  testing_support::ScopedCwd cwd_{dir_.path()};
};

TEST_F(PictureTest, PictureOnAPageOfItsOwn) {
  // Page number 0 is even: a page is begun for the picture, and one after
  // it, which counts as page 3.
  EXPECT_EQ(Print("<G desenho.txt>\r\na\r\n"), Picture() + "\r\n" + kFF + L("a") + kFF);
  EXPECT_EQ(Print("<Gx desenho.txt>\r\n"), Picture('x') + "\r\n" + kFF);

  UseShortHeaders();
  printSettings.LINHAS = 3;
  EXPECT_EQ(Print("a\r\n<P>\r\n<G desenho.txt>\r\nb\r\n<P>\r\nc\r\n"),
            L(Header(1)) + L("a") + kFF + L(Header(2)) + kFF + L(Header(3)) + Picture() + "\r\n" + kFF + L(Header(4)) +
                L("b") + kFF + L(Header(6)) + L("c") + kFF);
}

TEST_F(PictureTest, PictureOnAnOddPageStaysOnIt) {
  printSettings.AUTOFORMATA = true;
  EXPECT_EQ(Print("um\r\n<G desenho.txt>\r\ndois\r\n"), L("um") + Picture() + "\r\n" + kFF + L("dois") + kFF);
}

TEST_F(PictureTest, PictureLinesAreNotCountedAndGetNoMarginOrPause) {
  // Not counted on the page: with two lines a page, "b" still goes on the
  // page of "a".
  printSettings.LINHAS = 2;
  EXPECT_EQ(Print("a\r\n<G desenho.txt>\r\nb\r\nc\r\n"),
            L("a") + Picture() + "\r\n" + kFF + L("b") + kFF + L("c") + kFF);
  // Without the margin and without a pause.
  printSettings.LINHASPORMINUTO = 100;
  EXPECT_EQ(Print("<M  >\r\n<G desenho.txt>\r\n"), Picture() + "\r\n" + kFF);
  EXPECT_TRUE(user_.pauses.empty());
}

TEST_F(PictureTest, APictureOutsideThePageRangeIsNotEmbossed) {
  // Page 1 (the picture's) and page 2 lie before the range: nothing of the
  // picture is sent, nor "a" on page 2; only the last form feed, as for any
  // text that ends before the range (the programs send nothing then).
  printSettings.LINHAS = 2;
  printSettings.BRPAGINI = 3;
  EXPECT_EQ(Print("<G desenho.txt>\r\na\r\n"), kFF);
  EXPECT_EQ(composerState.pagesInRange, 0);
  // On page 2, after the range.
  printSettings.BRPAGINI = 1;
  printSettings.BRPAGFIN = 1;
  EXPECT_EQ(Print("a\r\n<P>\r\n<G desenho.txt>\r\n"), L("a") + kFF);
  // Within the range it is embossed where it falls.
  printSettings.BRPAGINI = 3;
  printSettings.BRPAGFIN = 3;
  EXPECT_EQ(Print("a\r\n<P>\r\n<G desenho.txt>\r\n"), Picture() + "\r\n" + kFF);
}

TEST_F(PictureTest, TrailingBytesOfThirtyTwoOrLessAreCut) {
  // The empty cell mapped to '.' is kept: every line has 150 cells.
  codeTable[' '] = '.';
  EXPECT_EQ(Print("<G desenho.txt>\r\n"),
            kEsc + "6" + L("\";" + std::string(148, '.')) + L("a" + std::string(149, '.')) + kEsc + "]\r\n" + "\r\n" + kFF);
  // Mapped to 0, and the second cell to 31: both are cut.
  codeTable[' '] = 0;
  codeTable[';'] = 31;
  EXPECT_EQ(Print("<G desenho.txt>\r\n"), kEsc + "6" + L("\"") + L("a") + kEsc + "]\r\n" + "\r\n" + kFF);
}

TEST_F(PictureTest, LastRowIsTheLowestDotUpToRow299) {
  // Only the first line: no dot, the last row is 1, one empty line.
  testing_support::WriteFile(dir_.File("vazio.txt"), "titulo\r\n");
  const std::string oneEmptyLine = kEsc + "6" + L("") + kEsc + "]\r\n" + "\r\n" + kFF;
  EXPECT_EQ(Print("<g vazio.txt>\r\n"), oneEmptyLine);
  // A dot on row 300 is read but cannot be embossed.
  testing_support::WriteFile(dir_.File("fundo.txt"), "titulo\n" + std::string(299, '\n') + "x\n");
  EXPECT_EQ(Print("<G fundo.txt>\r\n"), oneEmptyLine);
  // A dot on row 299, column 0: cell rows 0 to 99, the last with dot 3 in
  // its first cell.
  testing_support::WriteFile(dir_.File("fundo.txt"), "titulo\n" + std::string(298, '\n') + "x\nx\n");
  std::string expected = kEsc + "6";
  for (int cellRow = 0; cellRow < 99; ++cellRow) expected += L("");
  expected += L("'") + kEsc + "]\r\n" + "\r\n" + kFF;
  EXPECT_EQ(Print("<G fundo.txt>\r\n"), expected);
}

TEST_F(PictureTest, APictureThatCannotBeReadIsSaidAndLeftOutWhole) {
  // Neither the mode sequence nor the command as text: an embosser left in
  // graphic mode would emboss the rest of the job as dots.
  EXPECT_EQ(Print("a\r\n<G nada.txt>\r\nb\r\n"), L("a") + L("b") + kFF);
  EXPECT_TRUE(Noticed("BRGRFNAO: nada.txt"));
  // A folder is no picture.
  std::filesystem::create_directory(dir_.File("pasta"));
  EXPECT_EQ(Print("a\r\n<G pasta>\r\n"), L("a") + kFF);
  EXPECT_TRUE(Noticed("BRGRFNAO: pasta"));
  // Not ending in '>': nothing is sent either.
  EXPECT_EQ(Print("a\r\n<G desenho.txt\r\n"), L("a") + kFF);
  EXPECT_EQ(user_.notices.size(), 1u);
}

TEST_F(PictureTest, APictureIsLookedForBesideTheTextFirst) {
  // The text in another folder, with a picture of its own beside it; the
  // current folder holds desenho.txt too, with other dots.
  std::filesystem::create_directory(dir_.File("livro"));
  testing_support::WriteFile(dir_.File("livro/desenho.txt"), "titulo\r\nx\r\n");
  testing_support::WriteFile(dir_.File("livro/texto.txt"), "<G desenho.txt>\r\n<G so-aqui.txt>\r\n");
  testing_support::WriteFile(dir_.File("so-aqui.txt"), "titulo\r\n x\r\n");
  std::string received;
  MemorySink memory(received);
  PrintJob job(printSettings, codeTable, memory, user_);
  InputFile file;
  ASSERT_TRUE(file.Open(dir_.File("livro/texto.txt")));
  job.PrintCopy(file);
  // The first picture is the text's own (its one dot on the second row is
  // dot 2); the second is found only in the current folder (dot 5), and goes
  // on the page after the first.
  EXPECT_EQ(received, kEsc + "6" + L(",") + kEsc + "]\r\n" + "\r\n" + kFF + kEsc + "6" + L("~") + kEsc + "]\r\n" +
                          "\r\n" + kFF);
}

TEST_F(PictureTest, PictureWithTheOldRulesUsesTheCurrentTable) {
  testing_support::WriteFile(dir_.File("ambcode.cfg"), "61=31\n");
  testing_support::WriteFile(dir_.File("ambcode2.cfg"), "61=32\n");
  printSettings.AMBCODE = dir_.File("ambcode.cfg");
  printSettings.AMBCODE2 = dir_.File("ambcode2.cfg");
  printSettings.USABRAILLEANTIGO = true;
  ASSERT_TRUE(LoadCodeTable(printSettings.AMBCODE, codeTable).Whole());
  EXPECT_EQ(Print("<G desenho.txt>\r\na\r\n"),
            kEsc + "6" + L("\";") + L("2") + kEsc + "]\r\n" + "\r\n" + kFF + L("1") + kFF);
  EXPECT_TRUE(printSettings.USABRAILLEANTIGO);
}

TEST_F(PictureTest, OnlyThreeHundredRowsAndColumnsAreRead) {
  std::string big = "titulo\n";
  for (int row = 0; row < 400; ++row) big += std::string(400, 'x') + "\n";
  testing_support::WriteFile(dir_.File("grande.txt"), big);
  // Row 0 is empty, so the first cell row has dots 2 3 5 6; rows up to 299
  // give 100 cell rows of 150 cells.
  std::string expected = kEsc + "6" + L(std::string(150, '='));
  for (int cellRow = 1; cellRow < 100; ++cellRow) expected += L(std::string(150, '\xE9'));
  expected += kEsc + "]\r\n" + "\r\n" + kFF;
  EXPECT_EQ(Print("<G grande.txt>\r\n"), expected);
}

}  // namespace
