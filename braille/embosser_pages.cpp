#include "braille/embosser_pages.h"

#include "braille/code_table.h"
#include "braille/output_sink.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kFormFeed = "\f";

}  // namespace

bool EmbosserPages::Line(std::string_view cells) {
  std::string bytes;
  bytes.reserve(cells.size() + kLineEnd.size());
  for (const char c : cells) bytes += static_cast<char>(table_[static_cast<unsigned char>(c)]);
  bytes += kLineEnd;
  return output_.Write(bytes);
}

// Control bytes go out in writes of their own, never through the table.
void EmbosserPages::Picture(const DotPicture& picture, char option, const CodeTable* deviceTable) {
  output_.Write(std::string{kGraphicModeEscape, option});
  for (const std::string& line : PictureLines(picture, deviceTable != nullptr ? *deviceTable : table_)) {
    output_.Write(line + std::string(kLineEnd));
  }
  output_.Write(kGraphicEnd);
  output_.Write(kLineEnd);
}

void EmbosserPages::EndPage() { output_.Write(kFormFeed); }

void EmbosserPages::BlankBackPage() {
  output_.Write(kLineEnd);
  output_.Write(kFormFeed);
}

std::string EmbosserPages::Problem() const { return output_.Problem(); }
