// The keyboard as the console sees it, whatever the host: key-down and
// key-up of named keys with their modifiers, and the characters they type.
// This turns them into key queue bytes (extended keys as 0 + code, Alt
// codes, the Braille chord keyboard) and ends the program on Ctrl+Break or
// Alt+F4.
#pragma once

enum class KeyName : unsigned char {
  Other,
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  Insert, Delete, Home, End, PageUp, PageDown, Up, Down, Left, Right,
  Pause,  // with Ctrl: the Break (cancel) key
  Enter, Backspace, Escape, Tab, Space,
  Letter,  // symbol 'A'..'Z'
  Digit,   // symbol '0'..'9'
};

struct KeyStroke {
  KeyName name = KeyName::Other;
  char symbol = 0;
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
};

void ConsoleKeyDown(const KeyStroke& key);
void ConsoleKeyUp(const KeyStroke& key);
// A character typed (Windows-1252), as the keyboard layout gives it.
void ConsoleCharacter(unsigned char character, bool ctrlHeld);

// The control character a key types (Enter 13, Backspace 8, Escape 27, Tab
// 9, Ctrl+letter 1..26), or -1. A key pressed with Alt types none.
int ControlCharacterOf(const KeyStroke& key);
