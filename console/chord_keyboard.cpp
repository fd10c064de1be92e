#include "console/chord_keyboard.h"

#include <array>

#include "braille/braille_alphabet.h"
#include "console/console.h"
#include "console/key_queue.h"

BrailleChordState brailleChord;

namespace {

// A chord enters the base character of its cell in the Braille alphabet
// (Windows-1252).
constexpr const std::array<unsigned char, 64>& kChordTable = braille_alphabet::kCellCharacters;

constexpr unsigned char kNumberSign = '#';
constexpr unsigned char kCapitalSign = '{';

void ClearSigns() {
  brailleChord.numberSign = false;
  brailleChord.capitalSign = false;
  brailleChord.capitalLock = false;
}

// Mode 2: digits after the number sign, capitals after the capital sign or
// under capital lock; the signs themselves enter nothing.
unsigned char ApplySigns(unsigned char c) {
  BrailleChordState& state = brailleChord;
  if (state.numberSign) {
    if (c == '\'') {
      c = '.';
    } else if (c >= 'a' && c <= 'i') {
      c = static_cast<unsigned char>('1' + (c - 'a'));
    } else if (c == 'j') {
      c = '0';
    } else if (c == '~') {
      state.numberSign = false;
    }
  }
  if ((state.capitalSign || state.capitalLock) && c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
  if (c == kNumberSign) {
    state.numberSign = true;
    return kNoCharacter;
  }
  if (c == kCapitalSign) {
    if (state.capitalSign) state.capitalLock = true;
    state.capitalSign = true;
    return kNoCharacter;
  }
  state.capitalSign = false;
  return c;
}

void CompleteChord() {
  BrailleChordState& state = brailleChord;
  unsigned char c;
  if ((state.chordBits & kSpaceBit) != 0) {
    ClearSigns();
    c = state.chordBits == kSpaceBit ? ' ' : kChordTable[state.chordBits & 63] & 31;
  } else {
    c = kChordTable[state.chordBits];
    if (state.mode == 2) c = ApplySigns(c);
  }
  if (c != kNoCharacter && keyQueue.count <= 63) QueueKey(c);
  state.chordBits = 0;
}

void PlayModeTone(int frequency) {
  StartTone(frequency);
  Delay(200);
  StopTone();
}

}  // namespace

unsigned char ChordCharacter(unsigned dots) { return kChordTable[dots & 63]; }

unsigned ChordKeyBit(const KeyStroke& key) {
  if (key.name == KeyName::Space) return kSpaceBit;
  if (key.name != KeyName::Letter) return 0;
  switch (key.symbol) {
    case 'F': return 1;
    case 'D': return 2;
    case 'S': return 4;
    case 'J': return 8;
    case 'K': return 16;
    case 'L': return 32;
    default: return 0;
  }
}

void ChordKeyDown(unsigned bit) {
  brailleChord.chordBits |= bit;
  brailleChord.keysDownBits |= bit;
}

void ChordKeyUp(const KeyStroke& key) {
  const bool chordKeyUp = (key.name == KeyName::Space || key.name == KeyName::Letter) && !key.ctrl;
  if (!chordKeyUp) {
    ClearSigns();
    return;
  }
  if (brailleChord.mode == 0) return;
  brailleChord.keysDownBits &= ~ChordKeyBit(key);
  if (brailleChord.keysDownBits == 0) CompleteChord();
}

void SetBrailleKeyboardMode(int mode) {
  if (mode < 0 || mode > 2) mode = 1;
  const int previous = brailleChord.mode;
  brailleChord.mode = mode;
  if (mode == 0) {
    brailleChord = BrailleChordState{};
    if (previous != 0) PlayModeTone(100);
  } else if (mode == 1) {
    PlayModeTone(800);
    PlayModeTone(1600);
  } else {
    PlayModeTone(800);
    PlayModeTone(400);
  }
}
