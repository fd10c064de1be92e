#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/editor_test_fixture.h"
#include "editor/screen_review.h"
#include "speech/speech_state.h"

namespace {

using namespace editor_testing;

constexpr int kFieldAttribute = 0x1F;

class ScreenReviewTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    ResetScreenReview();
  }

  // Reviews from (row, column) with the keys given (extended keys as 0,
  // code), then Esc; says where the position was when Esc came.
  void Review(int row, int column, std::vector<int> keys) {
    MoveCursor(column, row);
    ScriptedKeys().assign(keys.begin(), keys.end());
    ScriptedKeys().push_back(0);
    ScriptedKeys().push_back(134);  // an unused extended key: shows where the position is
    ScriptedKeys().push_back(27);
    ForgetHeard();
    ScreenReview();
  }

  // The events without the entry beep, the refusal of the final extended
  // key and the two beeps of the exit.
  Sounds EventsOfKeys() const {
    Sounds events = Events();
    EXPECT_GE(events.size(), 6u);
    EXPECT_EQ(events.front(), "beep");
    const Sounds tail{"beep", "click", "beep", "beep", "beep"};
    EXPECT_EQ(Sounds(events.end() - 5, events.end()), tail);
    return Sounds(events.begin() + 1, events.end() - 5);
  }
};

TEST_F(ScreenReviewTest, MovingByCharacterRowAndScreenWithTheClampAndTheWayOut) {
  Put(3, 1, "Ab");
  Put(4, 1, "linha quatro");
  // Left at column 1: refused, then clamped back to column 1.
  Review(3, 1, {0, 75});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep", "beep"}));
  EXPECT_EQ(screenReview.column, 1);
  // Right says the character under the position; Backspace the one left of it.
  Review(3, 1, {0, 77, 0, 77, 8});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"_65", "_98", "_98"}));
  EXPECT_EQ(screenReview.column, 2);
  // End: after the last non-blank; Home: column 1; Enter: next row.
  Review(4, 3, {0, 79});
  EXPECT_EQ(screenReview.column, 13);
  Review(4, 7, {0, 71, 13});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"click"}));
  EXPECT_EQ(screenReview.row, 5);
  EXPECT_EQ(screenReview.column, 1);
  // Up at the top and Down at the bottom beep and stay.
  Review(1, 5, {0, 72});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep"}));
  EXPECT_EQ(screenReview.row, 1);
  Review(25, 5, {0, 80});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep"}));
  EXPECT_EQ(screenReview.row, 25);
  // Down reads the next row from column 1 after a click.
  Review(3, 2, {0, 80});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"click", "speech", "speech"}));
  EXPECT_EQ(screenReview.row, 4);
  // Leaving puts the console cursor back where it was.
  Review(7, 33, {0, 81, 0, 73});
  EXPECT_EQ(CursorColumn(), 33);
  EXPECT_EQ(CursorRow(), 7);
}

