#include "console/keyboard.h"


#include "console/chord_keyboard.h"
#include "console/console.h"
#include "console/console_window.h"

namespace {

struct ExtendedKey {
  KeyName name;
  unsigned char code;
  unsigned char ctrlCode;
};

constexpr ExtendedKey kExtendedKeys[] = {
    {KeyName::F1, 59, 94},        {KeyName::F2, 60, 95},       {KeyName::F3, 61, 96},
    {KeyName::F4, 62, 97},        {KeyName::F5, 63, 98},       {KeyName::F6, 64, 99},
    {KeyName::F7, 65, 100},       {KeyName::F8, 66, 101},      {KeyName::F9, 67, 102},
    {KeyName::F10, 68, 103},      {KeyName::F11, 69, 104},     {KeyName::F12, 70, 105},
    {KeyName::Insert, 82, 255},   {KeyName::Delete, 83, 83},   {KeyName::Home, 71, 119},
    {KeyName::End, 79, 117},      {KeyName::PageUp, 73, 132},  {KeyName::PageDown, 81, 118},
    {KeyName::Up, 72, 113},       {KeyName::Down, 80, 114},    {KeyName::Left, 75, 115},
    {KeyName::Right, 77, 116},
};
constexpr unsigned char kShiftInsertCode = 254;

// Ctrl+Alt with a letter A..Z or a digit 0..9.
constexpr unsigned char kAltLetterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                               49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
constexpr unsigned char kAltDigitCodes[10] = {129, 120, 121, 122, 123, 124, 125, 126, 127, 128};


bool IsBrailleMode() { return brailleChord.mode != 0; }

// Alt without Ctrl, and F10 without Ctrl, are the system's keys: while the
// program runs only Alt+Left and Alt+Right reach the queue; Alt+F4 closes
// the window; the rest does nothing.
bool HandledAsSystemKey(const KeyStroke& key) {
  const bool systemKey = (key.alt && !key.ctrl) || (key.name == KeyName::F10 && !key.ctrl);
  if (!systemKey) return false;
  const bool arrow = key.alt && (key.name == KeyName::Left || key.name == KeyName::Right);
  if (arrow && consoleWindow.ctrlBreakHandling) return false;
  if (key.alt && key.name == KeyName::F4) ConsoleWindowClosed();
  return true;
}

// Ctrl+Alt: the chord keyboard switches and the Alt codes.
bool HandledWithAlt(const KeyStroke& key) {
  if (key.ctrl && key.name == KeyName::F12) {
    SetBrailleKeyboardMode(0);
  } else if (key.ctrl && key.name == KeyName::F11) {
    SetBrailleKeyboardMode(brailleChord.mode == 2 ? 1 : brailleChord.mode + 1);
  } else if (key.name == KeyName::Letter && key.symbol >= 'A' && key.symbol <= 'Z') {
    QueueExtendedKey(kAltLetterCodes[key.symbol - 'A']);
  } else if (key.name == KeyName::Digit && key.symbol >= '0' && key.symbol <= '9') {
    QueueExtendedKey(kAltDigitCodes[key.symbol - '0']);
  } else {
    return false;
  }
  return true;
}

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

void ConsoleKeyDown(const KeyStroke& key) {
  SetHeldModifiers({.shift = key.shift, .alt = key.alt});
  if (key.name == KeyName::Pause && key.ctrl && consoleWindow.ctrlBreakHandling) {
    ConsoleQuitRequested();
  }
  if (HandledAsSystemKey(key)) return;
  if (key.alt && HandledWithAlt(key)) return;
  if (!key.ctrl && IsBrailleMode()) {
    if (const int bit = ChordKeyBit(key); bit != 0) {
      ChordKeyDown(bit);
      return;
    }
  }
  for (const ExtendedKey& entry : kExtendedKeys) {
    if (entry.name != key.name) continue;
    unsigned char code = key.ctrl ? entry.ctrlCode : entry.code;
    if (key.name == KeyName::Insert && key.shift && !key.ctrl) code = kShiftInsertCode;
    QueueExtendedKey(code);
    return;
  }
}

void ConsoleKeyUp(const KeyStroke& key) {
  if (key.alt && !key.ctrl) return;
  ChordKeyUp(key);
}

void ConsoleCharacter(unsigned char character, bool ctrlHeld) {
  if (IsBrailleMode() && (character == ' ' || IsAsciiLetter(character))) return;
  if (ctrlHeld && character == 8) character = 127;
  if (ctrlHeld && character == 13) character = 10;
  QueueKey(character);
}

int ControlCharacterOf(const KeyStroke& key) {
  if (key.alt) return -1;
  switch (key.name) {
    case KeyName::Enter: return 13;
    case KeyName::Backspace: return 8;
    case KeyName::Escape: return 27;
    case KeyName::Tab: return 9;
    case KeyName::Letter: return key.ctrl ? key.symbol - 'A' + 1 : -1;
    default: return -1;
  }
}
