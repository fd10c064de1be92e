// Dot pictures: a text file whose lines are rows of dots (any character but
// a blank is a raised dot) embossed cell by cell between the embosser's
// graphic-mode escape sequences.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CodeTable;

// The sequence that puts the embosser in graphic mode with an option byte,
// and the one that ends the mode (with its line end).
inline constexpr char kGraphicModeEscape = 27;
inline constexpr std::string_view kGraphicEnd = "\x1b]\r\n";

// The picture of the file at path (a Linux path) as lines of device bytes
// through table, without line ends; false when the file cannot be read.
bool PictureLines(const std::string& path, const CodeTable& table, std::vector<std::string>& lines);
