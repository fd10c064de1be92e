// Numbers as Portuguese words, for the engine's text normalisation and the
// numbers said from recorded pieces (speech/spoken_numbers.h): cardinals up
// to fifteen digits and ordinals in both genders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Three digit characters as words: "000" nothing, "100" "cem", "215"
// "duzentos e quinze".
std::string GroupToWords(std::string_view digits);

// The most digits a cardinal has words for: the scale words end at the
// trillions.
inline constexpr std::size_t kCardinalDigits = 15;

// The cardinal of the lowest kCardinalDigits decimal digits of value. A
// scale word keeps its trailing blank ("três milhões "), and a thousand
// reads "mil ", not "um mil ", also after the millions. The last group is joined with "e" only when it is
// below a hundred or a round hundred, as Brazilians say it: "mil e cem",
// "mil oitocentos e oitenta e oito".
std::string CardinalWords(std::uint64_t value);

// The ordinal, masculine for gender "m", feminine for "f"; 2000 and above
// read as cardinals.
std::string OrdinalToWords(std::string_view gender, std::uint64_t value);

// The feminine of a cardinal's words, before a feminine noun: "um" becomes
// "uma", "dois" "duas", the hundreds in "-entos" "-entas" ("duzentas e
// duas"); the millions and above stay masculine.
std::string FeminineCardinal(std::string words);
