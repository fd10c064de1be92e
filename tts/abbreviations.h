// The abbreviations list of the Portuguese engine ("portug.abr"): lines
// "abbreviation=expansion", kept in file order.
#pragma once

#include <string>
#include <string_view>

// Empties the list and reads the file: blank lines and lines beginning with
// ";" are skipped; the abbreviation (upper-cased) is the trimmed text before
// the first "=", the expansion the trimmed text after it (a line without "="
// gives an empty abbreviation). False when the file cannot be read.
bool LoadAbbreviations(const std::string& fileName);

// The expansion of the first abbreviation equal to the upper-cased word;
// empty when there is none.
std::string ExpandAbbreviation(std::string_view word);
