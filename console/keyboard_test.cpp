#include <vector>

#include "console/console_test_fixture.h"

namespace {

using namespace console_testing;

using KeyboardTest = ConsoleTest;

struct TableRow {
  KeyName key;
  int code;
  int ctrlCode;
};

// The extended-key table: every key alone and with Ctrl.
const TableRow kTable[] = {
    {KeyName::F1, 59, 94},       {KeyName::F2, 60, 95},       {KeyName::F3, 61, 96},
    {KeyName::F4, 62, 97},       {KeyName::F5, 63, 98},       {KeyName::F6, 64, 99},
    {KeyName::F7, 65, 100},      {KeyName::F8, 66, 101},      {KeyName::F9, 67, 102},
    {KeyName::F10, 68, 103},     {KeyName::F11, 69, 104},     {KeyName::F12, 70, 105},
    {KeyName::Insert, 82, 255},  {KeyName::Delete, 83, 83},   {KeyName::Home, 71, 119},
    {KeyName::End, 79, 117},     {KeyName::PageUp, 73, 132},  {KeyName::PageDown, 81, 118},
    {KeyName::Up, 72, 113},      {KeyName::Down, 80, 114},    {KeyName::Left, 75, 115},
    {KeyName::Right, 77, 116},
};

TEST_F(KeyboardTest, EveryExtendedKeyQueuesZeroAndItsCodeWithAndWithoutCtrl) {
  for (const TableRow& row : kTable) {
    SCOPED_TRACE(row.code);
    ClearKeyQueue();
    Press(Ctrl(Named(row.key)));
    EXPECT_EQ(QueuedKeys(), (std::vector<int>{0, row.ctrlCode}));
    ClearKeyQueue();
    Press(Named(row.key));
    // F10 alone is the system's menu key and never reaches the queue.
    EXPECT_EQ(QueuedKeys(), row.key == KeyName::F10 ? std::vector<int>{} : (std::vector<int>{0, row.code}));
  }
}

TEST_F(KeyboardTest, ShiftInsertGives254AndCtrlWins) {
  Press(Shift(Named(KeyName::Insert)));
  Press(Ctrl(Shift(Named(KeyName::Insert))));
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{0, 254, 0, 255}));
}

TEST_F(KeyboardTest, CtrlChangesEnterAndBackspaceCharacters) {
  ConsoleCharacter(13, false);
  ConsoleCharacter(13, true);
  ConsoleCharacter(8, false);
  ConsoleCharacter(8, true);
  ConsoleCharacter(0xE3, true);
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{13, 10, 8, 127, 0xE3}));
  EXPECT_EQ(ControlCharacterOf(Named(KeyName::Enter)), 13);
  EXPECT_EQ(ControlCharacterOf(Named(KeyName::Backspace)), 8);
  EXPECT_EQ(ControlCharacterOf(Named(KeyName::Escape)), 27);
  EXPECT_EQ(ControlCharacterOf(Named(KeyName::Tab)), 9);
  EXPECT_EQ(ControlCharacterOf(Ctrl(Letter('C'))), 3);
  EXPECT_EQ(ControlCharacterOf(Letter('C')), -1);
  EXPECT_EQ(ControlCharacterOf(Alt(Named(KeyName::Enter))), -1);
}

TEST_F(KeyboardTest, CtrlAltWithALetterOrDigitQueuesItsAltCode) {
  const int letters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                           49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
  for (char c = 'A'; c <= 'Z'; ++c) {
    ClearKeyQueue();
    Press(Ctrl(Alt(Letter(c))));
    EXPECT_EQ(QueuedKeys(), (std::vector<int>{0, letters[c - 'A']})) << c;
  }
  const int digits[10] = {129, 120, 121, 122, 123, 124, 125, 126, 127, 128};
  for (char c = '0'; c <= '9'; ++c) {
    ClearKeyQueue();
    Press(Ctrl(Alt(Digit(c))));
    EXPECT_EQ(QueuedKeys(), (std::vector<int>{0, digits[c - '0']})) << c;
  }
  // Ctrl+Alt with an extended key gives its Ctrl code.
  ClearKeyQueue();
  Press(Ctrl(Alt(Named(KeyName::Up))));
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{0, 113}));
}

TEST_F(KeyboardTest, AltWithoutCtrlIsTheSystemsExceptForLeftAndRight) {
  Press(Alt(Letter('X')));
  Press(Alt(Digit('1')));
  Press(Alt(Named(KeyName::F9)));
  Press(Alt(Named(KeyName::Up)));
  EXPECT_EQ(QueuedKeys(), std::vector<int>{});
  Press(Alt(Named(KeyName::Left)));
  Press(Alt(Named(KeyName::Right)));
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{0, 75, 0, 77}));

  // Once the program has ended the system takes those too.
  ClearKeyQueue();
  consoleWindow.ctrlBreakHandling = false;
  Press(Alt(Named(KeyName::Left)));
  EXPECT_EQ(QueuedKeys(), std::vector<int>{});
}

TEST_F(KeyboardTest, CharactersAreDroppedWhenTheQueueIsFull) {
  for (int i = 0; i < 63; ++i) ConsoleCharacter('x', false);
  ConsoleCharacter('y', false);
  EXPECT_EQ(keyQueue.count, 64);
  EXPECT_EQ(keyQueue.keys[63], 'y');
  ConsoleCharacter('z', false);
  EXPECT_EQ(keyQueue.count, 64);
  EXPECT_EQ(keyQueue.keys[63], 'y');
}

