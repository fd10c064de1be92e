// The talking print program from greeting to farewell: the file name, the
// settings kept or answered on the form, the confirmation, the copies, and
// every way out, each told to the user.
#pragma once

#include <string>
#include <vector>

// The version shown and spelled at start, followed by " beta": the project's
// version, which the package's version is made from too.
inline constexpr const char* kProgramVersion = RELEVIX_VERSION;

// When neither the settings directory nor the start-up directory holds a
// SONARA.INI, the installed default is copied into the settings directory,
// where the program's own changes are then written.
void ProvideUserSettings();

// Runs the program on the console window; arguments are Windows-1252, the
// first one naming the file to print ("--braille-only" aside, wherever it
// stands). Never returns: the program ends with a PrintJobStatus (or 0).
[[noreturn]] void RunPrintProgram(std::vector<std::string> arguments);
