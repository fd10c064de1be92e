// Reading the Portuguese engine's data files: whole files as lines, with any
// line ends, and the trimming every loader applies.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of the file named by a system path (Windows-1252), CR LF, LF or
// CR ending a line. False when the file cannot be opened or read.
bool ReadDataFileLines(const std::string& systemPath, std::vector<std::string>& lines);

// The text without leading and trailing blanks and control characters.
std::string Trimmed(std::string_view text);
