// The exceptions list of the Portuguese engine ("portug.exc"): words the
// letter-to-sound rules would get wrong, each with a respelling (letters,
// with accents where they show the sound) that the rules read right.
#pragma once

#include <string>
#include <string_view>

// Replaces the list with the file's lines "WORD=RESPELLING" (upper-cased,
// the respelling ending at "|"; blank lines skipped; at most 15000 kept),
// sorted by word. False when the file cannot be read.
bool LoadExceptions(const std::string& fileName);

// The respelling of an upper-case word, else of the word without a final
// run of S and M letters, which then follow the respelling; else the word.
std::string LookupException(std::string_view word);
