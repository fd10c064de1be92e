// The last stage of the Portuguese engine: the phoneme list becomes MBROLA
// input, each phoneme with its duration and, on a word's first, stressed
// and last phoneme, a pitch target from the word's intonation pattern.
#pragma once

#include <string>
#include <vector>

// MBROLA lines for the phoneme list; durations are multiplied by
// durationFactor, pitches by pitchFactor. Where the voice lacks the pair of
// two phonemes, "_ 50" (or "y 50" when that pair exists) goes between them.
std::vector<std::string> ApplyProsody(const std::vector<std::string>& phonemeList, double durationFactor,
                                      double pitchFactor);
