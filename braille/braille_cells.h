// The Braille cell of every internal character, per rule set: what each byte
// of transcribed text stands for on paper, as the alphabet
// (data/braille/alfabeto.txt) gives it. The shipped code tables map these
// cells to device bytes; a preview shows them as Unicode Braille.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct CodeTable;

// The dot pattern of an internal character (dot 1 = bit 0 ... dot 6 = bit 5;
// 0 for the blank cell) under the old rules or the current rules, or -1 for
// a byte that is no cell: control bytes, capital letters (written as a
// capital sign and the small letter) and the signs that take several cells.
int InternalCharacterDots(unsigned char c, bool oldRules);

// Appends the Unicode Braille character U+2800 + pattern, in UTF-8.
void AppendUnicodeCell(std::string& utf8, unsigned char pattern);

// Internal text as UTF-8 Unicode Braille, one character U+2800 + pattern per
// byte; a byte that is no cell gives U+FFFD.
std::string UnicodeBrailleFromInternal(std::string_view internal, bool oldRules);

// The dot pattern each device byte stands for under table: the cell of the
// first internal character of the rule set that table maps to it, or -1 for
// a byte no cell is mapped to.
using DotsOfByte = std::array<int, 256>;
DotsOfByte CellsOfTable(const CodeTable& table, bool oldRules);
