#include "editor/screen_reading.h"

#include <string>

#include "console/console.h"
#include "console/key_queue.h"
#include "editor/screen_cells.h"
#include "editor/screen_review.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

namespace {

constexpr int kMostRepeats = 3;

bool AllConsonants(const std::string& word) {
  for (unsigned char c : word) {
    if (!IsReviewConsonant(c)) return false;
  }
  return true;
}

}  // namespace

void SpeakReviewWord() {
  int& column = screenReview.column;
  const int row = screenReview.row;
  while (column <= kColumns && ReviewCharAt(row, column) == ' ') ++column;
  if (column > kColumns) return;
  std::string word;
  while (column <= kColumns && IsReviewWordCharacter(ReviewCharAt(row, column))) {
    word += static_cast<char>(ReviewCharAt(row, column++));
  }
  if (word.empty()) word += static_cast<char>(ReviewCharAt(row, column++));
  if (word.size() == 1) {
    // A run of one sign is heard as at most three of it.
    while (column <= kColumns && ReviewCharAt(row, column) == static_cast<unsigned char>(word[0])) {
      if (static_cast<int>(word.size()) < kMostRepeats) word += word[0];
      ++column;
    }
    SpeakText(word);
  } else if (AllConsonants(word)) {
    SpeakLetters(word);
  } else {
    SpeakText(word);
  }
}

void ReadReviewRange(int firstRow, int firstColumn, int lastRow, int lastColumn) {
  if (firstRow == lastRow && lastColumn < firstColumn) {
    PlayBeep();
    return;
  }
  for (int row = firstRow; row <= lastRow; ++row) {
    const int endColumn = row == lastRow ? lastColumn : kColumns;
    screenReview.row = row;
    screenReview.column = row == firstRow ? firstColumn : 1;
    if (speech.serverActive) {
      // A speech server takes the row as one text.
      SpeakText(RowText(row, screenReview.column, endColumn));
      screenReview.column = endColumn + 1;
    } else {
      while (screenReview.column <= endColumn) {
        while (screenReview.column <= endColumn && ReviewCharAt(row, screenReview.column) == ' ') {
          ++screenReview.column;
        }
        if (screenReview.column > endColumn) break;
        SpeakReviewWord();
        if (KeyPressed()) return;
      }
    }
    if (KeyPressed()) return;
    if (row < lastRow) PlayClick();
  }
  if (lastColumn >= kColumns) screenReview.column = RowEndColumn(lastRow);
}