TEST_F(KeyboardTest, ExtendedKeysAndAltCodesNeedTwoFreePlaces) {
  for (int i = 0; i < 62; ++i) QueueKey('x');
  Press(Named(KeyName::F1));
  EXPECT_EQ(keyQueue.count, 64);
  EXPECT_EQ(keyQueue.keys[62], 0);
  EXPECT_EQ(keyQueue.keys[63], 59);

  ClearKeyQueue();
  for (int i = 0; i < 63; ++i) QueueKey('x');
  Press(Named(KeyName::F1));
  Press(Ctrl(Alt(Letter('A'))));
  EXPECT_EQ(keyQueue.count, 63);
  ConsoleCharacter('y', false);  // a character still fits
  EXPECT_EQ(keyQueue.count, 64);
}

TEST_F(KeyboardTest, TakingAKeyShiftsTheRestDown) {
  for (const int key : {1, 2, 3}) QueueKey(static_cast<unsigned char>(key));
  EXPECT_EQ(TakeKey(), 1);
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{2, 3}));
  EXPECT_TRUE(KeyPressed());
  EXPECT_EQ(ReadKey(), 2);
  EXPECT_EQ(ReadKey(), 3);
  EXPECT_FALSE(KeyPressed());
}

TEST_F(KeyboardTest, AQueuedKeyKeepsTheModifiersItWasPressedWith) {
  Press(Shift(Named(KeyName::End)));
  Press(Alt(Named(KeyName::Right)));
  Press(Ctrl(Alt(Named(KeyName::F9))));
  Press(Named(KeyName::Home));
  // Both bytes of each extended key carry its modifiers, whatever is held
  // when the program reads them.
  SetHeldModifiers({});
  const KeyModifiers expected[] = {{.shift = true}, {.shift = true}, {.alt = true}, {.alt = true},
                                   {.alt = true},   {.alt = true},   {},            {}};
  for (const KeyModifiers& modifiers : expected) {
    ReadKey();
    EXPECT_EQ(LastKeyModifiers(), modifiers);
  }
}

TEST_F(KeyboardTest, AKeySourceSaysTheModifiersInTheBitsAboveTheKey) {
  SetKeySource([] { return 0x4F | kKeyWithShift; });
  EXPECT_EQ(ReadKey(), 0x4F);
  EXPECT_EQ(LastKeyModifiers(), (KeyModifiers{.shift = true}));
  SetKeySource([] { return 13; });
  EXPECT_EQ(ReadKey(), 13);
  EXPECT_EQ(LastKeyModifiers(), KeyModifiers{});
  SetKeySource(nullptr);
}

TEST_F(KeyboardTest, CtrlPauseEndsTheProgramWithExitCode255) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ConsoleKeyDown(Ctrl(Named(KeyName::Pause))), ::testing::ExitedWithCode(255), "");
  Press(Named(KeyName::Pause));  // Pause alone does nothing
  EXPECT_EQ(QueuedKeys(), std::vector<int>{});
}

TEST_F(KeyboardTest, AltF4ClosesTheWindowWhichEndsTheProgramInOrder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        UseRecordingHost();
        SetEndOfProgramHook([] { std::fputs("hook ran\n", stderr); });
        QueueKey('q');
        ConsoleKeyDown(Alt(Named(KeyName::F4)));
      },
      ::testing::ExitedWithCode(0), "hook ran");
}

}  // namespace

namespace {

using namespace console_testing;

// A host whose every wait brings a key, after losing the focus when asked.
class CaretHost : public RecordingHost {
 public:
  CaretHost(std::vector<Drawing>& drawings, std::vector<std::string>& log, bool loseFocus)
      : RecordingHost(drawings), log_(log), loseFocus_(loseFocus) {}
  void SetCaretVisible(bool visible) override { log_.push_back(visible ? "caret on" : "caret off"); }
  void WaitForEvents(int) override {
    log_.push_back("wait");
    if (loseFocus_) ConsoleFocusChanged(false);
    QueueKey('k');
  }

 private:
  std::vector<std::string>& log_;
  bool loseFocus_;
};

TEST_F(KeyboardTest, ReadKeyShowsTheCaretWhileItWaitsWithTheFocus) {
  std::vector<std::string> log;
  UseConsoleHost(std::make_unique<CaretHost>(drawings_, log, false));
  ConsoleFocusChanged(true);
  EXPECT_EQ(ReadKey(), 'k');
  EXPECT_EQ(log, (std::vector<std::string>{"caret on", "wait", "caret off"}));
  EXPECT_FALSE(consoleWindow.reading);

  // A key already queued needs no wait and no caret.
  log.clear();
  QueueKey('j');
  EXPECT_EQ(ReadKey(), 'j');
  EXPECT_TRUE(log.empty());

  // Without the focus there is no caret; losing it during the wait hides it.
  ConsoleFocusChanged(false);
  EXPECT_EQ(ReadKey(), 'k');
  EXPECT_EQ(log, (std::vector<std::string>{"wait", "caret off"}));
  log.clear();
  UseConsoleHost(std::make_unique<CaretHost>(drawings_, log, true));
  ConsoleFocusChanged(true);
  EXPECT_EQ(ReadKey(), 'k');
  EXPECT_EQ(log, (std::vector<std::string>{"caret on", "wait", "caret off", "caret off"}));
}

}  // namespace
