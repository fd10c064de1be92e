// What a host needs to draw the grid: the colour of each colour index, and
// the runs of equal attribute along a row, each drawn in one go.
#pragma once

#include <vector>

struct Rgb {
  unsigned char red = 0;
  unsigned char green = 0;
  unsigned char blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The colour of a colour index (0..15) through the remapping table of the
// settings (TABCORES); a remapped value outside the palette is black.
Rgb PaletteColour(int colourIndex);
Rgb ForegroundColour(unsigned char attribute);
Rgb BackgroundColour(unsigned char attribute);

struct AttributeRun {
  int firstColumn = 0;
  int lastColumn = 0;
  unsigned char attribute = 0;
  bool operator==(const AttributeRun&) const = default;
};

// Cells firstColumn..lastColumn of row split into runs of equal attribute.
std::vector<AttributeRun> AttributeRuns(int row, int firstColumn, int lastColumn);

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The part of a width x height window that the magnifier of the factor
// (at least 1) stretches over the whole window, for the pointer at x, y.
PixelRect MagnifierSource(int x, int y, int width, int height, int factor);
