// Line breaking with Portuguese syllable separation: cuts the next body line
// off the front of a transcribed text that is longer than the line width.
#pragma once

#include <string>

// text is longer than width (width >= 2). On return head holds the line to
// write (at most width cells, no trailing blanks) and text the rest, which
// does not begin with a blank. syllableSeparation allows the vowel-consonant-
// vowel break.
void BreakLine(std::string& text, std::string& head, int width, bool syllableSeparation);
