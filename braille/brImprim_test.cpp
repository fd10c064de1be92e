#include "braille/print_job.h"

#include <string>
#include <vector>

#include "braille/composer_test_fixture.h"

namespace {

using composer_testing::Blanks;
using composer_testing::ComposerTest;
using composer_testing::kFF;
using composer_testing::L;

// Four short paragraphs, one line each.
constexpr std::string_view kFourLines = "um\r\ndois\r\ntres\r\nquatro\r\n";

TEST_F(ComposerTest, EmptyFileWritesNothing) {
  EXPECT_EQ(Print(""), "");
  printSettings.TITULA = true;
  printSettings.FRENTEVERSO = true;
  EXPECT_EQ(Print(""), "");
}

TEST_F(ComposerTest, EveryLineEndsWithCrLfAndTheLastPageWithAFormFeed) {
  printSettings.LINHAS = 3;
  EXPECT_EQ(Print(kFourLines), L("um") + L("dois") + L("tres") + kFF + L("quatro") + kFF);
}

TEST_F(ComposerTest, HeaderTakesTheFirstLineOfEveryPage) {
  printSettings.LINHAS = 3;
  printSettings.COLUNAS = 10;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  // d = 10 - 2 - 2: three blanks on each side of the title.
  EXPECT_EQ(Print(kFourLines),
            L("   ab   #1") + L("um") + L("dois") + kFF + L("   ab   #2") + L("tres") + L("quatro") + kFF);
  // The first printed number shifts every page number.
  printSettings.BRNUMINI = 7;
  EXPECT_EQ(Print("a\r\n"), L("   ab   #7") + L("a") + kFF);
}

TEST_F(ComposerTest, BlankLineNeverOpensAPageAfterTheFirst) {
  printSettings.LINHAS = 2;
  EXPECT_EQ(Print("a\r\nb\r\n\r\nc\r\n"), L("a") + L("b") + kFF + L("c") + kFF);
  // On the first page it is kept.
  EXPECT_EQ(Print("\r\na\r\n"), L("") + L("a") + kFF);
  // After a header it is written.
  printSettings.LINHAS = 3;
  printSettings.COLUNAS = 10;
  printSettings.TITULA = true;
  EXPECT_EQ(Print("a\r\nb\r\n\r\nc\r\n"),
            L(Blanks(8) + "#1") + L("a") + L("b") + kFF + L(Blanks(8) + "#2") + L("") + L("c") + kFF);
}

TEST_F(ComposerTest, ReformattingJoinsLinesIntoParagraphs) {
  printSettings.AUTOFORMATA = true;
  printSettings.COLUNAS = 20;
  // A blank line and a line beginning with a blank end the paragraph; one
  // leading blank is dropped, more are cut to two.
  EXPECT_EQ(Print("um\r\ndois\r\n\r\ntres\r\n quatro\r\n     cinco\r\nseis\r\n"),
            L("um dois") + L("") + L("tres") + L("quatro") + L("  cinco seis") + kFF);
  // So does a line beginning with a bullet (which becomes two cells).
  EXPECT_EQ(Print("um\r\n\x95 dois\r\n"), L("um") + L("\xF5o dois") + kFF);
}

TEST_F(ComposerTest, LineOfTenLeadingBlanksIsCentredAndEndsTheParagraph) {
  printSettings.AUTOFORMATA = true;
  printSettings.COLUNAS = 10;
  // The paragraph before it is centred too: (10 - 7) / 2 = 1 blank, then
  // (10 - 4) / 2 = 3 blanks.
  EXPECT_EQ(Print("um dois\r\n            tres\r\nquatro\r\n"), L(" um dois") + L("   tres") + L("quatro") + kFF);
  // Without reformatting nothing is centred.
  printSettings.AUTOFORMATA = false;
  printSettings.COLUNAS = 34;
  EXPECT_EQ(Print("            tres\r\n"), L(Blanks(12) + "tres") + kFF);
}

TEST_F(ComposerTest, CentredLineLongerThanTheWidthIsCutAndEveryPieceCentred) {
  printSettings.AUTOFORMATA = true;
  printSettings.COLUNAS = 10;
  // "aaaa bbbb" (9 cells) gets (10 - 9) / 2 = 0 blanks, "cccc" 3; the rest
  // is written at once, though reformatting would keep a partial line.
  EXPECT_EQ(Print(Blanks(11) + "aaaa bbbb cccc\r\ndddd\r\n"), L("aaaa bbbb") + L("   cccc") + L("dddd") + kFF);
  // Centred within the width the margin leaves: (8 - 4) / 2 = 2 blanks.
  EXPECT_EQ(Print("<M  >\r\n" + Blanks(12) + "tres\r\n"), L("    tres") + kFF);
}

TEST_F(ComposerTest, ContinuationLinesAreIndentedByTwoCells) {
  printSettings.COLUNAS = 12;
  const std::string text = "aaaa bbbb cccc dddd eeee\r\n";
  EXPECT_EQ(Print(text), L("aaaa bbbb") + L("cccc dddd") + L("eeee") + kFF);
  EXPECT_EQ(Print("<R+>\r\n" + text), L("aaaa bbbb") + L("  cccc dddd") + L("  eeee") + kFF);
  // Four cells still leave room for a character and the hyphen.
  printSettings.COLUNAS = 4;
  EXPECT_EQ(Print("<R+>\r\nabcdef\r\n"), L("abc-") + L("  d-") + L("  ef") + kFF);
}

TEST_F(ComposerTest, LinesTooNarrowForTheIndentAreNotIndented) {
  // Indented, a line of three cells would hold only the indent for ever.
  printSettings.COLUNAS = 3;
  EXPECT_EQ(Print("<R+>\r\nabcd\r\n"), L("ab-") + L("cd") + kFF);
  printSettings.COLUNAS = 10;
  EXPECT_EQ(Print("<R+>\r\n<M" + std::string(8, 'x') + ">\r\nabcd\r\n"),
            L("xxxxxxxxa-") + L("xxxxxxxxb-") + L("xxxxxxxxcd") + kFF);
}

TEST_F(ComposerTest, WidthBelowTwoAndPagesBelowOneLineAreTakenAsTheSmallestUsable) {
  printSettings.COLUNAS = 0;
  EXPECT_EQ(Print("abc\r\n"), L("a-") + L("bc") + kFF);
  printSettings.COLUNAS = -5;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  EXPECT_EQ(Print("abc\r\n"), L("ab#1") + L("a-") + L("bc") + kFF);
  printSettings.TITULA = false;
  printSettings.COLUNAS = 34;
  printSettings.LINHAS = 0;
  EXPECT_EQ(Print("a\r\nb\r\n"), L("a") + kFF + L("b") + kFF);
}

TEST_F(ComposerTest, InterpointEndsOnAFullSheet) {
  printSettings.FRENTEVERSO = true;
  printSettings.LINHAS = 1;
  // Three pages: a blank back side follows.
  EXPECT_EQ(Print("a\r\nb\r\nc\r\n"), L("a") + kFF + L("b") + kFF + L("c") + kFF + "\r\n" + kFF);
  // Four pages fill two sheets.
  EXPECT_EQ(Print("a\r\nb\r\nc\r\nd\r\n"), L("a") + kFF + L("b") + kFF + L("c") + kFF + L("d") + kFF);
}

TEST_F(ComposerTest, InterpointHeadersOnFrontPagesOnly) {
  printSettings.FRENTEVERSO = true;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  printSettings.COLUNAS = 10;
  printSettings.LINHAS = 2;
  // The back page has no header and so room for two body lines.
  EXPECT_EQ(Print("a\r\nb\r\nc\r\nd\r\n"),
            L("   ab   #1") + L("a") + kFF + L("b") + L("c") + kFF + L("   ab   #3") + L("d") + kFF + "\r\n" + kFF);
}

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

TEST_F(ComposerTest, PrintEditionNumberOnlyInTheHeadersOfFrontPages) {
  printSettings.COLUNAS = 12;
  printSettings.LINHAS = 2;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  printSettings.NUMERAORIG = true;
  printSettings.FRENTEVERSO = true;
  printSettings.TITULOATRAS = 2;
  // Front: "  #5" (4) + 2 blanks + "ab" + 2 blanks + "#1" (d = 4). Back: no
  // print-edition number; "#2", 4 blanks, "ab" (d = 8, the right fill trimmed).
  EXPECT_EQ(Print("<5>\r\na\r\nb\r\n"), L("  #5  ab  #1") + L("a") + kFF + L("#2    ab") + L("b") + kFF);
}

TEST_F(ComposerTest, TitleWiderThanTheLineHasNoFiller) {
  printSettings.COLUNAS = 10;
  printSettings.TITULA = true;
  printSettings.BRTIT = "abcdefghijk";
  EXPECT_EQ(Print("a\r\n"), L("abcdefghijk#1") + L("a") + kFF);
}

TEST_F(ComposerTest, HeaderFillerRunsStopAt43Blanks) {
  printSettings.COLUNAS = 100;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  // d = 96 would give 48 blanks on each side.
  EXPECT_EQ(Print("a\r\n"), L(Blanks(43) + "ab" + Blanks(43) + "#1") + L("a") + kFF);
}

TEST_F(ComposerTest, PageRangeWithinTheDocument) {
  printSettings.COLUNAS = 10;
  printSettings.LINHAS = 2;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  printSettings.BRPAGINI = 2;
  printSettings.BRPAGFIN = 3;
  // Page 1 is composed but not written and no form feed precedes page 2;
  // the form feed ending page 3 comes as page 4 begins, then reading stops.
  EXPECT_EQ(Print("a\r\nb\r\nc\r\nd\r\ne\r\n"), L("   ab   #2") + L("b") + kFF + L("   ab   #3") + L("c") + kFF);
}

TEST_F(ComposerTest, PageRangeAfterTheEndWritesOnlyTheLastFormFeed) {
  printSettings.LINHAS = 1;
  printSettings.BRPAGINI = 7;
  printSettings.BRPAGFIN = 9;
  const std::string fivePages = "a\r\nb\r\nc\r\nd\r\ne\r\n";
  EXPECT_EQ(Print(fivePages), kFF);
  printSettings.FRENTEVERSO = true;
  EXPECT_EQ(Print(fivePages), kFF + "\r\n" + kFF);
}

TEST_F(ComposerTest, PagesAfterTheRangeFeedNoBlankSheets) {
  // One input line running over pages 1 to 3 while only page 1 is wanted:
  // page 1 is ended, pages 2 and 3 are neither written nor ended.
  printSettings.COLUNAS = 5;
  printSettings.LINHAS = 1;
  printSettings.BRPAGFIN = 1;
  EXPECT_EQ(Print("aaaa bbbb cccc\r\n"), L("aaaa") + kFF);
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

TEST_F(ComposerTest, PageRangeWithAMargin) {
  printSettings.COLUNAS = 10;
  printSettings.LINHAS = 2;
  printSettings.TITULA = true;
  printSettings.BRTIT = "ab";
  printSettings.BRPAGINI = 2;
  printSettings.BRPAGFIN = 3;
  // The input ends on page 4, which is neither embossed nor ended.
  EXPECT_EQ(Print("<M  >\r\na\r\nb\r\nc\r\nd\r\n"),
            L("   ab   #2") + L("  b") + kFF + L("   ab   #3") + L("  c") + kFF);
}

}  // namespace
