// PEF, the Portable Embosser Format of the DAISY consortium (version
// 2008-1): an XML document of volumes, sections, pages and rows of Unicode
// Braille, written with libxml2's writer. The rows are kept until Finish,
// which writes the document whole, when the widest row and the longest page
// of each volume are known.
#pragma once

#include <string>
#include <vector>

#include "formats/cell_pages.h"

class OutputSink;

inline constexpr const char* kPefNamespace = "http://www.daisy.org/ns/2008/pef";

// What the head of the document says about the book, in UTF-8.
struct PefDescription {
  std::string title;
  std::string identifier;
  std::string date;  // YYYY-MM-DD
  bool duplex = false;
};

class PefPages : public CellPages {
 public:
  PefPages(const CodeTable& table, bool oldRules, PageSize page, const PefDescription& description,
           OutputSink& output);

  // Later pages go into a new volume (and a new section in it).
  void OpenVolume();
  // Later pages go into a new section of the volume.
  void OpenSection();
  // Each copy is a section of its own, so that it begins on a new sheet.
  void BeginCopy() override { OpenSection(); }
  // Writes the document to the output; false when the output did not take
  // all of it.
  bool Finish() override;
  std::string Problem() const override;

 protected:
  void OpenPage() override;
  bool Row(const CellPatterns& cells) override;
  void ClosePage() override {}

 private:
  using PageRows = std::vector<std::string>;  // rows in UTF-8
  using Section = std::vector<PageRows>;
  struct Volume {
    std::vector<Section> sections;
    int widestRow = 0;
    int longestPage = 0;
  };

  bool Write();

  OutputSink& output_;
  PefDescription description_;
  std::vector<Volume> volumes_;
};
