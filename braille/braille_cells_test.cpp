#include "braille/braille_cells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "braille/code_table.h"

namespace {

// "1246" -> the pattern of dots 1 2 4 6; "" is the blank cell.
int Pattern(const std::string& dots) {
  int pattern = 0;
  for (const char dot : dots) pattern |= 1 << (dot - '1');
  return pattern;
}

struct Expected {
  unsigned char character;
  std::string dots;
};

void ExpectCells(const std::vector<Expected>& cells, bool oldRules) {
  for (const Expected& cell : cells) {
    EXPECT_EQ(InternalCharacterDots(cell.character, oldRules), Pattern(cell.dots))
        << "character " << int{cell.character} << (oldRules ? ", old rules" : ", current rules");
  }
}

void ExpectCellsInBothRuleSets(const std::vector<Expected>& cells) {
  ExpectCells(cells, false);
  ExpectCells(cells, true);
}

TEST(BrailleCellsTest, LettersOfTheBrailleAlphabet) {
  ExpectCellsInBothRuleSets({{'a', "1"},    {'b', "12"},   {'c', "14"},   {'d', "145"},   {'e', "15"},   {'f', "124"},
                             {'g', "1245"}, {'h', "125"},  {'i', "24"},   {'j', "245"},   {'k', "13"},   {'l', "123"},
                             {'m', "134"},  {'n', "1345"}, {'o', "135"},  {'p', "1234"},  {'q', "12345"}, {'r', "1235"},
                             {'s', "234"},  {'t', "2345"}, {'u', "136"},  {'v', "1236"},  {'w', "2456"}, {'x', "1346"},
                             {'y', "13456"}, {'z', "1356"}});
}

TEST(BrailleCellsTest, PortugueseAccentedLetters) {
  ExpectCellsInBothRuleSets({{0xE1, "12356"}, {0xE0, "1246"}, {0xE2, "16"},   {0xE3, "345"},  {0xE9, "123456"},
                             {0xEA, "126"},   {0xED, "34"},   {0xF3, "346"},  {0xF4, "1456"}, {0xF5, "246"},
                             {0xFA, "23456"}, {0xFC, "1256"}, {0xE7, "12346"}});
}

TEST(BrailleCellsTest, DigitsAreTheCellsOfAToJ) {
  ExpectCellsInBothRuleSets({{'1', "1"},
                             {'2', "12"},
                             {'3', "14"},
                             {'4', "145"},
                             {'5', "15"},
                             {'6', "124"},
                             {'7', "1245"},
                             {'8', "125"},
                             {'9', "24"},
                             {'0', "245"},
                             {'#', "3456"}});
}

// The lower digits 0..9 are dots 356, 2, 23, 25, 256, 26, 235, 2356, 236, 35.
TEST(BrailleCellsTest, LowerDigitCharacters) {
  ExpectCells({{'}', "356"},
               {',', "2"},
               {';', "23"},
               {':', "25"},
               {'/', "256"},
               {'?', "26"},
               {'!', "235"},
               {'=', "2356"},
               {'"', "236"},
               {'*', "35"}},
              false);
  ExpectCells({{'}', "356"},
               {',', "2"},
               {';', "23"},
               {':', "25"},
               {'.', "256"},
               {'?', "26"},
               {'!', "235"},
               {')', "2356"},
               {'{', "236"},
               {'*', "35"}},
              true);
}

TEST(BrailleCellsTest, SignsOfTheCurrentRules) {
  ExpectCells({{'{', "46"},       // capital sign
               {'\\', "6"},       // English capital sign, prefix of ) ] /
               {'(', "126"},      // ( is 126 3
               {'.', "3"},        // full stop
               {')', "345"},      // ) is 6 345
               {'[', "12356"},    // [ is 12356 3
               {']', "23456"},    // ] is 6 23456
               {'-', "36"},
               {'\'', "3"},
               {'~', "5"},
               {'&', "12346"},
               {'+', "235"},
               {0xD7, "236"},     // ×
               {0xF7, "256"},     // ÷
               {0xB0, "356"},     // °
               {0x80, "4"},       // € before e
               {0xE5, "16"},      // superscript sign
               {0xEC, "34"},      // English oblique stroke
               {0xAC, "45"}},     // ¬ before b for ß
              false);
}

TEST(BrailleCellsTest, SignsOfTheOldRules) {
  ExpectCells({{']', "46"},       // capital sign
               {'&', "6"},        // English capital sign
               {'{', "236"},      // opening quote
               {'}', "356"},      // closing quote
               {'.', "256"},      // full stop
               {'(', "2356"},     // parentheses
               {')', "2356"},
               {'\'', "3"},       // thousands point, ellipsis
               {'-', "36"},       // date separator
               {'_', "456"},
               {'+', "235"},
               {0xF7, "256"},     // ÷
               {0xB0, "356"},
               {0xEC, "146"}},    // ì as a letter
              true);
}

TEST(BrailleCellsTest, EveryDotPatternTableCharacterHasItsCell) {
  for (int pattern = 0; pattern < 64; ++pattern) {
    const unsigned char c = DotPatternTable[pattern];
    EXPECT_EQ(InternalCharacterDots(c, false), pattern) << "character " << int{c};
    // The old rules use '{' as the opening quote.
    if (c != '{') {
      EXPECT_EQ(InternalCharacterDots(c, true), pattern) << "character " << int{c};
    }
  }
}

TEST(BrailleCellsTest, BytesThatAreNoCell) {
  for (const bool oldRules : {false, true}) {
    for (int c = 0; c < 32; ++c) EXPECT_EQ(InternalCharacterDots(c, oldRules), -1) << c;
    for (int c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(InternalCharacterDots(c, oldRules), -1) << c;
    for (int c = 0xC0; c <= 0xDE; ++c) {
      if (c != 0xD7) {
        EXPECT_EQ(InternalCharacterDots(c, oldRules), -1) << c;
      }
    }
    EXPECT_EQ(InternalCharacterDots(0xDF, oldRules), -1);
    EXPECT_EQ(InternalCharacterDots('%', oldRules), -1);
    EXPECT_EQ(InternalCharacterDots(0xA7, oldRules), -1);
  }
}

TEST(BrailleCellsTest, InvisibleBytesAreBlankCells) {
  ExpectCellsInBothRuleSets({{' ', ""}, {0xA0, ""}, {0x7F, ""}, {0x81, ""}, {0x8D, ""}, {0x8F, ""}, {0x90, ""},
                             {0x9D, ""}});
}

TEST(BrailleCellsTest, UnicodeBraille) {
  // ⠨⠃⠗⠁⠎⠊⠇: U+2828 U+2803 U+2817 U+2801 U+280E U+280A U+2807.
  const std::string brasil = "\xE2\xA0\xA8\xE2\xA0\x83\xE2\xA0\x97\xE2\xA0\x81\xE2\xA0\x8E\xE2\xA0\x8A\xE2\xA0\x87";
  EXPECT_EQ(UnicodeBrailleFromInternal("{brasil", false), brasil);
  EXPECT_EQ(UnicodeBrailleFromInternal("]brasil", true), brasil);
  // Blank U+2800, full cell U+283F, number sign U+283C.
  EXPECT_EQ(UnicodeBrailleFromInternal(" \xE9#", false), "\xE2\xA0\x80\xE2\xA0\xBF\xE2\xA0\xBC");
  // The full stop: dot 3 (U+2804) now, dots 2 5 6 (U+2832) in the old rules.
  EXPECT_EQ(UnicodeBrailleFromInternal(".", false), "\xE2\xA0\x84");
  EXPECT_EQ(UnicodeBrailleFromInternal(".", true), "\xE2\xA0\xB2");
  EXPECT_EQ(UnicodeBrailleFromInternal("A\x01", false), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(UnicodeBrailleFromInternal("", true), "");
}

}  // namespace
