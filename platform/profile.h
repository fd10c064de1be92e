// INI ("private profile") files with the semantics of the Win32 calls the
// suite was built on: case-insensitive section and key names, first match
// wins, values trimmed and unquoted, comments (';') and blank lines skipped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The value of key in section of the file, or defaultValue when the file,
// section or key is missing. At most maxChars characters are returned, as a
// caller's buffer of maxChars + 1 bytes would hold. Never fails on a
// malformed or binary file.
std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t maxChars);

// Replaces key in section (or adds it, creating the section, the file and
// its directory as needed), keeping every other line byte for byte. False
// when the file cannot be written; the old file is then left whole.
bool WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value);
