// Where a Portuguese word is stressed, found from its spelling: the
// rightmost written accent, else the orthography's rules for unaccented
// words (final a, e, o, am, em and s stress the vowel before; final i, u,
// im, om, um and consonants the last vowel; gu and qu pass the u over).
#pragma once

#include <string_view>

// The 1-based position of the stressed vowel of a word (Windows-1252, any
// case); 0 for a word without a vowel.
int FindStress(std::string_view word);

// Words spoken without stress: fewer than three characters, and POR, DAS,
// DOS, COM, NÃO and SIM.
bool IsUnstressedWord(std::string_view word);
