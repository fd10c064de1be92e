// The text of a PDF's pages (pages divided by NUL bytes, the first byte a
// page number) made into layout text: hyphen joining and paragraphs never
// crash, and no text of the document is taken for a layout command.
#include <cstdint>
#include <string_view>
#include <vector>

#include "documents/pdf_layout.h"
#include "fuzz/layout_text_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<PdfPage> pages;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\0');
    const std::string_view page = rest.substr(0, end);
    pages.push_back({std::string(page.substr(page.empty() ? 0 : 1)), page.empty() ? 0 : static_cast<unsigned char>(page[0])});
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  CheckLayoutText(LayoutFromPdfPages(std::move(pages)));
  return 0;
}
