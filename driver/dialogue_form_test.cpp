// The spoken form: how it is drawn, walked and left, and how each kind of
// answer is stored.
#include "driver/dialogue_form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor/editor_test_fixture.h"

namespace {

using editor_testing::EditorTest;
using editor_testing::ScriptedKeys;

constexpr int kEnter = 13, kEsc = 27, kBackspace = 8;

class DialogueFormTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    formLabelWidth = 28;
  }

  long Beeps() const {
    const auto events = Events();
    return std::count(events.begin(), events.end(), "beep");
  }
};

TEST_F(DialogueFormTest, EveryAnswerIsStoredByItsKindWhenTheFormIsLeftWithEsc) {
  std::string device = "LPT1";
  int copies = 1, lines = 28, first = 7;
  bool titles = true, both = false, blanked = true, digit = false;
  MoveCursor(1, 5);
  BeginForm();
  AddTextField("BRARQIMP", "Sa\xED" "da:", device, 144);
  AddNumberField("BRNCOP", "C\xF3pias:", copies);
  AddNumberField("BRLPPAG", "Linhas:", lines);
  AddNumberField("BRPAGINI", "Primeira:", first);
  AddYesNoField("BRFAZTIT", "T\xEDtulos:", titles);
  AddYesNoField("BRTITFV", "Ambos:", both);
  AddYesNoField("BRSEPARA", "Separa:", blanked);
  AddYesNoField("BRINGLES", "Ingl\xEAs:", digit);
  ScriptedKeys() = {kEnter,                                  // the device kept
                    '1', '2', 'a', 'b', kEnter,              // 12 and letters: 12
                    0, 79, kBackspace, kBackspace, kEnter,   // 28 rubbed out: 0
                    kEnter,                                  // 7 kept
                    'n', 'a', 'o', kEnter,                   // "nao": no
                    'x', kEnter,                             // any other text: yes
                    0, 79, kBackspace, kBackspace, kBackspace, kEnter,  // blanked: as it was
                    '1', kEsc};                              // "1": yes
  EXPECT_EQ(RunForm(true), kEsc);
  EXPECT_EQ(device, "LPT1");
  EXPECT_EQ(copies, 12);
  EXPECT_EQ(lines, 0);
  EXPECT_EQ(first, 7);
  EXPECT_FALSE(titles);
  EXPECT_TRUE(both);
  EXPECT_TRUE(blanked);
  EXPECT_TRUE(digit);
  // The cursor goes to the row after the last field.
  EXPECT_EQ(CursorRow(), 13);
  EXPECT_EQ(CursorColumn(), 1);
}

TEST_F(DialogueFormTest, EscOnTheFirstFieldStoresTheAnswersAsShown) {
  std::string title = "  Cartas";
  int copies = -3;
  bool titles = false;
  for (int finishing : {kEsc, 73, 81}) {
    MoveCursor(1, 3);
    BeginForm();
    AddTextField("BRTIT", "T\xEDtulo:", title, 80);
    AddNumberField("BRNCOP", "C\xF3pias:", copies);
    AddYesNoField("BRFAZTIT", "T\xEDtulos:", titles);
    // Down and Up back to the first field, then the finishing key.
    ScriptedKeys() = {0, 80, 0, 72};
    if (finishing == kEsc) {
      ScriptedKeys().push_back(kEsc);
    } else {
      ScriptedKeys().insert(ScriptedKeys().end(), {0, finishing});
    }
    EXPECT_EQ(RunForm(true), finishing);
    EXPECT_EQ(title, "  Cartas") << finishing;
    EXPECT_EQ(copies, -3) << finishing;
    EXPECT_FALSE(titles) << finishing;
  }
}

TEST_F(DialogueFormTest, FieldsAreDrawnWithTheLabelRightAlignedAndTheAnswerAfterIt) {
  std::string device = "arquivo-de-saida-com-um-nome-bem-comprido.brf";
  int copies = 2;
  formLabelWidth = 51;
  MoveCursor(1, 5);
  BeginForm();
  AddTextField("BRARQIMP", "Arquivo ou dispositivo de saida:", device, 144);
  AddNumberField("BRNCOP", "Quantas c\xF3pias ? ", copies);
  ScriptedKeys() = {kEsc};
  RunForm(true);
  // The label and one blank end at column 51; the text field shows 28
  // columns of its answer, the number field 10.
  EXPECT_EQ(Row(5), std::string(18, ' ') + "Arquivo ou dispositivo de saida: " + device.substr(0, 28) +
                        std::string(1, ' '));
  EXPECT_EQ(Row(6), std::string(33, ' ') + "Quantas c\xF3pias ?  2" + std::string(28, ' '));
  EXPECT_EQ(ScreenAttributeAt(1, 5) >> 4, 4);
  EXPECT_EQ(ScreenAttributeAt(51, 5) >> 4, 4);
  EXPECT_EQ(ScreenAttributeAt(52, 5) >> 4, 0);
}

