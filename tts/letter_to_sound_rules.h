// The letter-to-sound rules of the Portuguese engine ("portug.nrl"): lines
// "left(middle)right=output", each turning the letters of its middle part,
// in the given contexts, into phoneme symbols for the MBROLA voice.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Empties the rules and reads the file. ";" begins a comment line; the
// output ends at "|"; the parts keep at most 5, 5, 5 and 20 characters.
// A rule without a middle part would consume nothing and is left out.
// False when the file cannot be read.
bool LoadRules(const std::string& fileName);
void FreeRules();

// Appends the phoneme lines of one upper-case word to the list, a ">" in
// front of the first phoneme emitted at or after the stress position
// (1-based; below 1: no mark), then an empty line that ends the word.
void ApplyRules(std::string_view word, int stressPosition, std::vector<std::string>& phonemeList);
