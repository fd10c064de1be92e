#include "braille/braille_cells.h"

#include "braille/braille_alphabet.h"
#include "braille/code_table.h"

int InternalCharacterDots(unsigned char c, bool oldRules) { return braille_alphabet::Dots(c, oldRules); }

void AppendUnicodeCell(std::string& utf8, unsigned char pattern) {
  // U+2800 + pattern (below 256) is E2 A0|pattern>>6 80|pattern&3F in UTF-8.
  utf8 += '\xE2';
  utf8 += static_cast<char>(0xA0 | (pattern >> 6));
  utf8 += static_cast<char>(0x80 | (pattern & 0x3F));
}

std::string UnicodeBrailleFromInternal(std::string_view internal, bool oldRules) {
  std::string utf8;
  utf8.reserve(internal.size() * 3);
  for (const char byte : internal) {
    const int pattern = InternalCharacterDots(static_cast<unsigned char>(byte), oldRules);
    if (pattern < 0) {
      utf8 += "\xEF\xBF\xBD";  // U+FFFD
    } else {
      AppendUnicodeCell(utf8, static_cast<unsigned char>(pattern));
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
