#include "console/cell_drawing.h"

#include <algorithm>

#include "console/console_window.h"

namespace {

constexpr Rgb kPalette[16] = {
    {0, 0, 0},       {0, 0, 255},     {0, 255, 0},     {0, 255, 255},   {255, 0, 0},     {142, 0, 142},
    {68, 34, 34},    {192, 192, 192}, {128, 128, 128}, {128, 128, 255}, {128, 255, 128}, {128, 255, 255},
    {255, 128, 128}, {255, 128, 255}, {255, 255, 0},   {255, 255, 255},
};

}  // namespace

Rgb PaletteColour(int colourIndex) {
  const int slot = consoleWindow.settings.colourMap[static_cast<std::size_t>(colourIndex & 0x0F)];
  return slot >= 0 && slot <= 15 ? kPalette[slot] : Rgb{};
}

Rgb ForegroundColour(unsigned char attribute) { return PaletteColour(attribute & 0x0F); }

Rgb BackgroundColour(unsigned char attribute) { return PaletteColour(attribute >> 4); }

std::vector<AttributeRun> AttributeRuns(int row, int firstColumn, int lastColumn) {
  std::vector<AttributeRun> runs;
  for (int column = firstColumn; column <= lastColumn; ++column) {
    const unsigned char attribute = consoleWindow.attributes[CellIndex(column, row)];
    if (runs.empty() || runs.back().attribute != attribute) {
      runs.push_back({column, column, attribute});
    } else {
      runs.back().lastColumn = column;
    }
  }
  return runs;
}

PixelRect MagnifierSource(int x, int y, int width, int height, int factor) {
  return {std::max(0, x - x / factor), std::max(0, y - y / factor), width / factor, height / factor};
}
