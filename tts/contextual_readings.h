// Readings of the text normalisation that depend on what is around a word
// or a number, as Brazilians read them aloud: titles before a name ("D.",
// "S.", "V. Exa."), "nº", sums of money, clock times, units after a number,
// Roman numerals after a name or a chapter word, and acronyms spelled.
// Every reader starts at position; when the form is there it appends its
// words to output, moves position past it and returns true, else it leaves
// both alone and returns false. Text is Windows-1252.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// "D. Maria" (Dona), "D. Pedro" (Dom), "S. Paulo" (São), "S. Teresa"
// (Santa), "S. Antônio" (Santo), "V. Exa." (Vossa), and "nº", "n.º", "Nº".
bool ReadTitle(std::string_view text, std::size_t& position, std::string& output);

// "R$ 1.234,56", "US$ 10", "€ 5,50": the amount in words with its currency
// and the cents.
bool ReadMoney(std::string_view text, std::size_t& position, std::string& output);

// "10/05/2024" (dez de maio de dois mil e vinte e quatro), "1/1/99"
// (primeiro de janeiro de noventa e nove), "31/12" (trinta e um de
// dezembro: day and month alone only with two digits each).
bool ReadDate(std::string_view text, std::size_t& position, std::string& output);

// "14h30" (catorze e trinta), "9h" (nove horas), "1h05" (uma e cinco).
bool ReadClockTime(std::string_view text, std::size_t& position, std::string& output);

// After a number (singular when it is exactly one): a unit ("5 km", "2kg",
// "80 km/h") or degrees ("30°C"), their words in words; female tells that
// the number is said in the feminine ("uma hora", "duas toneladas").
bool ReadUnit(std::string_view text, std::size_t& position, bool singular, std::string& words, bool& female);

// A Roman numeral in capitals after a name ("D. João VI": sexto) or after a
// word such as "capítulo" or "século" (cardinal), or of two letters or more
// alone in the text ("XII" as a chapter's title; "D." alone is the letter).
// previousWord is the word before it as written.
bool ReadRomanNumeral(std::string_view text, std::size_t& position, std::string_view previousWord,
                      std::string& output);

// Whether the word from start to end is an acronym read letter by letter:
// two to five capitals that cannot be read as a Portuguese word ("IBGE",
// "CEP"; "ONU" is read), in a text whose neighbouring words are not written
// in capitals too (a heading in capitals is read as words).
bool IsSpelledAcronym(std::string_view text, std::size_t start, std::size_t end);

// Whether the word after the blanks at position is a feminine noun by its
// ending ("casas", "funções", "viagens"), for the number before it.
bool FeminineNounAfter(std::string_view text, std::size_t position);

// The acronym's letters by their names, each a word: "ONU" ó êne u.
std::string SpelledAcronym(std::string_view word);

// Shared with the number reading of text_normalisation.h, so that both
// read these marks alike. "." followed by exactly three digits: a thousands
// separator.
bool ThousandsSeparatorAt(std::string_view text, std::size_t position);
// A degree or ordinal sign followed by a temperature scale: "°C", "°F".
bool DegreesAt(std::string_view text, std::size_t position);
