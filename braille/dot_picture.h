// Dot pictures: a text file whose lines are rows of dots (any character but
// a blank is a raised dot), made into Braille cells two dots wide and three
// high: for the embosser, cell by cell between its graphic-mode escape
// sequences; for a Braille file, scaled to the cells of the page.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

struct CodeTable;

// The sequence that puts the embosser in graphic mode with an option byte,
// and the one that ends the mode (with its line end).
inline constexpr char kGraphicModeEscape = 27;
inline constexpr std::string_view kGraphicEnd = "\x1b]\r\n";

inline constexpr int kPictureRows = 300;     // file lines read after the first
inline constexpr int kPictureColumns = 300;  // characters read of each line

struct DotPicture {
  // Indexed by row, then column. Row 0 stays empty: the file's first line
  // is not part of the picture.
  std::vector<std::bitset<kPictureColumns>> rows = std::vector<std::bitset<kPictureColumns>>(kPictureRows + 1);
};

// One line of cells: the dot pattern of each (dot 1 = bit 0 ... dot 6 = bit 5).
using CellPatterns = std::vector<unsigned char>;

// Reads the picture of the file at path (a Linux path); false when the file
// cannot be read.
bool ReadDotPicture(const std::string& path, DotPicture& picture);

// The picture's lines of cells, from dot rows 3e to 3e + 2 and columns 2c,
// 2c + 1, down to the last row that can be embossed with a dot. When it is
// wider than maxCells or taller than maxLines, the dots are first scaled
// down (by one factor for both directions, a dot wherever one falls) to fit.
// Trailing empty cells are left out.
std::vector<CellPatterns> PictureCells(const DotPicture& picture, int maxCells, int maxLines);

// The picture as the embosser's lines of device bytes through table,
// without line ends, each cut after its last byte above 32.
std::vector<std::string> PictureLines(const DotPicture& picture, const CodeTable& table);
