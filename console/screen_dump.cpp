#include "console/screen_dump.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "console/console_window.h"
#include "platform/text_encoding.h"

std::string ScreenText() {
  std::string text;
  for (int row = 0; row < kRows; ++row) {
    std::string_view cells(reinterpret_cast<const char*>(&consoleWindow.characters[CellIndex(0, row)]), kColumns);
    while (!cells.empty() && cells.back() == ' ') cells.remove_suffix(1);
    text += Utf8FromWindows1252(cells);
    text += '\n';
  }
  return text;
}

bool WriteScreenDump() {
  const char* path = std::getenv("RELEVIX_SCREEN_DUMP");
  if (path == nullptr || *path == '\0') return true;
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const std::string text = ScreenText();
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}
