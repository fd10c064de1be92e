// The six-key Braille keyboard: F D S J K L are dots 1 to 6 and the space
// bar adds the space bit; a chord is entered when its last key is released.
// Mode 2 adds the number sign (dots 3456) and the capital sign (dots 46,
// twice for capital lock).
#pragma once

#include "console/keyboard.h"

struct BrailleChordState {
  int mode = 0;               // 0 off, 1 chords, 2 chords with signs
  unsigned chordBits = 0;     // dots pressed in the current chord (bit 6: space)
  unsigned keysDownBits = 0;  // chord keys still held
  bool numberSign = false;
  bool capitalSign = false;
  bool capitalLock = false;
};

extern BrailleChordState brailleChord;

inline constexpr unsigned kSpaceBit = 64;
// What a chord whose character is this enters: nothing.
inline constexpr unsigned char kNoCharacter = 254;

// The bit of a chord key (F D S J K L, blank), 0 for any other key.
unsigned ChordKeyBit(const KeyStroke& key);
void ChordKeyDown(unsigned bit);
void ChordKeyUp(const KeyStroke& key);

// The character of six dot bits (dot 1 is bit 0).
unsigned char ChordCharacter(unsigned dots);
