// The translator's letter-to-sound rules and exceptions: loading both files
// and applying them to one transliterated word.
#pragma once

#include <string>
#include <string_view>

#include "tts/translator_state.h"

// Lines "left(middle)right=output", the output ending at "|" (the rest of
// the line is a comment); parts cut to 5, 5, 5 and 11 characters. Lines with
// no middle part, or whose middle begins outside codes 32..95, can never
// match and are left out. False when the file cannot be read.
bool LoadTranslatorRules(const std::string& linuxPath, TranslatorRules& rules);

// "[" then each rule's output, "/" between them, then "]". A stressed
// (upper-case) vowel where a rule starts upper-cases the first vowel of its
// output; a letter no rule takes gives " /_" and the letter in upper case.
std::string ApplyTranslatorRules(const TranslatorRules& rules, std::string_view word);

// Lines "word=respelling", the respelling ending at "|", taken as written
// (no change of case); at most 15000, then sorted by word. False when the
// file cannot be read.
bool LoadTranslatorExceptions(const std::string& linuxPath, TranslatorExceptions& exceptions);

// The respelling of the word; a word not listed is tried again without a
// final lower-case "s" or "m" (repeatedly), the stripped letters following
// the respelling. A word with no respelling comes back unchanged.
std::string LookupTranslatorException(const TranslatorExceptions& exceptions, std::string_view word);
