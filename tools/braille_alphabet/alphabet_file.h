// The Braille alphabet file (data/braille/alfabeto.txt): one line per
// character, with its cell as dot numbers and/or a Unicode Braille cell and
// the group it belongs to. Read here and written out as the constexpr tables
// of braille/braille_alphabet.h at build time.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// base: one of the 64 cells, in both rule sets; ambas: another sign, the same
// in both; atual, antiga: the current or the old rules only, in place of a
// base or ambas line of the same character.
enum class AlphabetGroup { kBase, kBoth, kCurrent, kOld };

struct AlphabetLine {
  std::string character;   // UTF-8, as the file means it (U+0020 is " ")
  unsigned char internal;  // the same character in Windows-1252
  int dots;                // dot 1 = bit 0 ... dot 6 = bit 5
  AlphabetGroup group;
  int line;
};

struct Alphabet {
  std::vector<AlphabetLine> lines;
  // Indexed by dot pattern: the base character of the cell.
  std::array<unsigned char, 64> cellCharacters{};
  // Indexed by internal character: its dot pattern, -1 when it is no cell.
  std::array<int, 256> currentRulesDots{};
  std::array<int, 256> oldRulesDots{};
};

struct AlphabetError {
  int line;  // 0: the file as a whole
  std::string message;
};

struct AlphabetReading {
  Alphabet alphabet;
  std::vector<AlphabetError> errors;  // empty when the alphabet is whole
};

// Reads the text of an alphabet file; every malformed line gives an error, as
// does a base cell without a character.
AlphabetReading ReadAlphabet(std::string_view text);

// The dot numbers of a pattern, "1246"; "0" for the blank cell.
std::string DotNumbers(int pattern);

// The C++ header that holds the alphabet's tables.
std::string AlphabetTablesSource(const Alphabet& alphabet);
