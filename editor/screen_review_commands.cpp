#include "editor/screen_review_commands.h"

#include <string>

#include "console/console.h"
#include "editor/screen_cells.h"
#include "editor/screen_reading.h"
#include "editor/screen_review.h"
#include "platform/message_texts.h"
#include "speech/speech.h"

namespace {

constexpr std::size_t kLongestSearchText = 80;

void RefuseKey() {
  PlayBeep();
  PlayClick();
  PlayBeep();
}

// Runs a reader and puts the review position back where it was.
template <typename Reader>
void ReadKeepingPosition(Reader reader) {
  const int row = screenReview.row;
  const int column = screenReview.column;
  reader();
  screenReview.row = row;
  screenReview.column = column;
}

unsigned char UpperAscii(int key) { return key >= 'a' && key <= 'z' ? static_cast<unsigned char>(key - 32) : key; }

// Searches from the review position's column (skip 0), or from the column
// after it (skip 1) so that searching again finds the next match.
void Search(const std::string& text, int skip) {
  for (int row = screenReview.row; row <= kRows; ++row) {
    const std::string cells = RowText(row, 1, kColumns);
    const std::size_t from = row == screenReview.row ? static_cast<std::size_t>(screenReview.column - 1 + skip) : 0;
    const std::size_t found = from <= cells.size() ? cells.find(text, from) : std::string::npos;
    if (found != std::string::npos) {
      screenReview.row = row;
      screenReview.column = static_cast<int>(found) + 1;
      PlayClick();
      return;
    }
  }
  PlayBeep();
  PlayBeep();
}

}  // namespace

int ReadReviewKey() {
  const int key = ReadKey();
  return key == kExtendedKey ? kReviewExtended + ReadKey() : key;
}

void ReadCurrentRow() {
  ReadKeepingPosition([] { ReadReviewRange(screenReview.row, 1, screenReview.row, kColumns); });
}

void ReadCurrentField() {
  ReadKeepingPosition([] {
    const FieldBounds field = FieldAt(screenReview.row, screenReview.column);
    ReadReviewRange(screenReview.row, field.first, screenReview.row, field.last);
  });
}

void RunReadCommand(unsigned char firstLetter) {
  const unsigned char first = UpperAscii(firstLetter);
  const unsigned char second = UpperAscii(ReadReviewKey());
  const int row = screenReview.row;
  const int column = screenReview.column;
  const FieldBounds field = FieldAt(row, column);
  const bool whole = first == 'T' || first == 'L';
  if (first == 'I' && second == 'T') {
    ReadReviewRange(1, 1, row, column - 1);
  } else if (first == 'I' && second == 'L') {
    ReadKeepingPosition([&] { ReadReviewRange(row, 1, row, column - 1); });
  } else if (first == 'I' && second == 'C') {
    ReadKeepingPosition([&] { ReadReviewRange(row, field.first, row, column); });
  } else if (whole && second == 'T') {
    ReadReviewRange(1, 1, kRows, kColumns);
  } else if (whole && second == 'L') {
    ReadCurrentRow();
  } else if (whole && second == 'C') {
    ReadCurrentField();
  } else if (first == 'F' && second == 'T') {
    ReadReviewRange(row, column, kRows, kColumns);
  } else if (first == 'F' && second == 'L') {
    ReadKeepingPosition([&] { ReadReviewRange(row, column, row, kColumns); });
  } else if (first == 'F' && second == 'C') {
    ReadKeepingPosition([&] { ReadReviewRange(row, column, row, field.last); });
  } else {
    RefuseKey();
  }
}

void AskAndSearch() {
  SpeakText(GetMessage("REVTEXTO"));
  std::string text;
  for (;;) {
    const int key = ReadReviewKey();
    if (key == kEscapeKey) return;
    if (key == kEnterKey) break;
    if (key == kBackspaceKey) {
      if (text.empty()) continue;
      const unsigned char removed = static_cast<unsigned char>(text.back());
      text.pop_back();
      PlayMessageSound("_DEL");
      PlayLetterSound(removed);
    } else if (key >= kFirstCharacterKey && key < kReviewExtended && text.size() < kLongestSearchText) {
      text += static_cast<char>(key);
      PlayLetterSound(static_cast<unsigned char>(key));
    }
  }
  // An empty answer keeps the last search text and moves nothing.
  if (text.empty()) return;
  screenReview.searchText = text;
  Search(text, 0);
}

void SearchAgain() {
  if (screenReview.searchText.empty()) {
    PlayBeep();
    PlayBeep();
    return;
  }
  Search(screenReview.searchText, 1);
}

void JumpToRowAndColumn() {
  SpeakText(GetMessage("REVLINCO"));
  int digits[4] = {};
  for (int& digit : digits) {
    const int key = ReadReviewKey();
    if (key < '0' || key > '9') {
      PlayBeep();
      PlayBeep();
      return;
    }
    PlayLetterSound(static_cast<unsigned char>(key));
    digit = key - '0';
  }
  screenReview.row = digits[0] * 10 + digits[1];
  screenReview.column = digits[2] * 10 + digits[3];
}
