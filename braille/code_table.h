// Braille code tables: the byte-to-byte map from internal Braille characters
// (one byte per cell) to the bytes the embosser expects, loaded from a small
// text file, and the internal character of each of the 64 six-dot cells.
#pragma once

#include <array>
#include <string>

// Indexed by internal character, gives the device byte.
extern std::array<unsigned char, 256> CodeTable;

// Indexed by dot pattern (dot 1 = bit 0 ... dot 6 = bit 5), gives the
// internal character (Windows-1252) of that cell.
extern const std::array<unsigned char, 64> DotPatternTable;

// The value of two hexadecimal characters by the table files' rule (no
// validation: any character converts).
unsigned char HexByte(char high, char low);

// Resets CodeTable to the identity and fills it from the AMBCODE file (old
// rules on) or the AMBCODE2 file. True when the whole file was read; a
// malformed line is reported and stops the reading. A file that cannot be
// opened ends the program (exit status 2) after its path and message.
bool LoadCodeTable();

// The path LoadCodeTable uses under the present settings.
std::string CodeTablePath();
