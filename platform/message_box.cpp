#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/text_encoding.h"

namespace {

bool DisplayPresent() {
  const char* console = std::getenv("RELEVIX_CONSOLE");
  if (console != nullptr && std::string(console) == "headless") return false;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

void ShowMessageBox(std::string_view title, std::string_view text) {
  const std::string utf8Title = Utf8FromWindows1252(title), utf8Text = Utf8FromWindows1252(text);
  if (DisplayPresent() &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8Title.c_str(), utf8Text.c_str(), nullptr) == 0) {
    return;
  }
  std::fprintf(stderr, "%s: %s\n", utf8Title.c_str(), utf8Text.c_str());
}
