#include "driver/embossed_pages.h"

#include "braille/dot_picture.h"

namespace {

// The character after the escape that ends the graphic mode.
constexpr char kGraphicEndMark = kGraphicEnd[1];

class PageReader {
 public:
  explicit PageReader(const PreviewTables& tables) : tables_(tables) {}

  std::vector<EmbossedPage> Read(std::string_view bytes) {
    pages_.assign(1, {});
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const char byte = bytes[i];
      if (byte == kGraphicModeEscape && i + 1 < bytes.size()) {
        graphic_ = bytes[++i] != kGraphicEndMark;
        sequenceOnly_ = !rowOpen_;
      } else if (byte == '\f') {
        EndRow();
        pages_.emplace_back();
      } else if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
        EndRow(true);
      } else {
        const int dots = (graphic_ ? tables_.picture : tables_.text)[static_cast<unsigned char>(byte)];
        row_ += static_cast<char>(dots < 0 ? kUnknownByteDots : dots);
        rowOpen_ = true;
      }
    }
    EndRow();
    // The form feed after the last page starts no page of its own.
    if (pages_.size() > 1 && pages_.back().empty()) pages_.pop_back();
    return std::move(pages_);
  }

 private:
  // A line end closes a row, even an empty one, but not a line that held
  // only a graphic-mode sequence; a page end closes only a row begun.
  void EndRow(bool lineEnd = false) {
    if (rowOpen_ || (lineEnd && !sequenceOnly_)) pages_.back().push_back(row_);
    row_.clear();
    rowOpen_ = false;
    sequenceOnly_ = false;
  }

  const PreviewTables& tables_;
  std::vector<EmbossedPage> pages_;
  DotRow row_;
  bool rowOpen_ = false;
  bool graphic_ = false;
  bool sequenceOnly_ = false;  // the row so far holds a graphic-mode sequence and no cell
};

}  // namespace

std::vector<EmbossedPage> EmbossedPagesOf(std::string_view bytes, const PreviewTables& tables) {
  return PageReader(tables).Read(bytes);
}
