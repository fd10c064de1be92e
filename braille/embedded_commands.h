// Layout commands embedded in the text: lines beginning with '<' that begin
// pages, switch headers, reformatting, syllable separation, continuation
// indent and English style, set the title, the print-edition page number and
// the margin, and emboss dot pictures.
#pragma once

#include <string_view>

// The largest page number <T+n> accepts; beyond it the page counters could
// not go on counting.
inline constexpr int kLargestSetPageNumber = 999'999'999;

// True when the line was a command or is to be left out; false when the
// composer is to print it as text.
bool ExecuteCommand(std::string_view line);
