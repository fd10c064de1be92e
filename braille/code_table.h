// Braille code tables: the byte-to-byte map from internal Braille characters
// (one byte per cell) to the bytes the embosser expects, loaded from a small
// text file, and the internal character of each of the 64 six-dot cells.
#pragma once

#include <array>
#include <cstddef>
#include <string>

struct PrintSettings;

// Indexed by internal character, gives the device byte; the identity until
// a table file is loaded into it.
struct CodeTable {
  CodeTable();
  unsigned char& operator[](std::size_t c) { return bytes[c]; }
  unsigned char operator[](std::size_t c) const { return bytes[c]; }
  std::array<unsigned char, 256> bytes;
};

// Indexed by dot pattern (dot 1 = bit 0 ... dot 6 = bit 5), gives the
// internal character (Windows-1252) of that cell.
extern const std::array<unsigned char, 64> DotPatternTable;

// The value of two hexadecimal characters by the table files' rule (no
// validation: any character converts).
unsigned char HexByte(char high, char low);

// How a table file was read.
struct CodeTableLoad {
  bool opened = false;  // false: the file could not be opened
  int badLine = 0;      // the malformed line that stopped the reading; 0 when read whole
  bool Whole() const { return opened && badLine == 0; }
};

// Resets table to the identity and fills it from the file at path (a
// settings path, Windows-style allowed). A malformed line stops the
// reading; the entries before it stay.
CodeTableLoad LoadCodeTable(const std::string& path, CodeTable& table);

// The table file of the rules in force: AMBCODE with the old rules, else
// AMBCODE2.
std::string CodeTablePath(const PrintSettings& settings);
