#include "braille/braille_cells.h"

#include "braille/braille_alphabet.h"
#include "braille/code_table.h"

int InternalCharacterDots(unsigned char c, bool oldRules) { return braille_alphabet::Dots(c, oldRules); }

std::string UnicodeBrailleFromInternal(std::string_view internal, bool oldRules) {
  std::string utf8;
  utf8.reserve(internal.size() * 3);
  for (const char byte : internal) {
    const int pattern = InternalCharacterDots(static_cast<unsigned char>(byte), oldRules);
    // U+2800 + pattern (below 64) is E2 A0 80|pattern in UTF-8; U+FFFD is EF BF BD.
    if (pattern < 0) {
      utf8 += "\xEF\xBF\xBD";
    } else {
      utf8 += "\xE2\xA0";
      utf8 += static_cast<char>(0x80 | pattern);
    }
  }
  return utf8;
}

DotsOfByte CellsOfTable(const CodeTable& table, bool oldRules) {
  DotsOfByte dots;
  dots.fill(-1);
  for (int c = 0; c < 256; ++c) {
    const int pattern = InternalCharacterDots(static_cast<unsigned char>(c), oldRules);
    const unsigned char byte = table[static_cast<std::size_t>(c)];
    if (pattern >= 0 && dots[byte] < 0) dots[byte] = pattern;
  }
  return dots;
}
