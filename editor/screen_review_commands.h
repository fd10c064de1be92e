// Screen review's commands that ask for more: the two-letter read commands,
// the search for a text, and the jump to a row and column.
#pragma once

// Extended keys come as kReviewExtended + their code.
inline constexpr int kReviewExtended = 256;
int ReadReviewKey();

// The read command whose first letter was typed; reads the second.
void RunReadCommand(unsigned char firstLetter);

// F5: asks for the text, then searches; Ctrl+F5 searches again.
void AskAndSearch();
void SearchAgain();

// F6: four digits, the row then the column.
void JumpToRowAndColumn();

// Reads the current row, or field, keeping the position.
void ReadCurrentRow();
void ReadCurrentField();
