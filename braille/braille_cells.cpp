#include "braille/braille_cells.h"

#include <span>

#include "braille/code_table.h"

namespace {

// Dot numbers written as a decimal number, 1246 for dots 1 2 4 6; 0 is the
// blank cell.
constexpr int Dots(int dotNumbers) {
  int pattern = 0;
  for (; dotNumbers > 0; dotNumbers /= 10) pattern |= 1 << (dotNumbers % 10 - 1);
  return pattern;
}

struct Cell {
  unsigned char character;
  int dotNumbers;
};

// A digit after the number sign is the cell of a letter a..j (0 is j).
constexpr int kDigitDotNumbers[10] = {245, 1, 12, 14, 145, 15, 124, 1245, 125, 24};

// Signs of the current rules (Grafia Braille para a Língua Portuguesa and
// its unified mathematics code) that differ from the old rules.
constexpr Cell kCurrentRulesCells[] = {
    {'\\', 6},      // English capital sign; first cell of ) ] / and guillemets
    {'(', 126},     // opening parenthesis, with dot 3 after it in text
    {')', 345},     // closing parenthesis, after dot 6 in text
    {']', 23456},   // closing bracket, after dot 6
    {'.', 3},       // full stop, thousands point, ellipsis
    {'/', 256},     // lower 4; English full stop
    {'&', 12346},   // ampersand
    {0xEC, 34},     // English oblique stroke (replaces the letter ì)
    {0x94, 236},    // quotes of every kind are dots 2 3 6
    {0xBB, 236},
    {0x9B, 236},
};

// The old rules: full stop 2 5 6, both parentheses 2 3 5 6, quotes 2 3 6
// opening and 3 5 6 closing, capital sign 4 6 written as ']' (dot 6 '&' in
// English style), oblique stroke 3 4.
constexpr Cell kOldRulesCells[] = {
    {'{', 236},   // opening quote (the character of the capital sign cell in the picture table)
    {']', 46},    // capital sign
    {'&', 6},     // English capital sign
    {'.', 256},
    {'(', 2356},
    {')', 2356},
    {'/', 34},
    {'\\', 34},
    {0xEC, 146},  // ì as a letter
    {0x94, 356},  // closing quotes
    {0xBB, 356},
    {0x9B, 356},
};

// Characters with the same cell under both rule sets, beyond the cells of
// DotPatternTable: signs the transcription writes, and print characters that
// it passes through, which take the cell of their Braille sign, of their
// letter in the Braille of its language, or of the sign they stand for.
constexpr Cell kSharedCells[] = {
    {'+', 235},    // plus
    {'[', 12356},  // opening bracket
    {0xD7, 236},   // multiplication sign
    {0xF7, 256},   // division sign, fraction bar after dot 5
    {0xB0, 356},   // degree
    {0x80, 4},     // currency sign: the euro is dot 4 then e
    {0xE5, 16},    // superscript sign; also the Scandinavian å
    {'<', 246},    // less than
    {'>', 135},    // greater than
    {'@', 345},
    {'|', 456},
    {0xA6, 456},   // broken bar
    // Spacing accents take the cell DotPatternTable gives '^' and '~'.
    {'`', 4},
    {0x88, 4},
    {0xB4, 4},
    {0xA8, 4},
    {0xB8, 4},
    {0xAF, 4},
    {0x98, 5},
    // Currency signs: the currency prefix.
    {0xA2, 4},
    {0xA3, 4},
    {0xA4, 4},
    {0xA5, 4},
    // Quotes, apostrophes, dashes, dots.
    {0x82, 3},     // single low quote
    {0x91, 3},     // single quotes
    {0x92, 3},
    {0x84, 236},   // double low quote
    {0x93, 236},   // opening double quote
    {0xAB, 236},   // opening guillemet
    {0x8B, 236},   // single opening guillemet
    {0x85, 3},     // ellipsis: one cell of the three
    {0x96, 36},    // dashes and the soft hyphen: the hyphen
    {0x97, 36},
    {0xAD, 36},
    {0xB7, 3},     // middle dot: multiplication point
    {0x95, 246},   // bullet
    {0x86, 35},    // daggers: reference marks like the asterisk
    {0x87, 35},
    {0x89, 456},   // per mille: first cell of its sign
    {0xB1, 235},   // plus-minus: the plus
    {0xA1, 235},   // inverted exclamation and question marks
    {0xBF, 26},
    // Signs read as their letter or digit.
    {0xA9, 14},    // copyright: c
    {0xAE, 1235},  // registered: r
    {0x99, 2345},  // trade mark: t
    {0xB6, 1234},  // pilcrow: p
    {0xB5, 134},   // micro: m
    {0x83, 124},   // florin: f
    {0xAA, 1},     // ordinal indicators: a, o
    {0xBA, 135},
    {0xB9, 1},     // superscript digits: the digit cells
    {0xB2, 12},
    {0xB3, 14},
    {0xBC, 3456},  // vulgar fractions: the number sign they begin with
    {0xBD, 3456},
    {0xBE, 3456},
    // Letters of other languages: the cell Portuguese Braille texts use for
    // them (German, Danish, Swedish, French, Spanish), else the base letter.
    {0xE4, 345},    // ä
    {0xE6, 345},    // æ
    {0xF6, 246},    // ö
    {0xF8, 246},    // ø
    {0x9C, 246},    // œ
    {0x8C, 246},    // Œ
    {0xEB, 1246},   // ë
    {0xF1, 12456},  // ñ
    {0xF2, 2456},   // ò
    {0xF9, 156},    // ù
    {0xF0, 145},    // ð: d
    {0xFE, 2345},   // þ: t
    {0x8A, 234},    // Š š: s
    {0x9A, 234},
    {0x8E, 1356},   // Ž ž: z
    {0x9E, 1356},
    {0x9F, 256},    // Ÿ: the cell of ÿ
    // Invisible bytes: the no-break space, DEL and the five bytes
    // Windows-1252 leaves undefined.
    {0xA0, 0},
    {0x7F, 0},
    {0x81, 0},
    {0x8D, 0},
    {0x8F, 0},
    {0x90, 0},
    {0x9D, 0},
};

int FindCell(std::span<const Cell> cells, unsigned char c) {
  for (const Cell& cell : cells) {
    if (cell.character == c) return Dots(cell.dotNumbers);
  }
  return -1;
}

}  // namespace

int InternalCharacterDots(unsigned char c, bool oldRules) {
  const int ruleSetCell = FindCell(oldRules ? std::span<const Cell>(kOldRulesCells) : kCurrentRulesCells, c);
  if (ruleSetCell >= 0) return ruleSetCell;
  if (c >= '0' && c <= '9') return Dots(kDigitDotNumbers[c - '0']);
  for (int pattern = 0; pattern < 64; ++pattern) {
    if (DotPatternTable[pattern] == c) return pattern;
  }
  return FindCell(kSharedCells, c);
}

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
