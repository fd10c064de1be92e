// Screen review: the user moves a review position over the 80 x 25 screen
// by character, word, field, line and screen, hears what is there, searches
// for a text, jumps to a row and column and copies the screen. The screen is
// not changed; the cursor returns where it was.
#pragma once

#include <string>

struct ScreenReviewState {
  int row = 1;     // 1..25
  int column = 1;  // 1..81; 81 is after the end of the row
  std::string searchText;  // the last text asked for with F5
};

extern ScreenReviewState screenReview;

// Runs the review until Esc.
void ScreenReview();

void ResetScreenReview();
