#include "editor/file_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(FileNamesTest, LettersOfBothCodePagesFoldToTheirBaseCapital) {
  EXPECT_EQ(SortFold('a'), 'A');
  EXPECT_EQ(SortFold('Z'), 'Z');
  EXPECT_EQ(SortFold('3'), '3');
  // The c with cedilla: 135 in code page 850, 231 in Windows-1252.
  EXPECT_EQ(SortFold(135), 'C');
  EXPECT_EQ(SortFold(231), 'C');
  EXPECT_EQ(SortFold(128), 'C');  // Ç in code page 850
  EXPECT_EQ(SortFold(160), 'A');  // á in code page 850
  EXPECT_EQ(SortFold(164), 'N');  // ñ in code page 850
  EXPECT_EQ(SortFold(0xE1), 'A');  // á
  EXPECT_EQ(SortFold(0xC3), 'A');  // Ã
  EXPECT_EQ(SortFold(0xF5), 'O');  // õ
  EXPECT_EQ(SortFold(0xFC), 'U');  // ü
  // × and ÷ in Windows-1252, × in code page 850.
  EXPECT_EQ(SortFold(0xD7), 'X');
  EXPECT_EQ(SortFold(0xF7), 'X');
  EXPECT_EQ(SortFold(158), 'X');
  // Æ and æ of both code pages.
  EXPECT_EQ(SortFold(0xC6), 145);
  EXPECT_EQ(SortFold(0xE6), 145);
  EXPECT_EQ(SortFold(146), 145);
  // Signs.
  EXPECT_EQ(SortFold(0xA9), 254);  // ©
  EXPECT_EQ(SortFold(0xDF), 254);  // ß
  EXPECT_EQ(SortFold(156), 254);   // £ in code page 850
}

TEST(FileNamesTest, TheListIsSortedWithoutCaseOrAccents) {
  std::vector<std::string> names{"zebra", "\xC7" "arro", "casa", "banana", "\xC1rvore", "abacaxi", "a", "A"};
  std::sort(names.begin(), names.end(), ListsBefore);
  EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "abacaxi", "\xC1rvore", "banana", "\xC7" "arro", "casa",
                                             "zebra"}));
}

TEST(FileNamesTest, MasksTakeStarsQuestionMarksAndNamesWithoutExtension) {
  EXPECT_TRUE(MatchesMask("Carta.TXT", "*.txt*"));
  EXPECT_FALSE(MatchesMask("carta.doc", "*.txt*"));
  EXPECT_TRUE(MatchesMask("leia", "*.*"));
  EXPECT_TRUE(MatchesMask("leia", "*.**"));
  EXPECT_FALSE(MatchesMask("leia", "*.t*"));
  EXPECT_TRUE(MatchesMask("leia.me", "*.*"));
  EXPECT_TRUE(MatchesMask("abc.doc", "abc*.*"));
  EXPECT_TRUE(MatchesMask("abcdef", "abc*.*"));
  EXPECT_FALSE(MatchesMask("xabc", "abc*.*"));
  EXPECT_TRUE(MatchesMask("nota1.txt", "nota?.txt*"));
  EXPECT_FALSE(MatchesMask("nota12.txt", "nota?.txt*"));
  EXPECT_TRUE(MatchesMask("\xC1rvore.txt", "\xE1r*.*"));  // accents without case too
}

TEST(FileNamesTest, ShortFormsKeepSixCharactersAndThreeOfTheExtension) {
  EXPECT_EQ(ShortName("abc.txt"), "ABC.TXT");
  EXPECT_EQ(ShortName("pasta"), "PASTA");
  EXPECT_EQ(ShortName("Meu Documento.html"), "MEUDOC~1.HTM");
  EXPECT_EQ(ShortName("relatorio.final.txt"), "RELATO~1.TXT");
  EXPECT_EQ(ShortName("a+b.txt"), "A_B~1.TXT");
  EXPECT_EQ(ShortName("Relat\xF3rio.txt"), "RELAT\xD3~1.TXT");
  EXPECT_EQ(ShortName(".bashrc"), "BASHRC~1");
}

}  // namespace
