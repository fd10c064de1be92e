#include "editor/screen_review.h"

#include <cctype>
#include <string>

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


// Extended keys as ReadReviewKey gives them.
enum : int {
  kShiftTab = 256 + 15,
  kF1 = 256 + 59,
  kF5 = 256 + 63,
  kF6 = 256 + 64,
  kHome = 256 + 71,
  kUp = 256 + 72,
  kPageUp = 256 + 73,
  kLeft = 256 + 75,
  kRight = 256 + 77,
  kEnd = 256 + 79,
  kDown = 256 + 80,
  kPageDown = 256 + 81,
  kCtrlF1 = 256 + 94,
  kCtrlF5 = 256 + 98,
  kCtrlLeft = 256 + 115,
  kCtrlRight = 256 + 116,
  kCtrlPageDown = 256 + 118,
  kCtrlPageUp = 256 + 132,
};

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
    case 27: return false;
    case 13:
      MoveToRow(at.row + 1);
      PlayClick();
      break;
    case ' ': ReadCurrentRow(); break;
    case 8:
    case kLeft:
      if (at.column > 1) {
        PlayLetterSound(ReviewCharAt(at.row, at.column - 1));
      } else {
        PlayBeep();
      }
      --at.column;
      break;
    case kRight:
      if (at.column <= kColumns + 1) {
        PlayLetterSound(ReviewCharAt(at.row, at.column));
      } else {
        PlayBeep();
      }
      ++at.column;
      break;
    case 9: NextField(); break;
    case kShiftTab: PreviousField(); break;
    case 11:
    case 12: SpeakText(std::to_string(at.row) + " " + std::to_string(at.column)); break;
    case 3: CopyScreen(); break;
    case kF1: SayWordKey(); break;
    case kF5: AskAndSearch(); break;
    case kCtrlF5: SearchAgain(); break;
    case kF6: JumpToRowAndColumn(); break;
    case kHome: at.column = 1; break;
    case kEnd: at.column = RowEndColumn(at.row); break;
    case kUp:
      if (at.row <= 1) {
        PlayBeep();
        MoveToRow(1);
      } else {
        MoveToRow(at.row - 1);
        ReadCurrentRow();
      }
      break;
    case kDown:
      if (at.row >= kRows) {
        PlayBeep();
        MoveToRow(kRows);
      } else {
        MoveToRow(at.row + 1);
        PlayClick();
        ReadCurrentRow();
      }
      break;
    case kPageUp:
      MoveToRow(1);
      ReadCurrentRow();
      break;
    case kPageDown:
      MoveToRow(kRows);
      ReadCurrentRow();
      break;
    case kCtrlPageUp: GoToLetter(false); break;
    case kCtrlPageDown: GoToLetter(true); break;
    case kCtrlLeft: PreviousWord(); break;
    case kCtrlRight: NextWord(); break;
    case kCtrlF1: ReadCurrentField(); break;
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
    const int key = ReadReviewKey();
    StopSpeech();
    if (!HandleReviewKey(key)) break;
    ClampPosition();
  }
  PlayBeep();
  PlayBeep();
  MoveCursor(savedColumn, savedRow);
}
