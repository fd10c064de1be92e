// The first stage of the Portuguese engine: a text becomes words and the
// punctuation that later turns into pauses. Numbers (with thousands
// separators, decimals, signs, ordinals, digit strings with hyphens),
// abbreviations of the abbreviations list, consonant-only words and symbols
// are all spelled out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reads the number that starts at position (a digit) and moves position past
// it and past an ordinal suffix ("º", "ª", "o.", "a.", "os.", "as."). A run
// of digits and hyphens is read digit by digit. At most fifteen digits make
// one number; further digits are left for the next number.
std::string ReadNumber(std::string_view text, std::size_t& position);

// Reads the word that starts at position (a letter), a hyphen after a letter
// included, and moves position past it. A word of consonants only is spelled
// with the letter names run together, unless it is an abbreviation of the
// list followed by ".".
std::string ReadWord(std::string_view text, std::size_t& position);

// The whole text normalised, with the readings of contextual_readings.h.
// A text of one character is that character's name. Tabs and line ends
// become blanks, dashes commas; quotation marks are not read, and a full
// stop before a closing quote, bracket or comma ends a sentence.
std::string NormaliseText(std::string_view text);
