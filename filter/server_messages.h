// The lines a filter writes for the print server on standard error: the
// server shows the last ERROR: or INFO: line as the job's message.
#pragma once

#include <string>
#include <string_view>

// Writes "LEVEL: text" (ERROR, INFO) in UTF-8; text is Windows-1252.
void Tell(std::string_view level, const std::string& windows1252Text);

// The catalogue's message, followed by ": detail" when detail is not empty.
std::string MessageAbout(std::string_view key, std::string_view detail);
