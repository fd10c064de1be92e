#include <string>
#include <vector>

#include "console/console_test_fixture.h"
#include "console/tones.h"

namespace {

using namespace console_testing;

KeyStroke Space() { return Named(KeyName::Space); }

// The chord keys of a set of dots: F D S J K L for dots 1 to 6.
std::vector<KeyStroke> KeysOfDots(const std::string& dots) {
  const std::string keys = "FDSJKL";
  std::vector<KeyStroke> strokes;
  for (const char dot : dots) strokes.push_back(Letter(keys[static_cast<std::size_t>(dot - '1')]));
  return strokes;
}

// All keys down, then all up, in the order given.
void Chord(const std::vector<KeyStroke>& keys) {
  for (const KeyStroke& key : keys) ConsoleKeyDown(key);
  for (const KeyStroke& key : keys) ConsoleKeyUp(key);
}

void ChordOfDots(const std::string& dots, bool withSpace = false) {
  std::vector<KeyStroke> keys = KeysOfDots(dots);
  if (withSpace) keys.insert(keys.begin(), Space());
  Chord(keys);
}

std::vector<int> frequenciesAtDelays;
std::vector<int> delays;
void RecordToneAtDelay(int milliseconds) {
  frequenciesAtDelays.push_back(toneState.frequency);
  delays.push_back(milliseconds);
}

class ChordKeyboardTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    frequenciesAtDelays.clear();
    delays.clear();
    SetDelayHandler(RecordToneAtDelay);
  }
  void Mode(int mode) {
    SetBrailleKeyboardMode(mode);
    frequenciesAtDelays.clear();
    delays.clear();
  }
};

TEST_F(ChordKeyboardTest, FAndDPressedTogetherEnterB) {
  Mode(1);
  ConsoleKeyDown(Letter('F'));
  ConsoleKeyDown(Letter('D'));
  ConsoleKeyUp(Letter('F'));
  EXPECT_EQ(QueuedKeys(), std::vector<int>{});  // D is still held
  ConsoleKeyUp(Letter('D'));
  EXPECT_EQ(QueuedKeys(), std::vector<int>{'b'});
  EXPECT_EQ(brailleChord.chordBits, 0u);
}

TEST_F(ChordKeyboardTest, SpaceWithDotsGivesAControlCodeAndSpaceAloneABlank) {
  Mode(1);
  ChordOfDots("13", true);
  Chord({Space()});
  ChordOfDots("123456", true);
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{11, ' ', 0xE9 & 31}));
}

TEST_F(ChordKeyboardTest, EveryChordOfTheTableEntersItsCharacter) {
  struct Entry {
    std::string dots;
    int character;
  };
  const std::vector<Entry> table = {
      {"1", 'a'},      {"2", ','},      {"12", 'b'},     {"3", '\''},     {"13", 'k'},     {"23", ';'},
      {"123", 'l'},    {"4", '^'},      {"14", 'c'},     {"24", 'i'},     {"124", 'f'},    {"34", 0xED},
      {"134", 'm'},    {"234", 's'},    {"1234", 'p'},   {"5", '~'},      {"15", 'e'},     {"25", ':'},
      {"125", 'h'},    {"35", '*'},     {"135", 'o'},    {"235", '!'},    {"1235", 'r'},   {"45", 172},
      {"145", 'd'},    {"245", 'j'},    {"1245", 'g'},   {"345", 0xE3},   {"1345", 'n'},   {"2345", 't'},
      {"12345", 'q'},  {"6", 0xFD},     {"16", 0xE2},    {"26", '?'},     {"126", 0xEA},   {"36", '-'},
      {"136", 'u'},    {"236", '"'},    {"1236", 'v'},   {"46", '{'},     {"146", 0xEE},   {"246", 0xF5},
      {"1246", 0xE0},  {"346", 0xF3},   {"1346", 'x'},   {"2346", 0xE8},  {"12346", 0xE7}, {"56", '$'},
      {"156", 0xFB},   {"256", 0xFF},   {"1256", 0xFC},  {"356", '}'},    {"1356", 'z'},   {"2356", '='},
      {"12356", 0xE1}, {"456", '_'},    {"1456", 0xF4},  {"2456", 'w'},   {"12456", 0xEF}, {"3456", '#'},
      {"13456", 'y'},  {"23456", 0xFA}, {"123456", 0xE9},
  };
  ASSERT_EQ(table.size(), 63u);
  Mode(1);
  for (const Entry& entry : table) {
    ClearKeyQueue();
    ChordOfDots(entry.dots);
    EXPECT_EQ(QueuedKeys(), std::vector<int>{entry.character}) << "dots " << entry.dots;
  }
  // A letter that is no chord key completes an empty chord: a blank.
  ClearKeyQueue();
  Chord({Letter('A')});
  EXPECT_EQ(QueuedKeys(), std::vector<int>{' '});
}

TEST_F(ChordKeyboardTest, InModeTwoTheNumberSignMakesDigits) {
  Mode(2);
  ChordOfDots("3456");
  EXPECT_EQ(QueuedKeys(), std::vector<int>{});
  ChordOfDots("1");
  ChordOfDots("3");
  ChordOfDots("245");
  ChordOfDots("12");
  ChordOfDots("5");  // "~" ends the number
  ChordOfDots("12");
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{'1', '.', '0', '2', '~', 'b'}));
  // A chord with the space bit clears the number sign.
  ClearKeyQueue();
  ChordOfDots("3456");
  Chord({Space()});
  ChordOfDots("1");
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{' ', 'a'}));
}

