#include "formats/cell_pages.h"

#include <algorithm>

#include "braille/braille_cells.h"
#include "braille/code_table.h"
#include "braille/print_settings.h"

PageSize SettingsPageSize(const PrintSettings& settings) {
  return {std::max(settings.COLUNAS, 2), std::max(settings.LINHAS, 1)};
}

// A byte no character with a cell is mapped to is no cell on paper either:
// it is shown as the empty cell.
CellPages::CellPages(const CodeTable& table, bool oldRules, PageSize page) : page_(page) {
  const DotsOfByte dotsOfByte = CellsOfTable(table, oldRules);
  for (int c = 0; c < 256; ++c) {
    const int pattern = dotsOfByte[table[static_cast<std::size_t>(c)]];
    dotsOfCharacter_[static_cast<std::size_t>(c)] = static_cast<unsigned char>(std::max(pattern, 0));
  }
}

void CellPages::EnsurePageOpen() {
  if (pageOpen_) return;
  OpenPage();
  pageOpen_ = true;
  rowsOnPage_ = 0;
}

void CellPages::BeginPage() {
  if (pageOpen_) EndPage();
  EnsurePageOpen();
}

bool CellPages::Line(std::string_view cells) {
  EnsurePageOpen();
  CellPatterns row(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) row[i] = dotsOfCharacter_[static_cast<unsigned char>(cells[i])];
  ++rowsOnPage_;
  return Row(row);
}

// The picture takes the rows left on its page, at least one.
void CellPages::Picture(const DotPicture& picture, char option, const CodeTable* /*deviceTable*/) {
  EnsurePageOpen();
  const int rowsLeft = std::max(page_.rows - rowsOnPage_, 1);
  PictureBegins(option);
  for (const CellPatterns& row : PictureCells(picture, page_.cells, rowsLeft)) {
    ++rowsOnPage_;
    Row(row);
  }
  PictureEnds();
}

// An end with no page open closes an empty page, as the embosser feeds a
// blank sheet.
void CellPages::EndPage() {
  EnsurePageOpen();
  ClosePage();
  pageOpen_ = false;
}

void CellPages::BlankBackPage() {
  if (pageOpen_) EndPage();
  EnsurePageOpen();
  EndPage();
}

bool CellPages::Finish() {
  if (pageOpen_) EndPage();
  return true;
}
