// The embosser's bytes of the composed pages: every line mapped through the
// code table and ended by CR LF, a form feed at every page end, pictures in
// the embosser's graphic mode.
#pragma once

#include <string>
#include <string_view>

#include "braille/page_sink.h"

struct CodeTable;
class OutputSink;

class EmbosserPages : public PageSink {
 public:
  // Both must outlive it.
  EmbosserPages(const CodeTable& table, OutputSink& output) : table_(table), output_(output) {}

  void BeginPage() override {}
  bool Line(std::string_view cells) override;
  void Picture(const DotPicture& picture, char option, const CodeTable* deviceTable) override;
  void EndPage() override;
  void BlankBackPage() override;
  bool PicturesAsCells() const override { return false; }
  std::string Problem() const override;

 private:
  const CodeTable& table_;
  OutputSink& output_;
};
