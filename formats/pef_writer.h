// PEF, the Portable Embosser Format of the DAISY consortium (version
// 2008-1): an XML document of volumes, sections, pages and rows of Unicode
// Braille, written with libxml2. The pages are kept as a document tree and
// written out whole by Finish, when the widest row and the longest page of
// each volume are known.
#pragma once

#include <string>

#include "formats/cell_pages.h"

class OutputSink;
struct _xmlDoc;
struct _xmlNode;
struct _xmlNs;

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
  ~PefPages() override;
  PefPages(const PefPages&) = delete;
  PefPages& operator=(const PefPages&) = delete;

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
  void ClosePage() override;

 private:
  void SizeVolume();

  OutputSink& output_;
  bool duplex_;
  _xmlDoc* document_ = nullptr;
  _xmlNs* namespace_ = nullptr;
  _xmlNode* body_ = nullptr;
  _xmlNode* volume_ = nullptr;
  _xmlNode* section_ = nullptr;
  _xmlNode* page_ = nullptr;
  int widestRow_ = 0;     // in the open volume
  int longestPage_ = 0;   // rows, in the open volume
  int rowsOnPage_ = 0;
  bool failed_ = false;
};
