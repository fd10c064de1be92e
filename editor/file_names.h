// The file chooser's handling of names: the order of the list, the masks
// with "*" and "?", and the classic 8.3 short form of a long name. Names
// are Windows-1252 as shown.
#pragma once

#include <string>
#include <string_view>

// The character a name is sorted by: letters fold to their base capital,
// whether written in code page 850 (128..165) or in Windows-1252
// (192..255); × and ÷ fold to X, Æ and æ to 145; other characters from
// 128 up to 254.
unsigned char SortFold(unsigned char c);
// True when a comes before b in the list (folded; equal folds by bytes).
bool ListsBefore(std::string_view a, std::string_view b);

// Matches a name against a mask of "*" (any run) and "?" (any one
// character), without regard to case. A mask ending in ".*" also takes
// names without an extension (so does ".**"), as "*.*" takes every name.
bool MatchesMask(std::string_view name, std::string_view mask);

// The 8.3 form: a name that fits is upper-cased; another keeps six
// characters of its base with "~1" and three of its extension, without
// blanks and extra full stops, and with "_" for + , ; = [ ].
std::string ShortName(std::string_view name);
