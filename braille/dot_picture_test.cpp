#include "braille/dot_picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "braille/code_table.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

DotPicture Read(TempDir& dir, const std::string& text) {
  const std::string path = dir.File("desenho.txt");
  WriteFile(path, text);
  DotPicture picture;
  EXPECT_TRUE(ReadDotPicture(path, picture));
  return picture;
}

// Dot patterns: dot 1 = 1, dot 2 = 2, dot 3 = 4, dot 4 = 8, dot 5 = 16, dot 6 = 32.
TEST(DotPicture, CellsAreTwoDotsWideAndThreeHighWithTheFirstLineLeftOut) {
  TempDir dir;
  // Rows 1 to 3 (row 0 is the empty first cell row's top): the first line
  // of cells has dots 2 3 6 and dots 2 3, the second dot 1.
  const DotPicture picture = Read(dir, "desenho\nx x\nxxx\nx\n");
  const std::vector<CellPatterns> expected = {{2 | 4 | 32, 2 | 4}, {1}};
  EXPECT_EQ(PictureCells(picture, 150, 100), expected);
  // The embosser's lines through the code table (the identity here): the
  // alphabet's characters of those cells, " ; and a.
  const CodeTable identity;
  EXPECT_EQ(PictureLines(picture, identity), (std::vector<std::string>{"\";", "a"}));
  DotPicture missing;
  EXPECT_FALSE(ReadDotPicture(dir.File("nenhum.txt"), missing));
}

TEST(DotPicture, AWidePictureIsScaledDownToThePageWidth) {
  TempDir dir;
  // One row of 300 dots on a line of 34 cells: 68 dot columns, every one of
  // them reached, all in the top dot row: 34 cells of dots 1 and 4.
  const DotPicture picture = Read(dir, "desenho\n" + std::string(300, 'x') + "\n");
  const std::vector<CellPatterns> cells = PictureCells(picture, 34, 25);
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_EQ(cells[0], CellPatterns(34, 1 | 8));
}

TEST(DotPicture, ATallPictureIsScaledDownToTheRowsLeft) {
  TempDir dir;
  // Dots in the first column of all 299 rows that can be embossed, on 10
  // rows of cells: 30 dot rows, each reached, all in the left column.
  std::string text = "desenho\n";
  for (int row = 0; row < 299; ++row) text += "x\n";
  const std::vector<CellPatterns> cells = PictureCells(Read(dir, text), 34, 10);
  ASSERT_EQ(cells.size(), 10u);
  for (const CellPatterns& line : cells) EXPECT_EQ(line, CellPatterns{1 | 2 | 4});
  // Unscaled, the embosser gets all 100 lines.
  EXPECT_EQ(PictureCells(Read(dir, text), 150, 100).size(), 100u);
}

}  // namespace
