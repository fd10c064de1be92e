// Cuts arbitrary text into lines of an arbitrary width, with and without
// syllable separation, checking what the composer relies on: every line
// fits, a line of more than ten cells has no trailing blank (a shorter one
// keeps those that end a word there), and the cutting ends.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "braille/line_breaking.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int width = 2 + data[0] % 60;
  const bool syllables = (data[1] & 1) != 0;
  std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  std::size_t lines = 0;
  while (static_cast<int>(text.size()) > width) {
    const std::size_t before = text.size();
    std::string head;
    BreakLine(text, head, width, syllables);
    if (static_cast<int>(head.size()) > width) std::abort();
    if (head.size() > 10 && head.back() == ' ') std::abort();
    // Each cut moves the text on, so the cutting ends.
    if (text.size() >= before) std::abort();
    if (++lines > size) std::abort();
  }
  return 0;
}
