// The suite settings file "SONARA.INI": found in the settings directory (the
// Windows directory of the suite), else in the start-up directory.
#pragma once

#include <string>
#include <string_view>

// Makes file the suite settings file instead of the usual search (for the
// command-line tool and tests); an empty name restores the search.
void SetSuiteSettingsFile(std::string_view file);

// The settings file that ReadSuiteSetting reads now: the settings directory's
// copy when it exists, else the start-up directory's path (which may not
// exist). A Windows-1252 system path.
std::string SuiteSettingsFile();

// Value of key in section (empty section means "SONARA"), at most 255
// characters, "" when missing; "@" is replaced by the suite's program
// directory (PGMSONARA, or the start-up directory).
std::string ReadSuiteSetting(std::string_view section, std::string_view key);

// Value read straight from the settings directory's copy (or the file set by
// SetSuiteSettingsFile), without "@" substitution (the letters and diphone
// folders are read this way).
std::string ReadWindowsDirectorySetting(std::string_view section, std::string_view key);

// Writes key of section into the settings directory's SONARA.INI (or into
// the file set by SetSuiteSettingsFile). False when it cannot be written.
bool WriteSuiteSetting(std::string_view section, std::string_view key, std::string_view value);
