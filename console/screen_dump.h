// The grid as text, for scripted runs: at program end it is written to the
// file named by RELEVIX_SCREEN_DUMP, whatever the host.
#pragma once

#include <string>

// The 25 rows as UTF-8, each without its trailing blanks and ended by "\n".
std::string ScreenText();

// Writes ScreenText to the RELEVIX_SCREEN_DUMP file when that is set; false
// when it is set and cannot be written.
bool WriteScreenDump();
