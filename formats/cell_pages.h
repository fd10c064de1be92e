// The composed pages as Braille cells, for the file formats that hold cells
// rather than an embosser's bytes (BRF, PEF, Unicode Braille): each line's
// cells by the dots they emboss, pictures scaled to the room on the page.
// A format says how a page opens, how a row is written and how a page
// closes.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "braille/dot_picture.h"
#include "braille/page_sink.h"

struct CodeTable;
struct PrintSettings;

// The page the cells are laid out on: cells a row, rows a page.
struct PageSize {
  int cells = 0;
  int rows = 0;
};

// The settings' page, at least as wide as the composer's narrowest line
// and one row long.
PageSize SettingsPageSize(const PrintSettings& settings);

class CellPages : public PageSink {
 public:
  // The cells of a line are the ones its internal characters give on paper:
  // each character's device byte through table, read back as the cell of
  // the rules (oldRules) that byte is the table's for.
  CellPages(const CodeTable& table, bool oldRules, PageSize page);

  void BeginPage() override;
  bool Line(std::string_view cells) override;
  void Picture(const DotPicture& picture, char option, const CodeTable* deviceTable) override;
  void EndPage() override;
  void BlankBackPage() override;
  bool PicturesAsCells() const override { return true; }

  // A further copy of the document begins.
  virtual void BeginCopy() {}
  // Ends the open page and the document; false when the output did not take
  // all of it.
  virtual bool Finish();

 protected:
  virtual void OpenPage() = 0;
  virtual bool Row(const CellPatterns& cells) = 0;
  virtual void ClosePage() = 0;
  // Where a picture's rows begin and end on the page.
  virtual void PictureBegins(char /*option*/) {}
  virtual void PictureEnds() {}

  const PageSize& Page() const { return page_; }

 private:
  void EnsurePageOpen();

  std::array<unsigned char, 256> dotsOfCharacter_{};
  PageSize page_;
  bool pageOpen_ = false;
  int rowsOnPage_ = 0;
};