TEST_F(ChordKeyboardTest, TheCapitalSignOnceCapitalisesOneLetterTwiceLocks) {
  Mode(2);
  ChordOfDots("46");
  ChordOfDots("1");
  ChordOfDots("12");
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{'A', 'b'}));

  ClearKeyQueue();
  ChordOfDots("46");
  ChordOfDots("46");
  ChordOfDots("1");
  ChordOfDots("12");
  ChordOfDots("2");
  ChordOfDots("14");
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{'A', 'B', ',', 'C'}));
  EXPECT_TRUE(brailleChord.capitalLock);

  // Any other key's release ends capital lock.
  ClearKeyQueue();
  Press(Named(KeyName::Down));
  ClearKeyQueue();
  ChordOfDots("1");
  EXPECT_EQ(QueuedKeys(), std::vector<int>{'a'});
}

TEST_F(ChordKeyboardTest, AKeyReleasedWithCtrlClearsTheSigns) {
  Mode(2);
  ChordOfDots("3456");
  ChordOfDots("46");
  ConsoleKeyUp(Ctrl(Letter('F')));
  EXPECT_FALSE(brailleChord.numberSign);
  EXPECT_FALSE(brailleChord.capitalSign);
  ChordOfDots("1");
  EXPECT_EQ(QueuedKeys(), std::vector<int>{'a'});
}

TEST_F(ChordKeyboardTest, ModeOneKeepsTheSignsAsCharacters) {
  Mode(1);
  ChordOfDots("3456");
  ChordOfDots("1");
  ChordOfDots("46");
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{'#', 'a', '{'}));
}

TEST_F(ChordKeyboardTest, ChordKeysTypeNoCharactersButOtherKeysStillDo) {
  Mode(1);
  ConsoleCharacter('f', false);
  ConsoleCharacter('Q', false);
  ConsoleCharacter(' ', false);
  ConsoleCharacter('7', false);
  ConsoleCharacter(0xE7, false);
  Press(Named(KeyName::F2));
  // With Ctrl a chord key is an ordinary key.
  ConsoleKeyDown(Ctrl(Letter('F')));
  EXPECT_EQ(brailleChord.chordBits, 0u);
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{'7', 0xE7, 0, 60}));
}

TEST_F(ChordKeyboardTest, AChordCharacterIsDroppedWhenTheQueueIsFull) {
  Mode(1);
  for (int i = 0; i < 63; ++i) QueueKey('x');
  ChordOfDots("1");
  EXPECT_EQ(keyQueue.count, 64);
  EXPECT_EQ(keyQueue.keys[63], 'a');
  ChordOfDots("12");
  EXPECT_EQ(keyQueue.count, 64);
  EXPECT_EQ(keyQueue.keys[63], 'a');
}

TEST_F(ChordKeyboardTest, WithTheChordKeyboardOffKeysAreKeys) {
  ConsoleKeyDown(Letter('F'));
  ConsoleCharacter('f', false);
  ConsoleKeyUp(Letter('F'));
  Press(Letter('A'));
  EXPECT_EQ(QueuedKeys(), std::vector<int>{'f'});
}

TEST_F(ChordKeyboardTest, ModeSwitchesSoundTheirTones) {
  SetBrailleKeyboardMode(0);
  EXPECT_TRUE(frequenciesAtDelays.empty());
  SetBrailleKeyboardMode(1);
  EXPECT_EQ(frequenciesAtDelays, (std::vector<int>{800, 1600}));
  SetBrailleKeyboardMode(2);
  EXPECT_EQ(frequenciesAtDelays, (std::vector<int>{800, 1600, 800, 400}));
  ChordOfDots("46");
  ConsoleKeyDown(Letter('F'));
  SetBrailleKeyboardMode(0);
  EXPECT_EQ(frequenciesAtDelays, (std::vector<int>{800, 1600, 800, 400, 100}));
  EXPECT_EQ(delays, (std::vector<int>{200, 200, 200, 200, 200}));
  EXPECT_EQ(toneState.frequency, 0);  // each tone stopped after its delay
  EXPECT_EQ(brailleChord.chordBits, 0u);
  EXPECT_FALSE(brailleChord.capitalSign);
  // Values above 2 mean 1.
  SetBrailleKeyboardMode(7);
  EXPECT_EQ(brailleChord.mode, 1);
}

TEST_F(ChordKeyboardTest, CtrlAltF11StepsThroughTheModesAndCtrlAltF12SwitchesOff) {
  const KeyStroke next = Ctrl(Alt(Named(KeyName::F11)));
  const KeyStroke off = Ctrl(Alt(Named(KeyName::F12)));
  std::vector<int> modes;
  for (int i = 0; i < 4; ++i) {
    Press(next);
    modes.push_back(brailleChord.mode);
  }
  Press(off);
  modes.push_back(brailleChord.mode);
  EXPECT_EQ(modes, (std::vector<int>{1, 2, 1, 2, 0}));
  EXPECT_EQ(QueuedKeys(), std::vector<int>{});
  // Without Ctrl, Alt+F11 is the system's.
  Press(Alt(Named(KeyName::F11)));
  EXPECT_EQ(brailleChord.mode, 0);
}

}  // namespace
