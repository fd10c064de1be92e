#include "braille/dot_picture.h"

#include <bitset>
#include <cstdio>
#include <string>
#include <vector>

#include "braille/code_table.h"

namespace {

constexpr int kPictureRows = 300;     // file lines read after the first
constexpr int kPictureColumns = 300;  // characters read of each line
constexpr int kLastEmbossedRow = 299;
constexpr int kCellsPerLine = 150;

// Indexed by row, then column. Row 0 stays empty: the file's first line is
// not part of the picture.
using DotGrid = std::vector<std::bitset<kPictureColumns>>;

// Fills rows 1 to 300 from the file's lines after the first (CR LF, LF and
// a lone CR each end a line); characters beyond the 300th of a line are
// skipped. False when the file cannot be read.
bool ReadDotRows(const std::string& path, DotGrid& grid) {
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
      if (row > 0 && c != ' ') grid[row][column] = true;
      ++column;
    }
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

int LastDotRow(const DotGrid& grid) {
  for (int row = kLastEmbossedRow; row >= 1; --row) {
    if (grid[row].any()) return row;
  }
  return 1;
}

// One line of cells from dot rows 3e to 3e + 2, two dot columns per cell.
std::string CellRow(const DotGrid& grid, int cellRow, const CodeTable& table) {
  std::string bytes(kCellsPerLine, ' ');
  for (std::size_t cell = 0; cell < kCellsPerLine; ++cell) {
    unsigned pattern = 0;
    for (unsigned dot = 0; dot < 3; ++dot) {
      const auto& row = grid[3 * cellRow + dot];
      if (row[2 * cell]) pattern |= 1u << dot;            // left column: dots 1, 2, 3
      if (row[2 * cell + 1]) pattern |= 1u << (dot + 3);  // right column: dots 4, 5, 6
    }
    bytes[cell] = static_cast<char>(table[DotPatternTable[pattern]]);
  }
  std::size_t length = bytes.size();
  while (length > 0 && static_cast<unsigned char>(bytes[length - 1]) <= ' ') --length;
  bytes.resize(length);
  return bytes;
}

}  // namespace

bool PictureLines(const std::string& path, const CodeTable& table, std::vector<std::string>& lines) {
  lines.clear();
  DotGrid grid(kPictureRows + 1);
  if (!ReadDotRows(path, grid)) return false;
  const int lastCellRow = LastDotRow(grid) / 3;
  for (int cellRow = 0; cellRow <= lastCellRow; ++cellRow) lines.push_back(CellRow(grid, cellRow, table));
  return true;
}
