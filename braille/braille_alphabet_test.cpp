#include "braille/braille_alphabet.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "braille/braille_cells.h"

namespace {

using braille_alphabet::Group;
using braille_alphabet::Row;

// A six-dot pattern as its Unicode Braille character, U+2800 + pattern.
std::string UnicodeCell(int pattern) {
  std::string cell = "\xE2";
  cell += static_cast<char>(0xA0 | (pattern >> 6));
  cell += static_cast<char>(0x80 | (pattern & 0x3F));
  return cell;
}

// The line of the alphabet file that gives a character its cell in one
// group, or null.
const Row* FindRow(std::string_view character, std::initializer_list<Group> groups) {
  for (const Row& row : braille_alphabet::kRows) {
    if (row.character != character) continue;
    for (const Group group : groups) {
      if (row.group == group) return &row;
    }
  }
  return nullptr;
}

struct Sign {
  std::string character;  // as printed, UTF-8
  std::string cell;       // its Braille cell
};

// Rows of Portuguese Braille that are the same under both rule sets: the
// accented letters, and the digits, which after the number sign ⠼ are the
// cells of a to j.
TEST(BrailleAlphabet, PortugueseLettersAndDigitsHaveTheirCells) {
  const std::vector<Sign> signs = {
      {"á", "⠷"}, {"à", "⠫"}, {"â", "⠡"}, {"ã", "⠜"}, {"ç", "⠯"}, {"é", "⠿"}, {"ê", "⠣"},
      {"í", "⠌"}, {"ó", "⠬"}, {"ô", "⠹"}, {"õ", "⠪"}, {"ú", "⠾"}, {"ü", "⠳"}, {"#", "⠼"},
      {"1", "⠁"}, {"2", "⠃"}, {"3", "⠉"}, {"4", "⠙"}, {"5", "⠑"}, {"6", "⠋"}, {"7", "⠛"},
      {"8", "⠓"}, {"9", "⠊"}, {"0", "⠚"},
  };
  for (const Sign& sign : signs) {
    const Row* row = FindRow(sign.character, {Group::kBase, Group::kBoth});
    ASSERT_NE(row, nullptr) << sign.character << " is not in the alphabet";
    EXPECT_EQ(UnicodeCell(row->dots), sign.cell) << sign.character << ", line " << row->line;
    for (const bool oldRules : {false, true}) {
      EXPECT_EQ(UnicodeBrailleFromInternal(std::string(1, static_cast<char>(row->internal)), oldRules), sign.cell)
          << sign.character << (oldRules ? ", old rules" : ", current rules");
    }
  }
}

// Signs the two rule sets write differently: the full stop and the
// parentheses (now written with a second cell, ⠣⠄ and ⠠⠜).
TEST(BrailleAlphabet, SignsOfEachRuleSet) {
  struct RuleSign {
    std::string character;
    std::string currentCell;
    std::string oldCell;
  };
  const std::vector<RuleSign> signs = {{".", "⠄", "⠲"}, {"(", "⠣", "⠶"}, {")", "⠜", "⠶"}};
  for (const RuleSign& sign : signs) {
    const Row* current = FindRow(sign.character, {Group::kCurrent});
    const Row* old = FindRow(sign.character, {Group::kOld});
    ASSERT_NE(current, nullptr) << sign.character;
    ASSERT_NE(old, nullptr) << sign.character;
    EXPECT_EQ(UnicodeCell(current->dots), sign.currentCell) << sign.character;
    EXPECT_EQ(UnicodeCell(old->dots), sign.oldCell) << sign.character;
    const std::string internal(1, static_cast<char>(current->internal));
    EXPECT_EQ(UnicodeBrailleFromInternal(internal, false), sign.currentCell) << sign.character;
    EXPECT_EQ(UnicodeBrailleFromInternal(internal, true), sign.oldCell) << sign.character;
  }
}

// Each of the 64 cells has one base line, whose character is the cell's.
TEST(BrailleAlphabet, TheBaseLinesAreTheSixtyFourCells) {
  std::vector<int> linesOfCell(64, 0);
  for (const Row& row : braille_alphabet::kRows) {
    if (row.group != Group::kBase) continue;
    ++linesOfCell[row.dots];
    EXPECT_EQ(braille_alphabet::kCellCharacters[row.dots], row.internal) << "line " << row.line;
  }
  EXPECT_EQ(linesOfCell, std::vector<int>(64, 1));
}

}  // namespace
