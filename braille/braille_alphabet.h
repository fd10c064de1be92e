// The Portuguese Braille alphabet: the cell of every internal character
// (Windows-1252, one byte a cell) under the current and the old rules, and
// the base character of each of the 64 six-dot cells. It is written once, in
// data/braille/alfabeto.txt, and made into these tables at build time. The
// library (relevix_braille_alphabet) depends on nothing, so the chord
// keyboard below braille/ reads the same alphabet as the code tables.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace braille_alphabet {

// The group of a line of the alphabet file: one of the 64 base cells (both
// rule sets), another sign the same in both rule sets, or a sign of the
// current or of the old rules only.
enum class Group : std::uint8_t { kBase, kBoth, kCurrent, kOld };

// One line of the alphabet file.
struct Row {
  std::string_view character;  // UTF-8, as the line means it
  unsigned char internal;      // the same character in Windows-1252
  std::uint8_t dots;           // dot 1 = bit 0 ... dot 6 = bit 5; 0 the blank cell
  Group group;
  int line;                    // its line in the file
};

}  // namespace braille_alphabet

// The generated tables:
//   kCellCharacters    indexed by dot pattern, the base character of the cell;
//   kCurrentRulesDots  indexed by internal character, its dot pattern under
//   kOldRulesDots      the rule set, or -1 for a byte that is no cell;
//   kRows              the lines of the file, in order.
#include "braille/braille_alphabet_tables.h"

namespace braille_alphabet {

// The dot pattern of an internal character under the old or the current
// rules, or -1 when it is no cell.
constexpr int Dots(unsigned char c, bool oldRules) { return (oldRules ? kOldRulesDots : kCurrentRulesDots)[c]; }

}  // namespace braille_alphabet
