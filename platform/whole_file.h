// A file read whole into memory, byte for byte.
#pragma once

#include <string>

// Reads the file of that Linux path into bytes; false when it cannot be
// opened or a read fails.
bool ReadWholeFile(const std::string& linuxPath, std::string& bytes);
