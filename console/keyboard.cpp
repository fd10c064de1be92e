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
    {KeyName::F1, kF1Key, kCtrlF1Key},
    {KeyName::F2, kF2Key, kCtrlF2Key},
    {KeyName::F3, kF3Key, kCtrlF3Key},
    {KeyName::F4, kF4Key, kCtrlF4Key},
    {KeyName::F5, kF5Key, kCtrlF5Key},
    {KeyName::F6, kF6Key, kCtrlF6Key},
    {KeyName::F7, kF7Key, kCtrlF7Key},
    {KeyName::F8, kF8Key, kCtrlF8Key},
    {KeyName::F9, kF9Key, kCtrlF9Key},
    {KeyName::F10, kF10Key, kCtrlF10Key},
    {KeyName::F11, kF11Key, kCtrlF11Key},
    {KeyName::F12, kF12Key, kCtrlF12Key},
    {KeyName::Insert, kInsertKey, kCtrlInsertKey},
    {KeyName::Delete, kDeleteKey, kDeleteKey},
    {KeyName::Home, kHomeKey, kCtrlHomeKey},
    {KeyName::End, kEndKey, kCtrlEndKey},
    {KeyName::PageUp, kPageUpKey, kCtrlPageUpKey},
    {KeyName::PageDown, kPageDownKey, kCtrlPageDownKey},
    {KeyName::Up, kUpKey, kCtrlUpKey},
    {KeyName::Down, kDownKey, kCtrlDownKey},
    {KeyName::Left, kLeftKey, kCtrlLeftKey},
    {KeyName::Right, kRightKey, kCtrlRightKey},
};

// Ctrl+Alt with a digit 0..9.
unsigned char AltDigitKey(char digit) {
  return static_cast<unsigned char>(digit == '0' ? kAlt0Key : kAlt1Key + (digit - '1'));
}


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
    QueueExtendedKey(kAltLetterKeys[key.symbol - 'A']);
  } else if (key.name == KeyName::Digit && key.symbol >= '0' && key.symbol <= '9') {
    QueueExtendedKey(AltDigitKey(key.symbol));
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
    if (key.name == KeyName::Insert && key.shift && !key.ctrl) code = kShiftInsertKey;
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
  if (ctrlHeld && character == kBackspaceKey) character = kCtrlBackspaceKey;
  if (ctrlHeld && character == kEnterKey) character = kCtrlEnterKey;
  QueueKey(character);
}

int ControlCharacterOf(const KeyStroke& key) {
  if (key.alt) return -1;
  switch (key.name) {
    case KeyName::Enter: return kEnterKey;
    case KeyName::Backspace: return kBackspaceKey;
    case KeyName::Escape: return kEscapeKey;
    case KeyName::Tab: return kTabKey;
    case KeyName::Letter: return key.ctrl ? kCtrlAKey + (key.symbol - 'A') : -1;
    default: return -1;
  }
}
