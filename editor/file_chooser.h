// The file chooser: the names of a folder that match a mask, in a window
// below a field; the user walks the list hearing each name, marks names,
// and chooses one.
#pragma once

#include <string>

// What Tab answers: the caller asks for the name again.
inline constexpr const char* kChooserTab = "@TAB@";

// Shows the names that match mask (a folder part up to the last "/", then
// a name mask) in a window from (column, row) to the right edge, lines
// rows tall. Returns the chosen name (with the folder part in front), an
// empty text for Esc or when nothing can be listed, or kChooserTab.
std::string ChooseFile(int column, int row, int lines, const std::string& mask);
