// The choice list: walking, finding by the first character, the beeps past
// either end, spelling, and the screen under the list put back.
#include "driver/choice_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "console/key_queue.h"
#include "editor/editor_test_fixture.h"

namespace {

using editor_testing::EditorTest;
using editor_testing::ScriptedKeys;

class ChoiceListTest : public EditorTest {
 protected:
  // Three colours at column 10, row 3, over a screen that has text there.
  void OpenColours() {
    for (int row = 2; row <= 6; ++row) Put(row, 1, "linha " + std::to_string(row) + " da tela por baixo", 0x17);
    MoveCursor(40, 20);
    SetTextAttribute(0x1E);
    OpenChoiceList(10, 3, 5, 5, 3);
    AddChoice("", "Azul");
    AddChoice("", "Verde");
    AddChoice("", "Rosa");
  }

  long Beeps() const {
    const auto events = Events();
    return std::count(events.begin(), events.end(), "beep");
  }
};

TEST_F(ChoiceListTest, AFirstCharacterFindsTheNextItemThatBeginsWithIt) {
  OpenColours();
  // "r" finds Rosa; again, nothing after it: past the last, a beep; again,
  // the search starts from the first item and finds Rosa once more.
  ScriptedKeys() = {'r', 'r', 'r', 13};
  EXPECT_EQ(RunChoiceList(), 3);
  EXPECT_EQ(ChoiceListSelection(), "Rosa");
  EXPECT_EQ(Beeps(), 1);

  OpenColours();
  ScriptedKeys() = {'x', 13};
  EXPECT_EQ(RunChoiceList(), 0) << "Enter past the last item chooses nothing";
  EXPECT_EQ(ChoiceListSelection(), "");
}

TEST_F(ChoiceListTest, ArrowsWalkTheItemsAndBeepPastEitherEnd) {
  OpenColours();
  ForgetHeard();
  ScriptedKeys() = {0, 72, 0, 80, 0, 80, 0, 80, 0, 72, 0, 79, 0, 71, 0, 80, 13};
  // Up from the first: before it (beep); Down: Azul; Down Down: Verde,
  // Rosa; Up: Verde; End: Rosa; Home: Azul; Down: Verde.
  EXPECT_EQ(RunChoiceList(), 2);
  EXPECT_EQ(ChoiceListSelection(), "Verde");
  EXPECT_EQ(Beeps(), 1);

  OpenColours();
  ForgetHeard();
  ScriptedKeys() = {0, 81, 0, 81, 13};
  EXPECT_EQ(RunChoiceList(), 0) << "ten down from the first is past the last";
  EXPECT_EQ(Beeps(), 3);

  // Ctrl+PgDn: the last item; Ctrl+PgUp: the first.
  OpenColours();
  ScriptedKeys() = {0, 118, 0, 132, 13};
  EXPECT_EQ(RunChoiceList(), 1);
  OpenColours();
  ScriptedKeys() = {0, 132, 0, 118, 13};
  EXPECT_EQ(RunChoiceList(), 3);

  OpenColours();
  ScriptedKeys() = {0, 80, 27};
  EXPECT_EQ(RunChoiceList(), 0) << "Esc chooses nothing";
  EXPECT_EQ(ChoiceListSelection(), "");
}

TEST_F(ChoiceListTest, Code223WaitsForAKeyAndTheListGoesOn) {
  OpenColours();
  // The key waited for arrives during the wait; the list then reads it.
  static int waits = 0;
  waits = 0;
  SetDelayHandler([](int) {
    ++waits;
    QueueKey('v');
  });
  ScriptedKeys() = {223, 13};
  EXPECT_EQ(RunChoiceList(), 2);
  EXPECT_GE(waits, 1);
  SetDelayHandler(speech_testing::RecordDelay);
}

TEST_F(ChoiceListTest, RightSpellsTheItem) {
  OpenColours();
  ScriptedKeys() = {0, 79, 0, 77, 13};
  ForgetHeard();
  EXPECT_EQ(RunChoiceList(), 3);
  const auto events = Events();
  // R o s a by their letter sounds (Windows-1252 codes).
  const std::vector<std::string> spelled{"_82", "_111", "_115", "_97"};
  EXPECT_NE(std::search(events.begin(), events.end(), spelled.begin(), spelled.end()), events.end());
}

TEST_F(ChoiceListTest, TheListIsDrawnOverTheScreenAndTheScreenComesBack) {
  OpenColours();
  const std::string row3 = Row(3);
  ScriptedKeys() = {'v', 13};
  // While the list is open, the key source looks at the screen.
  static std::string shown;
  static unsigned char current = 0, other = 0;
  SetKeySource([]() {
    other = ScreenAttributeAt(10, 3);
    shown = Row(3).substr(9, 5) + "|" + Row(4).substr(9, 5) + "|" + Row(5).substr(9, 5);
    current = ScreenAttributeAt(10, 4);
    return editor_testing::NextScriptedKey();
  });
  EXPECT_EQ(RunChoiceList(), 2);
  // Items in white on magenta, the current one in yellow.
  EXPECT_EQ(shown, "Azul |Verde|Rosa ");
  EXPECT_EQ(other, 0x5F);
  EXPECT_EQ(current, 0x5E);
  // Closed: the text, its colours, the cursor and the attribute as they were.
  EXPECT_EQ(Row(3), row3);
  EXPECT_EQ(ScreenAttributeAt(12, 4), 0x17);
  EXPECT_EQ(CursorColumn(), 40);
  EXPECT_EQ(CursorRow(), 20);
  EXPECT_EQ(TextAttribute(), 0x1E);
}

TEST_F(ChoiceListTest, AListThatWouldLeaveTheWindowIsMovedInside) {
  MoveCursor(1, 1);
  OpenChoiceList(78, 24, 6, 5, 3);
  AddChoice("", "um");
  AddChoice("", "dois");
  AddChoice("", "tr\xEAs");
  static std::string bottom;
  SetKeySource([]() {
    bottom = Row(25).substr(73, 6);
    return 13;
  });
  EXPECT_EQ(RunChoiceList(), 1);
  EXPECT_EQ(bottom, "tr\xEAs  ");
}

}  // namespace
