// A modal message box with an OK button: SDL's when a display is there,
// the text on standard error when none is (or the console runs headless).
#pragma once

#include <string_view>

// Title and text are Windows-1252.
void ShowMessageBox(std::string_view title, std::string_view text);
