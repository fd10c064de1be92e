// Steps the two rule sets of the transcription (brunif.cpp, brantigo.cpp)
// share: the character classes, the rule loop, words, capitals, ordinals,
// lower numbers, quotes and the signs both spell alike.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "braille/transcription.h"

// A set of bytes made of two ranges.
struct ByteRanges {
  unsigned char first1, last1, first2, last2;
  constexpr bool Contains(unsigned char c) const {
    return (c >= first1 && c <= last1) || (c >= first2 && c <= last2);
  }
};

// a-z and à-ÿ (÷ among them); A-Z and À-ß (× among them).
inline constexpr ByteRanges LowerLetters{97, 122, 224, 255};
inline constexpr ByteRanges UpperLetters{65, 90, 192, 223};

inline constexpr unsigned char kMultiplicationSign = 0xD7;
inline constexpr unsigned char kSharpS = 0xDF;

// The characters of the digits 0..9 written in the lower part of the cell.
using LowerDigitTable = std::array<char, 10>;

// A sign and the cells it is written with.
struct Spelling {
  unsigned char character;
  std::string_view cells;
};

inline unsigned char ByteAt(std::string_view text, std::size_t pos) { return static_cast<unsigned char>(text[pos]); }
inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
// The letters a to j are also the digits 1 to 0 after a number sign: one
// that follows a number needs the separating cell, or it reads as a digit.
inline bool ReadsAsDigit(unsigned char c) { return c >= 'a' && c <= 'j'; }

// 65-90 and 192-223 get 32 added, so × becomes ÷ and ß becomes ÿ.
unsigned char LowerCased(unsigned char c);

// Applies the first matching rule at pos, which stays inside text, and
// moves pos past what the rule consumed (at least one character).
using TranscriptionRule = void (*)(std::string_view text, std::size_t& pos, bool englishStyle,
                                   TranscriptionState& state, std::string& out);

// Deletes a first blank that a non-blank follows, then applies the rule set
// from left to right.
std::string TranscribeLine(std::string_view text, bool englishStyle, TranscriptionState& state,
                           TranscriptionRule applyRule);

// A small letter and the small letters and hyphens after it.
void CopyWord(std::string_view text, std::size_t& pos, std::string& out);

// The capital at pos: a lone capital is the sign and the small letter; a run
// of capitals is the sign twice and the run in small letters, followed by
// '~' when markLowerAfterRun is set and a small letter goes on the word.
void WriteCapitals(std::string_view text, std::size_t& pos, char capitalSign, bool markLowerAfterRun,
                   std::string& out);

// After the number sign, at the run of digits at pos: when the run ends in
// an ordinal suffix (ª, º, "a.", "o.", "as.", "os.", and ° when
// degreeIsOrdinal), writes the digits low and the suffix letters, consumes
// them and returns true.
bool WriteOrdinal(std::string_view text, std::size_t& pos, const LowerDigitTable& lowerDigits, bool degreeIsOrdinal,
                  std::string& out);

// The backquote at pos followed by digits: the number sign and the digits
// low; after a slash, the digits that follow as they are.
void WriteLowerNumber(std::string_view text, std::size_t& pos, const LowerDigitTable& lowerDigits, std::string& out);

// How a backquote spells the character after it: the rule set's own signs
// first, then the bracket signs both rule sets share; none when the
// backquote makes no sign of it.
std::optional<std::string_view> BackquoteSign(std::span<const Spelling> ruleSetSigns, unsigned char after);

// Whether a quote opens: “ opens, ” closes, the straight quote takes
// nextQuoteOpens. Leaves nextQuoteOpens set for the quote after it.
bool QuoteOpens(unsigned char quote, bool& nextQuoteOpens);

// The last rule of both sets: %, § and the underscore are spelled alike by
// both, every other character is written as it is.
void WriteSharedSignOrCharacter(unsigned char c, bool englishStyle, std::string& out);
