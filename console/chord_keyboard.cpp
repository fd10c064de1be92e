#include "console/chord_keyboard.h"

#include <array>
#include <string_view>

#include "console/console.h"
#include "console/key_queue.h"

BrailleChordState brailleChord;

namespace {

struct ChordEntry {
  std::string_view dots;  // "-" for none
  unsigned char character;
};

// Dots to Windows-1252 characters.
constexpr ChordEntry kChordEntries[] = {
    {"-", ' '},       {"1", 'a'},       {"2", ','},       {"12", 'b'},      {"3", '\''},      {"13", 'k'},
    {"23", ';'},      {"123", 'l'},     {"4", '^'},       {"14", 'c'},      {"24", 'i'},      {"124", 'f'},
    {"34", 0xED},     {"134", 'm'},     {"234", 's'},     {"1234", 'p'},    {"5", '~'},       {"15", 'e'},
    {"25", ':'},      {"125", 'h'},     {"35", '*'},      {"135", 'o'},     {"235", '!'},     {"1235", 'r'},
    {"45", 0xAC},     {"145", 'd'},     {"245", 'j'},     {"1245", 'g'},    {"345", 0xE3},    {"1345", 'n'},
    {"2345", 't'},    {"12345", 'q'},   {"6", 0xFD},      {"16", 0xE2},     {"26", '?'},      {"126", 0xEA},
    {"36", '-'},      {"136", 'u'},     {"236", '"'},     {"1236", 'v'},    {"46", '{'},      {"146", 0xEE},
    {"246", 0xF5},    {"1246", 0xE0},   {"346", 0xF3},    {"1346", 'x'},    {"2346", 0xE8},   {"12346", 0xE7},
    {"56", '$'},      {"156", 0xFB},    {"256", 0xFF},    {"1256", 0xFC},   {"356", '}'},     {"1356", 'z'},
    {"2356", '='},    {"12356", 0xE1},  {"456", '_'},     {"1456", 0xF4},   {"2456", 'w'},    {"12456", 0xEF},
    {"3456", '#'},    {"13456", 'y'},   {"23456", 0xFA},  {"123456", 0xE9},
};

constexpr unsigned DotBits(std::string_view dots) {
  unsigned bits = 0;
  for (const char dot : dots) {
    if (dot >= '1' && dot <= '6') bits |= 1u << (dot - '1');
  }
  return bits;
}

constexpr std::array<unsigned char, 64> MakeChordTable() {
  std::array<unsigned char, 64> table{};
  for (const ChordEntry& entry : kChordEntries) table[DotBits(entry.dots)] = entry.character;
  return table;
}

constexpr std::array<unsigned char, 64> kChordTable = MakeChordTable();

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
