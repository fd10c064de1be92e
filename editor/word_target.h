// F12 in the editor: opens what a word of the text names, a web address in
// the browser, a document with the program the settings give for its kind,
// or an executable file by running it.
#pragma once

#include <string_view>

// The program comes from section SONARA of the settings: PROG.HTM for web
// addresses, PROG.<extension> for other words; without one, xdg-open opens
// the word. The word is always one argument of a program started directly,
// never a command line. A program that cannot be started beeps.
void OpenWordTarget(std::string_view word);
