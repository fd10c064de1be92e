// Where the page composer hands the composed pages: where pages begin and
// end, each line as cells (internal Braille text, before any code table) and
// each dot picture as its dots. The embosser's bytes are one such output
// (EmbosserPages); the Braille file formats are others, so every format is
// laid out by the same composer.
#pragma once

#include <string>
#include <string_view>

#include "braille/dot_picture.h"

struct CodeTable;

class PageSink {
 public:
  virtual ~PageSink() = default;
  // A page of the page range begins.
  virtual void BeginPage() = 0;
  // One line of the current page: internal Braille text, one byte per cell,
  // the margin included. False when the output did not take it.
  virtual bool Line(std::string_view cells) = 0;
  // A dot picture on the current page. option is the embosser's graphic
  // mode; deviceTable the code table its cells are sent with, given only to
  // an output that does not draw pictures as cells.
  virtual void Picture(const DotPicture& picture, char option, const CodeTable* deviceTable) = 0;
  // The current page ends (the embosser's form feed).
  virtual void EndPage() = 0;
  // A blank back page that completes the last sheet of an interpoint print.
  virtual void BlankBackPage() = 0;
  // True when pictures become cells scaled to the page: they then need no
  // code table, and room on the page.
  virtual bool PicturesAsCells() const = 0;
  // After a failed Line: the output as the user named it and why it failed,
  // in Portuguese (Windows-1252).
  virtual std::string Problem() const = 0;
};
