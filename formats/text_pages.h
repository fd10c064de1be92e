// The two plain-text Braille formats, written line by line to an output:
// BRF, the North American Braille ASCII of embosser software and Braille
// displays (CR LF after each row, a form feed after each page), and Unicode
// Braille text in UTF-8 (LF after each row, a form feed between pages).
#pragma once

#include <string>

#include "formats/cell_pages.h"

class OutputSink;

class BrfPages : public CellPages {
 public:
  BrfPages(const CodeTable& table, bool oldRules, PageSize page, OutputSink& output)
      : CellPages(table, oldRules, page), output_(output) {}
  // As the embosser's: one empty row, then the form feed.
  void BlankBackPage() override;
  std::string Problem() const override;

 protected:
  void OpenPage() override {}
  bool Row(const CellPatterns& cells) override;
  void ClosePage() override;

 private:
  OutputSink& output_;
};

class UnicodePages : public CellPages {
 public:
  UnicodePages(const CodeTable& table, bool oldRules, PageSize page, OutputSink& output)
      : CellPages(table, oldRules, page), output_(output) {}
  std::string Problem() const override;

 protected:
  void OpenPage() override;
  bool Row(const CellPatterns& cells) override;
  void ClosePage() override {}

 private:
  OutputSink& output_;
  bool firstPage_ = true;
};

// The Braille ASCII character of a dot pattern (dot 1 = bit 0 ... dot 6 =
// bit 5).
char BrailleAsciiOf(unsigned char pattern);