TEST_F(DialogueFormTest, BeyondEitherEndABeepAndKeysReadRaw) {
  bool first = true, second = true;
  MoveCursor(1, 10);
  BeginForm();
  AddYesNoField("BRFAZTIT", "Um:", first);
  AddYesNoField("BRTITFV", "Dois:", second);
  static int rowPastTheEnd = 0;
  // Enter on the last field: past it, a beep, the cursor on its row; "H"
  // (the code of Up) comes back to it, where "n" is typed.
  ScriptedKeys() = {kEnter, kEnter, 'H', 'n', kEsc};
  SetKeySource([]() {
    if (ScriptedKeys().size() == 3) rowPastTheEnd = CursorRow();
    return editor_testing::NextScriptedKey();
  });
  RunForm(true);
  EXPECT_TRUE(first);
  EXPECT_FALSE(second);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(rowPastTheEnd, 11);

  // Up on the first field: before it; "P" (Down) returns to it; past the
  // last field "q" (Ctrl+Up) goes to the first and "I" (PgUp) finishes.
  ForgetHeard();
  MoveCursor(1, 10);
  BeginForm();
  AddYesNoField("BRFAZTIT", "Um:", first);
  AddYesNoField("BRTITFV", "Dois:", second);
  SetKeySource(editor_testing::NextScriptedKey);
  ScriptedKeys() = {0, 72, 'P', 'n', kEnter, kEnter, 'q', 's', kEnter, kEnter, 'I'};
  EXPECT_EQ(RunForm(true), 'I');
  EXPECT_TRUE(first) << "the answer typed after q";
  EXPECT_FALSE(second);
  EXPECT_EQ(Beeps(), 3);
}

TEST_F(DialogueFormTest, F9OffersYesOrNoAndNothingForOtherFields) {
  bool titles = true;
  int copies = 4;
  MoveCursor(1, 10);
  BeginForm();
  AddYesNoField("BRFAZTIT", "T\xEDtulos:", titles);
  AddNumberField("BRNCOP", "C\xF3pias:", copies);
  static std::string listed;
  ScriptedKeys() = {0, 67, 'n', kEnter, kEsc};
  SetKeySource([]() {
    const std::size_t column = static_cast<std::size_t>(CursorColumn() - 1);
    if (ScriptedKeys().size() == 3) listed = Row(10).substr(column, 3) + "|" + Row(11).substr(column, 3);
    return editor_testing::NextScriptedKey();
  });
  RunForm(true);
  EXPECT_EQ(listed, "SIM|N\xC3O");
  EXPECT_FALSE(titles);
  // The list closed: the number field's answer is back under it.
  EXPECT_EQ(Row(11).substr(28, 10), "4" + std::string(9, ' '));
  EXPECT_EQ(Row(10).substr(28, 10), "N\xC3O" + std::string(7, ' '));

  // Esc in the list leaves the answer; F9 on a number field does nothing.
  titles = true;
  MoveCursor(1, 10);
  BeginForm();
  AddYesNoField("BRFAZTIT", "T\xEDtulos:", titles);
  AddNumberField("BRNCOP", "C\xF3pias:", copies);
  SetKeySource(editor_testing::NextScriptedKey);
  ScriptedKeys() = {0, 67, 'n', kEsc, kEnter, 0, 67, kEsc};
  RunForm(true);
  EXPECT_TRUE(titles);
  EXPECT_EQ(copies, 4);
}

TEST_F(DialogueFormTest, AFormLongerThanTheWindowScrollsToTheFieldReached) {
  std::vector<int> numbers(30);
  MoveCursor(1, 1);
  BeginForm();
  for (int i = 0; i < 30; ++i) {
    numbers[static_cast<std::size_t>(i)] = i + 1;
    AddNumberField("BRNCOP", "Campo " + std::to_string(i + 1) + ":", numbers[static_cast<std::size_t>(i)]);
  }
  static std::string atLast, atFirst;
  // Ctrl+Down: the last field, five fields scrolled off; Ctrl+Up: back.
  ScriptedKeys() = {0, 114, 0, 113, kEsc};
  SetKeySource([]() {
    const auto rows = [] { return Row(1).substr(18, 10) + "|" + Row(25).substr(18, 10); };
    if (ScriptedKeys().size() == 2) atLast = rows();
    if (ScriptedKeys().size() == 1) atFirst = rows();
    return editor_testing::NextScriptedKey();
  });
  RunForm(true);
  EXPECT_EQ(atLast, " Campo 6: |Campo 30: ");
  EXPECT_EQ(atFirst, " Campo 1: |Campo 25: ");
  EXPECT_EQ(numbers[29], 30);
}

}  // namespace
