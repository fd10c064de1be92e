// Line breaking with Portuguese syllable separation. Prefers a break between
// words, then a syllable boundary inside the last word (closed by a hyphen),
// and cuts the word at the width when neither is found.
#include "braille/line_breaking.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace {

constexpr char kBlank = ' ';
constexpr char kHyphen = '-';

// The search for a break stops before this many cells, so a divided line is
// never shorter; a line ending at a word end is not trimmed below it either.
constexpr std::size_t kShortestDividedLine = 10;

// The vowels: a e i o u à á â ã é ê í ó ô õ ú, small and capital. ü, è, y
// and the other accented letters are not vowels here.
constexpr std::string_view Vowels =
    "aeiou" "\xE0\xE1\xE2\xE3\xE9\xEA\xED\xF3\xF4\xF5\xFA"
    "AEIOU" "\xC0\xC1\xC2\xC3\xC9\xCA\xCD\xD3\xD4\xD5\xDA";

// The consonants, with ç. The small h is left out so that nh, lh and ch
// stay together; k, w and y are not consonants in either case.
constexpr std::string_view Consonants =
    "bcdfgjlmnpqrstvxz" "\xE7"
    "BCDFGHJLMNPQRSTVXZ" "\xC7";

bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

bool IsVowel(char c) { return IsOneOf(c, Vowels); }
bool IsConsonant(char c) { return IsOneOf(c, Consonants); }

// Whether a line may end just before the character at 1-based position a
// (x = a - 1, y = a, z = a + 1, p = a - 2); a >= 3 and a + 1 within the text.
bool IsBreakBefore(std::string_view text, std::size_t a, bool syllableSeparation) {
  const char p = text[a - 3];
  const char x = text[a - 2];
  const char y = text[a - 1];
  const char z = text[a];
  if (x == kBlank) return true;  // between two words
  // ca-sa: a single vowel is never left alone at the start of a word.
  if (syllableSeparation && p != kBlank && IsVowel(x) && IsConsonant(y) && IsVowel(z)) return true;
  // can-to, par-te, pas-ta
  if (IsOneOf(x, "nrsNRS") && IsConsonant(y) && IsVowel(z)) return true;
  // al-to
  if (IsOneOf(x, "lL") && IsConsonant(y) && y != 'l' && y != 'L' && IsVowel(z)) return true;
  // con-trato, des-graça
  if (IsOneOf(x, "nrsNRS") && IsOneOf(y, "cdfgtvCDFGTV") && IsOneOf(z, "lrLR")) return true;
  // som-bra, com-pra
  if (IsOneOf(x, "mM") && IsOneOf(y, "bpBP") && IsOneOf(z, "lrLR")) return true;
  // fi-lho, ma-nhã, a-cho
  return IsVowel(x) && IsOneOf(y, "clnCLN") && IsOneOf(z, "hH");
}

// Where the line ends: the number of characters it takes from the text and
// whether they end exactly at the end of a word.
struct Cut {
  std::size_t taken;
  bool atWordEnd;
};

// The cut when no break qualifies: at the width, so that the taken
// characters and the hyphen fill the line; with a width of 1 there is no
// room for the hyphen and the one character goes alone. The cut moves one
// cell back rather than part n, l or c from a following h.
std::size_t HardCutLength(std::string_view text, std::size_t width) {
  if (width < 2) return 1;
  const std::size_t taken = width - 1;
  const bool splitsDigraph = IsOneOf(text[taken - 1], "nlcNLC") && text[taken] == 'h';
  return splitsDigraph && taken >= 2 ? taken - 1 : taken;
}

// text is longer than width, width >= 1.
Cut FindCut(std::string_view text, std::size_t width, bool syllableSeparation) {
  if (text[width] == kBlank) return {width, true};
  if (text[width - 1] == kBlank) return {width, false};
  for (std::size_t a = width; a > kShortestDividedLine; --a) {
    if (IsBreakBefore(text, a, syllableSeparation)) return {a - 1, false};
  }
  return {HardCutLength(text, width), false};
}

void TrimTrailingBlanks(std::string& line, std::size_t shortest) {
  while (line.size() > shortest && line.back() == kBlank) line.pop_back();
}

}  // namespace

void BreakLine(std::string& text, std::string& head, int width, bool syllableSeparation) {
  const auto w = static_cast<std::size_t>(std::max(width, 1));
  Cut cut{};
  if (text.size() > w) {
    cut = FindCut(text, w, syllableSeparation);
    // A line made of the text's leading blanks alone would carry none of its
    // characters: written, it wastes a line, and with the indent the composer
    // puts before every continuation the same text would come back forever.
    // Such blanks are dropped and the line is cut from what follows.
    const std::size_t leadingBlanks = text.find_first_not_of(kBlank);
    if (leadingBlanks >= cut.taken) {
      text.erase(0, leadingBlanks);
      if (text.size() > w) cut = FindCut(text, w, syllableSeparation);
    }
  }
  if (text.size() <= w) {
    head = text;
    TrimTrailingBlanks(head, 0);
    text.clear();
    return;
  }
  head.assign(text, 0, cut.taken);
  if (cut.atWordEnd) {
    TrimTrailingBlanks(head, kShortestDividedLine);
    text.erase(0, text.find_first_not_of(kBlank, cut.taken));
  } else {
    if (head.back() == kBlank) {
      TrimTrailingBlanks(head, 0);
    } else if (head.size() < w) {
      head += kHyphen;
    }
    text.erase(0, cut.taken);
  }
}
