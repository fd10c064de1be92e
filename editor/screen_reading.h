// Speaking what lies under the review position: one word at a time, or a
// range of rows and columns.
#pragma once

// Says the word at the review position and moves the position past it.
// A sign, or a one-letter word, is said with at most three of its repeats;
// a word of consonants only is spelled.
void SpeakReviewWord();

// Reads from (firstRow, firstColumn) to (lastRow, lastColumn), row by row
// with a click between rows, until a key is queued. A range that ran to
// the end of its last row leaves the position at that row's end.
void ReadReviewRange(int firstRow, int firstColumn, int lastRow, int lastColumn);
