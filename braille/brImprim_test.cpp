#include "braille/print_job.h"

#include <string>
#include <vector>

#include "braille/composer_test_fixture.h"

namespace {

using composer_testing::Blanks;
using composer_testing::ComposerTest;
using composer_testing::kFF;
using composer_testing::L;

// Documents and the pages they give are rows of braille/testdata/composer/
// (test BrailleRows.Composer); here, the cases that take more than a few
// settings and a text: the code table, copies, pauses, very wide lines.

TEST_F(ComposerTest, HeaderOfFrontAndShiftedBackPages) {
  printSettings.COLUNAS = 34;
  printSettings.LINHAS = 2;
  printSettings.TITULA = true;
  printSettings.BRTIT = "Livro";
  printSettings.FRENTEVERSO = true;
  printSettings.TITULOATRAS = 2;
  printSettings.AFASTACABECPAR = true;
  const std::string title = "{livro";
  // Front: 13 blanks, title, 13 blanks, number: 34 cells. Back: the shifted
  // number, 12 blanks, the title.
  const std::string front1 = Blanks(13) + title + Blanks(13) + "#1";
  const std::string back2 = "  #2" + Blanks(12) + title;
  const std::string front3 = Blanks(13) + title + Blanks(13) + "#3";
  const std::string back4 = "  #4" + Blanks(12) + title;
  ASSERT_EQ(front3.size(), 34u);
  EXPECT_EQ(Print("a\r\nb\r\nc\r\nd\r\n"),
            L(front1) + L("a") + kFF + L(back2) + L("b") + kFF + L(front3) + L("c") + kFF + L(back4) + L("d") + kFF);
  // Not shifted: the back page's number stands at the left edge.
  printSettings.AFASTACABECPAR = false;
  printSettings.BRPAGINI = 4;
  EXPECT_EQ(Print("a\r\nb\r\nc\r\nd\r\n"), L("#4" + Blanks(13) + title) + L("d") + kFF);
}

TEST_F(ComposerTest, PageOfTwentyEightLinesHoldsTheHeaderAndTwentySevenBodyLines) {
  printSettings.LINHAS = 28;
  std::string text;
  for (int line = 0; line < 29; ++line) text += "a\r\n";
  std::string lines;
  for (int line = 0; line < 28; ++line) lines += L("a");
  // Without headers: 28 body lines, then the 29th on page 2.
  EXPECT_EQ(Print(text), lines + kFF + L("a") + kFF);
  // With headers: the header and 27 body lines; page 2 holds the other two.
  printSettings.TITULA = true;
  printSettings.COLUNAS = 10;
  printSettings.BRTIT = "ab";
  std::string bodyOfPageOne;
  for (int line = 0; line < 27; ++line) bodyOfPageOne += L("a");
  EXPECT_EQ(Print(text), L("   ab   #1") + bodyOfPageOne + kFF + L("   ab   #2") + L("a") + L("a") + kFF);
}

TEST_F(ComposerTest, HeaderIsTranscribedInItsOwnEnglishStyle) {
  printSettings.COLUNAS = 14;
  printSettings.LINHAS = 2;
  printSettings.TITULA = true;
  printSettings.BRTIT = "Livro";
  // Title 6 cells, number 2: d = 6, three blanks on each side. The body
  // keeps its own style across the header of page 2.
  printSettings.TEXTOINGLES = true;
  printSettings.BRINGLES_CABECALHO = false;
  EXPECT_EQ(Print("Um\r\nDois\r\n"),
            L("   {livro   #1") + L("\\um") + kFF + L("   {livro   #2") + L("\\dois") + kFF);
  printSettings.TEXTOINGLES = false;
  printSettings.BRINGLES_CABECALHO = true;
  EXPECT_EQ(Print("Um\r\nDois\r\n"),
            L("   \\livro   #1") + L("{um") + kFF + L("   \\livro   #2") + L("{dois") + kFF);
}

TEST_F(ComposerTest, HeaderFillerRunsStopAt43Blanks) {
  printSettings.COLUNAS = 100;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  // d = 96 would give 48 blanks on each side.
  EXPECT_EQ(Print("a\r\n"), L(Blanks(43) + "ab" + Blanks(43) + "#1") + L("a") + kFF);
}

TEST_F(ComposerTest, OemTextIsConvertedBeforeTranscription) {
  // Byte 0x87 is ç in code page 850, the double dagger in Windows-1252.
  EXPECT_EQ(Print("a\x87\r\n"), L("a\x87") + kFF);
  printSettings.TEXTODOEDIT = true;
  EXPECT_EQ(Print("a\x87\r\n"), L("a\xE7") + kFF);
}

TEST_F(ComposerTest, CodeTableMapsLinesAndMarginButNotControlBytes) {
  codeTable['a'] = 'A';
  codeTable[' '] = '.';
  codeTable['\r'] = 'R';
  codeTable['\n'] = 'N';
  codeTable['\f'] = 'F';
  EXPECT_EQ(Print("<M  >\r\nab a\r\n"), L("..Ab.A") + kFF);
}

TEST_F(ComposerTest, EveryCopyComesOutTheSame) {
  printSettings.COLUNAS = 12;
  printSettings.LINHAS = 3;
  printSettings.TITULA = true;
  printSettings.NUMERAORIG = true;
  printSettings.AUTOFORMATA = true;
  const std::string text = "<9>\r\n<Tx>\r\n<T+5>\r\num\r\n<F->\r\n<M >\r\ndois\r\n";
  const std::string one = Print(text);
  ASSERT_EQ(one, L("  #9  x   #5") + L("um") + L(" dois") + kFF);
  EXPECT_EQ(Print(text, 3), one + one + one);
}

// The last body line keeps the print page of its text: a reformatted
// paragraph's last line, written once the next print page's number has been
// read, still belongs to the page it was read on.
TEST_F(ComposerTest, TheLastLineLaidOutKeepsThePrintPageOfItsText) {
  printSettings.COLUNAS = 20;
  printSettings.LINHAS = 10;
  printSettings.AUTOFORMATA = true;
  Print("<1>\r\n  um dois\r\n<2>\r\n");
  EXPECT_EQ(composerState.printPageNumber, 2);
  EXPECT_EQ(composerState.lastLinePrintPage, 1);
  Print("<1>\r\n  um\r\n<2>\r\n  dois\r\n");
  EXPECT_EQ(composerState.lastLinePrintPage, 2);
}

// Pacing: the pause after each embossed line.
TEST_F(ComposerTest, PauseFollowsEveryEmbossedLine) {
  printSettings.COLUNAS = 10;
  printSettings.LINHAS = 2;
  printSettings.TITULA = true;
  printSettings.BRPAGINI = 2;
  printSettings.LINHASPORMINUTO = 1500;
  // Page 1 (two lines) lies before the range: no pause; pages 2 and 3 have
  // a header and a line each.
  Print("a\r\nb\r\nc\r\n");
  EXPECT_EQ(user_.pauses, (std::vector<int>{1500, 1500, 1500, 1500}));

  printSettings.LINHASPORMINUTO = 0;
  Print("a\r\nb\r\nc\r\n");
  EXPECT_TRUE(user_.pauses.empty());
}

}  // namespace
