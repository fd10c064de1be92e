// pandoc's JSON document tree, as a hostile document could make it, mapped
// onto layout text: no crash, no exhausted stack, and no text of the
// document taken for a layout command.
#include <cstdint>
#include <string_view>

#include "documents/pandoc_layout.h"
#include "fuzz/layout_text_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = LayoutFromPandocJson(std::string_view(reinterpret_cast<const char*>(data), size));
  if (text) CheckLayoutText(*text);
  return 0;
}
