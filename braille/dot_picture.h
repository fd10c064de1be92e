// Dot pictures: a text file whose lines are rows of dots (any character but
// a blank is a raised dot) embossed cell by cell between the embosser's
// graphic-mode escape sequences.
#pragma once

#include <string_view>

// Embosses the picture named in a <G...> line ("<G name>" or "<Go name>",
// o being the graphic-mode option). False when the line is malformed or the
// file cannot be read; the mode sequence is already sent when the file is
// missing.
bool PrintGraphic(std::string_view line);
