#include "editor/screen_cells.h"

#include <cstring>

#include "console/console.h"

namespace {


bool InsideGrid(int row, int column) { return row >= 1 && row <= kRows && column >= 1 && column <= kColumns; }

}  // namespace

unsigned char ReviewCharAt(int row, int column) {
  return InsideGrid(row, column) ? ScreenCharAt(column, row) : ' ';
}

unsigned char ReviewAttributeAt(int row, int column) {
  return InsideGrid(row, column) ? ScreenAttributeAt(column, row) : 0;
}

bool IsReviewWordCharacter(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  // À Á Â Ã Ç É Ê Í Ñ Ó Ô Õ Ú and their lower-case forms (32 above).
  static const unsigned char kAccented[] = {0xC0, 0xC1, 0xC2, 0xC3, 0xC7, 0xC9, 0xCA,
                                            0xCD, 0xD1, 0xD3, 0xD4, 0xD5, 0xDA};
  for (unsigned char upper : kAccented) {
    if (c == upper || c == upper + 0x20) return true;
  }
  return false;
}

bool IsReviewConsonant(unsigned char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 0x20);
  return c >= 'B' && c <= 'Z' && std::strchr("EIOU", c) == nullptr;
}

bool IsFieldDelimiter(unsigned char c) { return c == '!' || c == ':' || c == '?' || c == '|' || (c >= 176 && c <= 223); }

int RowEndColumn(int row) {
  int column = kColumns;
  while (column >= 1 && ReviewCharAt(row, column) == ' ') --column;
  return column + 1;
}

FieldBounds FieldAt(int row, int column) {
  const unsigned char attribute = ReviewAttributeAt(row, column);
  auto belongs = [&](int c) {
    return ReviewAttributeAt(row, c) == attribute && !IsFieldDelimiter(ReviewCharAt(row, c));
  };
  FieldBounds field{column, column};
  while (field.first > 1 && belongs(field.first - 1)) --field.first;
  while (field.last < kColumns && belongs(field.last + 1)) ++field.last;
  return field;
}

std::string RowText(int row, int first, int last) {
  std::string text;
  for (int column = first; column <= last; ++column) text += static_cast<char>(ReviewCharAt(row, column));
  return text;
}
