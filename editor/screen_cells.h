// The screen as screen review reads it: cells outside the grid are blanks
// with attribute 0; words, consonants, fields and row ends.
#pragma once

#include <string>

unsigned char ReviewCharAt(int row, int column);
unsigned char ReviewAttributeAt(int row, int column);

bool IsReviewWordCharacter(unsigned char c);
bool IsReviewConsonant(unsigned char c);
bool IsFieldDelimiter(unsigned char c);

// The column after the last non-blank cell of the row (1 for a blank row).
int RowEndColumn(int row);

// The field around the column: cells of the same attribute, up to a cell
// of another attribute, a delimiter or the row's end.
struct FieldBounds {
  int first = 1;
  int last = 1;
};
FieldBounds FieldAt(int row, int column);

// The cells first..last of a row.
std::string RowText(int row, int first, int last);
