// Key scripts for the headless host: what a user types, written as words.
//   ENTER  ESC  F9  CTRL+UP  SHIFT+INSERT  CTRL+ALT+F11  A  7   a key pressed
//   "Olá, mundo"                                              text typed
//   CHORD F+D   CHORD SPACE+F+S                               keys held together
//   WAIT 500                                                  a pause (ms)
//   CLOSE                                                     the window closed
// Words are separated by blanks or line ends; '#' starts a comment. The
// file is UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/keyboard.h"

struct ScriptAction {
  enum class Kind { KeyDown, KeyUp, Character, Wait, Close };
  Kind kind = Kind::Character;
  KeyStroke key;                // KeyDown, KeyUp
  unsigned char character = 0;  // Character
  bool ctrl = false;            // Character: typed with Ctrl held
  int milliseconds = 0;         // Wait
  bool operator==(const ScriptAction&) const = default;
};

// False with a message (Windows-1252) naming the line of the first error.
bool ParseKeyScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error);
