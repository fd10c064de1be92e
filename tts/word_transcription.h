// The transcription stage of the Portuguese engine: each line of the
// intonation list ("pattern|token") becomes a word marker line and the
// token's phoneme lines: pauses for punctuation, the rules' phonemes (with
// the stress mark) for words, after the exceptions list.
#pragma once

#include <string>
#include <vector>

// The phoneme list of an intonation list, ending with "__". A word's final
// r2 becomes r and s2 becomes z when the next word begins with a vowel.
std::vector<std::string> TranscribeWords(const std::vector<std::string>& intonationList);