TEST_F(ScreenReviewTest, F6JumpsToFourDigitsAndABadDigitLeavesThePosition) {
  Review(2, 3, {0, 64, '0', '5', '1', '0'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech", "_48", "_53", "_49", "_48"}));
  EXPECT_EQ(screenReview.row, 5);
  EXPECT_EQ(screenReview.column, 10);
  Review(2, 3, {0, 64, '1', 'x'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech", "_49", "beep", "beep"}));
  EXPECT_EQ(screenReview.row, 2);
  EXPECT_EQ(screenReview.column, 3);
  // Row 00 and column 99 lie outside the grid: one beep for the clamp.
  Review(2, 3, {0, 64, '0', '0', '9', '9'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech", "_48", "_48", "_57", "_57", "beep"}));
  EXPECT_EQ(screenReview.row, 1);
  EXPECT_EQ(screenReview.column, 80);
}

TEST_F(ScreenReviewTest, ReadingARowSaysRunsOfSignsThreeTimesAndSpellsConsonantWords) {
  Put(6, 1, "casa " + std::string(40, '=') + " BCD -");
  Review(6, 20, {' '});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech", "_61", "_61", "_61", "_66", "_67", "_68", "_45"}));
  EXPECT_EQ(screenReview.column, 20);
  // F1 says the word at the position and moves past it.
  Review(6, 1, {0, 59});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech"}));
  EXPECT_EQ(screenReview.column, 5);
  // Past column 79 F1 clicks and goes to the end of the row.
  Put(7, 77, "fim");
  Review(7, 77, {0, 59});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech", "click"}));
  EXPECT_EQ(screenReview.column, 80);
}

TEST_F(ScreenReviewTest, WithASpeechServerEachRowGoesAsOneText) {
  Put(6, 1, "BCD ====");
  Put(7, 1, "XY");
  speech.serverActive = true;
  // Nothing is spelled or played as a sign: the server takes the rows;
  // the click between rows stays.
  Review(6, 1, {'F', 'T'});
  speech.serverActive = false;
  Sounds expected{"click"};
  for (int row = 8; row <= 25; ++row) expected.push_back("click");
  EXPECT_EQ(EventsOfKeys(), expected);
  EXPECT_EQ(screenReview.row, 25);
}

TEST_F(ScreenReviewTest, ReadCommandsCoverTheirRangesAndKeepOrLeaveThePosition) {
  Put(1, 1, "BC");
  Put(2, 1, "DF GH");
  Put(3, 1, "JK");
  // IL: row 2 before column 4.
  Review(2, 4, {'i', 'l'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"_68", "_70"}));
  EXPECT_EQ(screenReview.column, 4);
  // FL: from the position to the end of the row, position kept.
  Review(2, 4, {'F', 'L'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"_71", "_72"}));
  EXPECT_EQ(screenReview.column, 4);
  // IT: from the top to the position, clicks between rows; the position
  // stays at the end of what was read.
  Review(2, 4, {'I', 'T'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"_66", "_67", "click", "_68", "_70"}));
  EXPECT_EQ(screenReview.row, 2);
  // FT: to the end of the screen, ending after the last row's text.
  Review(2, 4, {'f', 't'});
  Sounds expected{"_71", "_72", "click", "_74", "_75"};
  for (int row = 4; row <= 25; ++row) expected.push_back("click");
  EXPECT_EQ(EventsOfKeys(), expected);
  EXPECT_EQ(screenReview.row, 25);
  EXPECT_EQ(screenReview.column, 1);
  // IL at column 1 is an empty range; an unknown pair is refused.
  Review(2, 1, {'I', 'L'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep"}));
  Review(2, 1, {'X', 'Z'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep", "click", "beep"}));
}

TEST_F(ScreenReviewTest, FieldsEndAtAnotherAttributeOrADelimiter) {
  Put(4, 1, "NOME:");
  Put(4, 6, "XYZ W", kFieldAttribute);
  Put(4, 11, "|RST");
  // The field of column 7 is columns 6..10: TC reads it, position kept
  // (the one-letter word "W" is spoken, not spelled).
  Review(4, 7, {'T', 'C'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"_88", "_89", "_90", "speech"}));
  EXPECT_EQ(screenReview.column, 7);
  // IC from the field's start to the position; FC from the position on.
  Review(4, 7, {'I', 'C'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"_88", "_89", "_90"}));
  Review(4, 9, {'F', 'C'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech"}));
  // Tab goes to the end of the field + 2 (past the "|"); Shift+Tab to the
  // field's start - 2.
  Review(4, 7, {9});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"click"}));
  EXPECT_EQ(screenReview.column, 12);
  Review(4, 7, {0, 15});
  EXPECT_EQ(screenReview.column, 4);
  // "NOME" ends at the colon: Ctrl+F1 reads its field.
  Review(4, 2, {0, 94});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech"}));
}

TEST_F(ScreenReviewTest, SearchFindsTheNextMatchAndSearchingAgainMovesOn) {
  Put(3, 10, "casa");
  Put(9, 4, "casa");
  // Backspace removes "x" with its sounds; the match on the current row
  // at the position counts.
  Review(3, 10, {0, 63, 'c', 'x', 8, 'a', 's', 'a', 13});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech", "_99", "_120", "_DEL", "_120", "_97", "_115", "_97", "click"}));
  EXPECT_EQ(screenReview.row, 3);
  EXPECT_EQ(screenReview.column, 10);
  EXPECT_EQ(screenReview.searchText, "casa");
  Review(3, 10, {0, 98});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"click"}));
  EXPECT_EQ(screenReview.row, 9);
  EXPECT_EQ(screenReview.column, 4);
  // Nothing below: two beeps, position kept.
  Review(9, 4, {0, 98});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep", "beep"}));
  EXPECT_EQ(screenReview.row, 9);
  // Esc during the question searches nothing and keeps the text.
  Review(1, 1, {0, 63, 'z', 27});
  EXPECT_EQ(screenReview.row, 1);
  EXPECT_EQ(screenReview.searchText, "casa");
}

TEST_F(ScreenReviewTest, TheSearchAndJumpQuestionsAreSaidInWords) {
  SpeakText("Qual texto");
  SpeakText("Entre linha e coluna");
  const std::vector<long> said = MemoryBytes();
  ASSERT_EQ(said.size(), 2u);
  ASSERT_NE(said[0], said[1]);
  // F5 asks for the text to search (Esc gives it up), F6 for a row and a
  // column (a letter is refused with two beeps).
  Review(1, 1, {0, 63, 27});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech"}));
  EXPECT_EQ(std::ranges::count(MemoryBytes(), said[0]), 1);
  Review(1, 1, {0, 64, 'x'});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"speech", "beep", "beep"}));
  EXPECT_EQ(std::ranges::count(MemoryBytes(), said[1]), 1);
}

TEST_F(ScreenReviewTest, WordsLettersAndTheClipboardCopy) {
  Put(2, 5, "um  dois");
  Put(20, 70, "fim.");
  // Ctrl+Right: next word; Ctrl+Left: previous word; at the row start a beep.
  Review(2, 5, {0, 116});
  EXPECT_EQ(screenReview.column, 9);
  Review(2, 9, {0, 115});
  EXPECT_EQ(screenReview.column, 5);
  Review(2, 5, {0, 115});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep"}));
  EXPECT_EQ(screenReview.column, 1);
  Review(2, 9, {0, 116});
  EXPECT_EQ(EventsOfKeys(), (Sounds{"beep"}));
  EXPECT_EQ(screenReview.column, 13);
  // Ctrl+Page Up / Down: the first and the last letter of the screen.
  Review(10, 10, {0, 132});
  EXPECT_EQ(screenReview.row, 2);
  EXPECT_EQ(screenReview.column, 5);
  Review(10, 10, {0, 118});
  EXPECT_EQ(screenReview.row, 20);
  EXPECT_EQ(screenReview.column, 72);
  // Ctrl+C: 25 rows of exactly 80 characters, each ending in CR LF.
  Review(1, 1, {3});
  ASSERT_EQ(Clipboard().size(), 25u * 82u);
  EXPECT_EQ(Clipboard().substr(82, 82), "    um  dois" + std::string(68, ' ') + "\r\n");
  EXPECT_EQ(Clipboard().substr(24 * 82), std::string(80, ' ') + "\r\n");
}

}  // namespace
