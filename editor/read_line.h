// Asking for a file name: the answer is typed in a field at the cursor, and
// a file chooser lists the folder's names when the user leaves the field
// other than with Enter, or types a mask with "*".
#pragma once

#include <string>

struct ReadLineState {
  int lastKey = 0;  // the key that ended the field
};

extern ReadLineState readLine;

// The name asked for (with its folder part), or empty for Esc or an empty
// Enter; lines is the chooser's height.
void ReadLine(int lines, std::string& result);
