#include "braille/braille_cells.h"

#include "braille/braille_alphabet.h"

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
