// The letters of the translator's transcription: the transliteration of
// Windows-1252 (and DOS) text into plain letters with accent marks, the
// classes of those characters, and the stress automaton.
#pragma once

#include <string>
#include <string_view>

// After transliteration: vowels a e i o u, consonants the other ASCII
// letters (both cases), accent marks " ' ^ ` ~.
bool IsWordVowel(char c);
bool IsWordConsonant(char c);
bool IsAccentMark(char c);
char AsciiUpper(char c);

// Every character in plain letters: accented letters become letter + accent
// mark, "ç" becomes "ss", W and Y next to a letter become u and i, an
// apostrophe after D is dropped, characters with no form become blanks (the
// code-1 marker stays, followed by a blank).
std::string TransliterateForTranslator(std::string_view text);

// The word with its stressed letter upper-cased, found by the automaton
// that reads the word from its end; unchanged when no letter is found.
std::string MarkStress(std::string_view word);
