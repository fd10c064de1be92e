// Every key code the program reads, in one place. A key reaches the program
// as one byte: a control character or a typed character (Windows-1252), or
// kExtendedKey followed by the extended key's code. The extended codes are
// those the keyboard queues (console/keyboard.cpp): the PC scan codes for
// most keys, with this program's own choices where noted.
#pragma once

// The first byte of an extended key; the code comes next.
inline constexpr int kExtendedKey = 0;

// Control characters.
inline constexpr int kCtrlAKey = 1;  // Ctrl+A .. Ctrl+Z are 1 .. 26
inline constexpr int kCtrlCKey = 3;
inline constexpr int kCtrlDKey = 4;
inline constexpr int kBackspaceKey = 8;
inline constexpr int kTabKey = 9;
inline constexpr int kCtrlEnterKey = 10;
inline constexpr int kCtrlKKey = 11;
inline constexpr int kCtrlLKey = 12;
inline constexpr int kEnterKey = 13;
inline constexpr int kCtrlSKey = 19;
inline constexpr int kCtrlUKey = 21;
inline constexpr int kCtrlVKey = 22;
inline constexpr int kCtrlYKey = 25;
inline constexpr int kCtrlZKey = 26;
inline constexpr int kEscapeKey = 27;
inline constexpr int kCtrlBackslashKey = 28;
inline constexpr int kCtrlBackspaceKey = 127;

// The space: below it the control characters, from it up the typed
// characters (Ctrl+Backspace and the focus codes aside).
inline constexpr int kFirstCharacterKey = 32;

// Codes that stand for the window's focus, not for a key pressed. They are
// also the bytes of Þ and ß, which the readers that look for them therefore
// never take as typed.
inline constexpr int kFocusGainedKey = 222;  // the line editor says its field again
inline constexpr int kFocusLostKey = 223;    // the line editor ignores it; a choice list waits for a key

// Extended keys, by the code that follows kExtendedKey.
inline constexpr int kShiftTabKey = 15;

// A modifier reported before the key it was held with (AltGr on some
// keyboards): the key typed follows. The same codes as Alt+Q, Alt+W, Alt+E.
inline constexpr int kShiftModifierKey = 16;
inline constexpr int kCtrlModifierKey = 17;
inline constexpr int kAltModifierKey = 18;

// Alt+A .. Alt+Z (typed with Ctrl+Alt), by the scan codes of the letter keys.
inline constexpr unsigned char kAltLetterKeys[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                                     49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

// F11 and F12 follow F10 here, and so do Ctrl+F11 and Ctrl+F12 after Ctrl+F10.
inline constexpr int kF1Key = 59;
inline constexpr int kF2Key = 60;
inline constexpr int kF3Key = 61;
inline constexpr int kF4Key = 62;
inline constexpr int kF5Key = 63;
inline constexpr int kF6Key = 64;
inline constexpr int kF7Key = 65;
inline constexpr int kF8Key = 66;
inline constexpr int kF9Key = 67;
inline constexpr int kF10Key = 68;
inline constexpr int kF11Key = 69;
inline constexpr int kF12Key = 70;

inline constexpr int kHomeKey = 71;
inline constexpr int kUpKey = 72;
inline constexpr int kPageUpKey = 73;
inline constexpr int kLeftKey = 75;
inline constexpr int kRightKey = 77;
inline constexpr int kEndKey = 79;
inline constexpr int kDownKey = 80;
inline constexpr int kPageDownKey = 81;
inline constexpr int kInsertKey = 82;
inline constexpr int kDeleteKey = 83;  // with Ctrl too

inline constexpr int kCtrlF1Key = 94;
inline constexpr int kCtrlF2Key = 95;
inline constexpr int kCtrlF3Key = 96;
inline constexpr int kCtrlF4Key = 97;
inline constexpr int kCtrlF5Key = 98;
inline constexpr int kCtrlF6Key = 99;
inline constexpr int kCtrlF7Key = 100;
inline constexpr int kCtrlF8Key = 101;
inline constexpr int kCtrlF9Key = 102;
inline constexpr int kCtrlF10Key = 103;
inline constexpr int kCtrlF11Key = 104;
inline constexpr int kCtrlF12Key = 105;
// The line editor ends with this code for F1 pressed with Alt held; the
// keyboard queues the same code for Ctrl+F11.
inline constexpr int kAltF1Key = 104;

inline constexpr int kCtrlUpKey = 113;
inline constexpr int kCtrlDownKey = 114;
inline constexpr int kCtrlLeftKey = 115;
inline constexpr int kCtrlRightKey = 116;
inline constexpr int kCtrlEndKey = 117;
inline constexpr int kCtrlPageDownKey = 118;
inline constexpr int kCtrlHomeKey = 119;
inline constexpr int kCtrlPageUpKey = 132;

// Alt+1 .. Alt+9 are 120 .. 128 and Alt+0 is 129, in the order of the keys
// on the keyboard's top row (typed with Ctrl+Alt).
inline constexpr int kAlt1Key = 120;
inline constexpr int kAlt0Key = 129;

// A routing key of the Braille display was pressed: the cell it stands for
// is the display's (BrailleDisplayRoutedPosition).
inline constexpr int kDisplayRoutingKey = 200;

// The program's own codes for the clipboard keys.
inline constexpr int kShiftInsertKey = 254;
inline constexpr int kCtrlInsertKey = 255;
