// Feeds arbitrary key codes, as a BrlAPI server could send them, and
// arbitrary texts to the Braille display's view: every key is taken or
// refused, and the window is always exactly the display's width with its
// cursor inside it or absent.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "braille_display/display_view.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  DisplayView view;
  const int width = data[0] % 81;
  view.SetWidth(width);
  std::size_t at = 1;
  while (at < size) {
    const std::uint8_t operation = data[at++];
    const std::size_t length = std::min<std::size_t>(operation >> 3, size - at);
    const std::string bytes(reinterpret_cast<const char*>(data + at), length);
    at += length;
    switch (operation & 7) {
      case 0: view.Show({.text = bytes, .cursor = static_cast<int>(length) - static_cast<int>(operation % 5)}); break;
      case 1: view.Show({.text = bytes, .isDots = true}); break;
      case 2: view.ShowSound(bytes); break;
      case 3: view.PanLeft(); break;
      case 4: view.PanRight(); break;
      default: {
        unsigned long long code = 0;
        std::memcpy(&code, bytes.data(), std::min<std::size_t>(bytes.size(), sizeof code));
        const DisplayKey key = DisplayKeyOfCode(code);
        if (key.kind == DisplayKey::Kind::Route && view.PositionOfCell(key.code) < 0) std::abort();
        break;
      }
    }
    const DisplayWindow window = view.Window();
    if (static_cast<int>(window.cells.size()) != width) std::abort();
    if (window.cursor < -1 || window.cursor >= width) std::abort();
  }
  return 0;
}
