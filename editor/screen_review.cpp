#include "editor/screen_review.h"

#include <cctype>
#include <string>

#include "braille_display/braille_display.h"
#include "console/console.h"
#include "console/key_queue.h"
#include "editor/screen_cells.h"
#include "editor/screen_reading.h"
#include "editor/screen_review_commands.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

ScreenReviewState screenReview;

void ResetScreenReview() { screenReview = ScreenReviewState{}; }

namespace {

// An extended key as ReadReviewKey gives it.
constexpr int Extended(int code) { return kReviewExtended + code; }

bool IsBlank(int column) { return ReviewCharAt(screenReview.row, column) == ' '; }

void CopyScreen() {
  std::string text;
  for (int row = 1; row <= kRows; ++row) text += RowText(row, 1, kColumns) + "\r\n";
  CopyTextToClipboard(text);
}

bool IsScreenLetter(int row, int column) { return std::isalpha(std::toupper(ReviewCharAt(row, column))) && ReviewCharAt(row, column) < 128; }

// Ctrl+Page Up / Ctrl+Page Down: the first or the last letter of the screen.
void GoToLetter(bool last) {
  for (int i = 0; i < kRows * kColumns; ++i) {
    const int cell = last ? kRows * kColumns - 1 - i : i;
    const int row = cell / kColumns + 1;
    const int column = cell % kColumns + 1;
    if (IsScreenLetter(row, column)) {
      screenReview.row = row;
      screenReview.column = column;
      ReadCurrentRow();
      return;
    }
  }
}

void PreviousWord() {
  int column = screenReview.column - 1;
  while (column >= 1 && IsBlank(column)) --column;
  while (column > 1 && !IsBlank(column - 1)) --column;
  if (column < 1) {
    PlayBeep();
    screenReview.column = 1;
    return;
  }
  screenReview.column = column;
  PlayClick();
}

void NextWord() {
  int column = screenReview.column;
  while (column <= kColumns && !IsBlank(column)) ++column;
  while (column <= kColumns && IsBlank(column)) ++column;
  if (column > kColumns) {
    PlayBeep();
    screenReview.column = RowEndColumn(screenReview.row);
    return;
  }
  screenReview.column = column;
  PlayClick();
}

void SayWordKey() {
  if (speech.serverActive && KeyPressed()) return;
  SpeakReviewWord();
  if (screenReview.column > kColumns - 1) {
    PlayClick();
    screenReview.column = RowEndColumn(screenReview.row);
  }
}

void NextField() {
  const int column = FieldAt(screenReview.row, screenReview.column).last + 2;
  screenReview.column = column > kColumns ? RowEndColumn(screenReview.row) : column;
  PlayClick();
}

void PreviousField() {
  screenReview.column = FieldAt(screenReview.row, screenReview.column).first - 2;
  PlayClick();
}

void MoveToRow(int row) {
  screenReview.row = row;
  screenReview.column = 1;
}

// Keeps the position inside the grid; a position forced back beeps (which
// also drops the keys typed ahead).
void ClampPosition() {
  ScreenReviewState& at = screenReview;
  if (at.column >= 1 && at.column <= kColumns + 1 && at.row >= 1 && at.row <= kRows) return;
  PlayBeep();
  if (at.column < 1) at.column = 1;
  if (at.column > kColumns + 1) at.column = kColumns;
  if (at.row < 1) at.row = 1;
  if (at.row > kRows) at.row = kRows;
}

bool IsLetterKey(int key) { return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z'); }

// Handles one key; false for Esc.
bool HandleReviewKey(int key) {
  ScreenReviewState& at = screenReview;
  switch (key) {
    case kEscapeKey: return false;
    case kEnterKey:
      MoveToRow(at.row + 1);
      PlayClick();
      break;
    case ' ': ReadCurrentRow(); break;
    case kBackspaceKey:
    case Extended(kLeftKey):
      if (at.column > 1) {
        PlayLetterSound(ReviewCharAt(at.row, at.column - 1));
      } else {
        PlayBeep();
      }
      --at.column;
      break;
    case Extended(kRightKey):
      if (at.column <= kColumns + 1) {
        PlayLetterSound(ReviewCharAt(at.row, at.column));
      } else {
        PlayBeep();
      }
      ++at.column;
      break;
    case kTabKey: NextField(); break;
    case Extended(kShiftTabKey): PreviousField(); break;
    case kCtrlKKey:
    case kCtrlLKey: SpeakText(std::to_string(at.row) + " " + std::to_string(at.column)); break;
    case kCtrlCKey: CopyScreen(); break;
    case Extended(kF1Key): SayWordKey(); break;
    case Extended(kF5Key): AskAndSearch(); break;
    case Extended(kCtrlF5Key): SearchAgain(); break;
    case Extended(kF6Key): JumpToRowAndColumn(); break;
    case Extended(kHomeKey): at.column = 1; break;
    case Extended(kEndKey): at.column = RowEndColumn(at.row); break;
    case Extended(kUpKey):
      if (at.row <= 1) {
        PlayBeep();
        MoveToRow(1);
      } else {
        MoveToRow(at.row - 1);
        ReadCurrentRow();
      }
      break;
    case Extended(kDownKey):
      if (at.row >= kRows) {
        PlayBeep();
        MoveToRow(kRows);
      } else {
        MoveToRow(at.row + 1);
        PlayClick();
        ReadCurrentRow();
      }
      break;
    case Extended(kPageUpKey):
      MoveToRow(1);
      ReadCurrentRow();
      break;
    case Extended(kPageDownKey):
      MoveToRow(kRows);
      ReadCurrentRow();
      break;
    case Extended(kCtrlPageUpKey): GoToLetter(false); break;
    case Extended(kCtrlPageDownKey): GoToLetter(true); break;
    case Extended(kCtrlLeftKey): PreviousWord(); break;
    case Extended(kCtrlRightKey): NextWord(); break;
    case Extended(kCtrlF1Key): ReadCurrentField(); break;
    default:
      if (IsLetterKey(key)) {
        RunReadCommand(static_cast<unsigned char>(key));
      } else {
        PlayBeep();
        PlayClick();
        PlayBeep();
      }
  }
  return true;
}

}  // namespace

void ScreenReview() {
  const int savedColumn = CursorColumn();
  const int savedRow = CursorRow();
  PlayBeep();
  screenReview.row = savedRow;
  screenReview.column = savedColumn;
  for (;;) {
    MoveCursor(screenReview.column, screenReview.row);
    // The reviewed row on the Braille display, the cursor at the position.
    std::string row = RowText(screenReview.row, 1, kColumns);
    row.erase(row.find_last_not_of(' ') + 1);
    ShowOnBrailleDisplay(row, screenReview.column - 1);
    const int key = ReadReviewKey();
    StopSpeech();
    if (!HandleReviewKey(key)) break;
    ClampPosition();
  }
  PlayBeep();
  PlayBeep();
  MoveCursor(savedColumn, savedRow);
}
