// The spoken names of single characters (Windows-1252 codes), for symbols in
// a text and for words spelled letter by letter.
#pragma once

#include <string>

// The name of the character, empty for a code without one (controls, 127 to
// 160, 221 to 224 and those above them by 32).
std::string CharacterName(unsigned char code);
