#include "braille/dot_picture.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "braille/code_table.h"

namespace {

constexpr int kLastEmbossedRow = 299;
constexpr int kEmbosserCellsPerLine = 150;
constexpr int kEmbosserLines = kPictureRows / 3;

int LastDotRow(const DotPicture& picture) {
  for (int row = kLastEmbossedRow; row >= 1; --row) {
    if (picture.rows[row].any()) return row;
  }
  return 1;
}

int DotColumnsUsed(const DotPicture& picture) {
  int used = 0;
  for (const auto& row : picture.rows) {
    for (int column = kPictureColumns - 1; column >= used; --column) {
      if (row[column]) {
        used = column + 1;
        break;
      }
    }
  }
  return used;
}

}  // namespace

// Rows 1 to 300 come from the file's lines after the first (CR LF, LF and a
// lone CR each end a line); characters beyond the 300th of a line are
// skipped.
bool ReadDotPicture(const std::string& path, DotPicture& picture) {
  picture = DotPicture{};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  int row = 0;
  std::size_t column = 0;
  int c;
  while (row <= kPictureRows && (c = std::getc(file)) != EOF) {
    if (c == '\r' || c == '\n') {
      if (c == '\r') {
        const int next = std::getc(file);
        if (next != '\n' && next != EOF) std::ungetc(next, file);
      }
      ++row;
      column = 0;
    } else if (column < kPictureColumns) {
      if (row > 0 && c != ' ') picture.rows[row][column] = true;
      ++column;
    }
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

std::vector<CellPatterns> PictureCells(const DotPicture& picture, int maxCells, int maxLines) {
  const int lastRow = LastDotRow(picture);
  const int width = std::max(DotColumnsUsed(picture), 1);
  const double scale = std::min({1.0, 2.0 * std::max(maxCells, 1) / width,
                                 3.0 * std::max(maxLines, 1) / (lastRow + 1)});
  const auto scaled = [scale](int dot) { return scale >= 1.0 ? dot : static_cast<int>(dot * scale); };
  const int lines = scaled(lastRow) / 3 + 1;
  std::vector<CellPatterns> cells(static_cast<std::size_t>(lines),
                                  CellPatterns(static_cast<std::size_t>(scaled(width - 1) / 2 + 1), 0));
  for (int row = 0; row <= lastRow; ++row) {
    const int target = scaled(row);
    for (int column = 0; column < width; ++column) {
      if (!picture.rows[row][column]) continue;
      const int x = scaled(column);
      // Left column: dots 1, 2, 3 from the top; right column: dots 4, 5, 6.
      const int dot = target % 3 + (x % 2) * 3;
      cells[static_cast<std::size_t>(target / 3)][static_cast<std::size_t>(x / 2)] |=
          static_cast<unsigned char>(1u << dot);
    }
  }
  for (CellPatterns& line : cells) {
    while (!line.empty() && line.back() == 0) line.pop_back();
  }
  return cells;
}

std::vector<std::string> PictureLines(const DotPicture& picture, const CodeTable& table) {
  std::vector<std::string> lines;
  for (const CellPatterns& cells : PictureCells(picture, kEmbosserCellsPerLine, kEmbosserLines)) {
    std::string bytes(kEmbosserCellsPerLine, static_cast<char>(table[DotPatternTable[0]]));
    for (std::size_t cell = 0; cell < cells.size(); ++cell) {
      bytes[cell] = static_cast<char>(table[DotPatternTable[cells[cell]]]);
    }
    std::size_t length = bytes.size();
    while (length > 0 && static_cast<unsigned char>(bytes[length - 1]) <= ' ') --length;
    bytes.resize(length);
    lines.push_back(bytes);
  }
  return lines;
}
