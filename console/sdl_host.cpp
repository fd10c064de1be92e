// The SDL window: the grid drawn with SDL2_ttf on the window's surface, in
// runs of equal attribute; keys from key-down, key-up and text input events
// (text arrives as UTF-8 and enters as Windows-1252, so dead keys and the
// ABNT2 layout give their accented letters); the right-button magnifier;
// the clipboard. Posted audio events wake its waits through an SDL user
// event.
#include <SDL.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "console/cell_drawing.h"
#include "console/console_events.h"
#include "console/console_host.h"
#include "console/console_window.h"
#include "console/keyboard.h"
#include "console/sdl_font.h"
#include "console/sdl_keys.h"
#include "platform/message_texts.h"
#include "platform/stop_signals.h"
#include "platform/text_encoding.h"

namespace {

constexpr int kCaretHeight = 2;
constexpr int kMinimumColumns = 16;
constexpr int kMinimumRows = 4;
constexpr int kScrollMargin = 32;  // pixels above the screen's bottom for pixel scrolling

std::atomic<Uint32> wakeEventType{0};

void PushWakeEvent() {
  SDL_Event event{};
  event.type = wakeEventType.load();
  SDL_PushEvent(&event);
}

bool HasEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

Uint32 MapColour(const SDL_Surface* surface, Rgb colour) {
  return SDL_MapRGB(surface->format, colour.red, colour.green, colour.blue);
}

// The Unicode character a cell shows; 0 for bytes with nothing to show.
char32_t CodePointOf(unsigned char cell) {
  const std::string utf8 = Utf8FromWindows1252(std::string(1, static_cast<char>(cell)));
  const char32_t codePoint = DecodeUtf8Step(utf8).codePoint;
  return codePoint <= 32 || (codePoint >= 0x7F && codePoint <= 0x9F) ? 0 : codePoint;
}

class SdlHost : public ConsoleHost {
 public:
  SdlHost() = default;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  ~SdlHost() override {
    SetEventWaker(nullptr);
    ReleaseMagnifierCopy();
    for (SDL_Surface*& glyph : glyphs_) {
      if (glyph != nullptr) SDL_FreeSurface(glyph);
    }
    CloseConsoleFont(font_);
    if (TTF_WasInit() != 0) TTF_Quit();
    if (window_ != nullptr) {
      SDL_StopTextInput();
      SDL_DestroyWindow(window_);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool Open(const VideoSettings& settings, std::string& error) {
    if (!HasEnvironment("SDL_VIDEODRIVER") && !HasEnvironment("DISPLAY") && !HasEnvironment("WAYLAND_DISPLAY")) {
      error = NoDisplayMessage();
      return false;
    }
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      error = NoDisplayMessage() + " (" + Windows1252FromUtf8(SDL_GetError()) + ")";
      return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!HasEnvironment("SDL_VIDEODRIVER") && IsInvisibleDriver(driver)) {
      error = NoDisplayMessage();
      return false;
    }
    // Where the window has pixels of its own, the grid is drawn on them,
    // without a GL renderer behind the window surface.
    if (driver != nullptr && (std::strcmp(driver, "x11") == 0 || IsInvisibleDriver(driver))) {
      SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    SDL_Rect workArea{0, 0, 1024, 768};
    SDL_GetDisplayUsableBounds(0, &workArea);
    if (!OpenConsoleFont(settings, workArea.w, workArea.h, font_, error)) return false;
    const int width = kColumns * font_.cellWidth;
    const int height = kRows * font_.lineHeight;
    const Uint32 flags = SDL_WINDOW_RESIZABLE | (settings.normalSize ? 0u : static_cast<Uint32>(SDL_WINDOW_MAXIMIZED));
    window_ = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, std::min(width, workArea.w),
                               std::min(height, workArea.h), flags);
    if (window_ == nullptr) {
      error = GetMessageWith("JANCRIA", {Windows1252FromUtf8(SDL_GetError())});
      return false;
    }
    SDL_SetWindowMaximumSize(window_, std::min(width, workArea.w), std::min(height, workArea.h));
    SDL_SetWindowMinimumSize(window_, kMinimumColumns * font_.cellWidth, kMinimumRows * font_.lineHeight);
    wakeEventType = SDL_RegisterEvents(1);
    SetEventWaker(PushWakeEvent);
    SDL_StartTextInput();
    ConsoleFocusChanged((SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0);
    // Xlib's own answer to a lost display is exit() from inside the event
    // pump, after which the ended program would wait for ever on a window
    // that is gone. The program ends as if the window were closed instead.
    if (driver != nullptr && std::strcmp(driver, "x11") == 0) XSetIOErrorHandler(DisplayLost);
    return true;
  }

  void DrawSpan(int row, int firstColumn, int lastColumn) override {
    SDL_Surface* surface = Surface();
    if (surface == nullptr || magnifierCopy_ != nullptr) return;
    DrawCells(surface, row, firstColumn, lastColumn);
    UpdateArea(surface, CellRect(row, firstColumn, lastColumn));
  }

  void DrawAll() override {
    SDL_Surface* surface = Surface();
    if (surface == nullptr || magnifierCopy_ != nullptr) return;
    SDL_FillRect(surface, nullptr, MapColour(surface, Rgb{}));
    for (int row = 0; row < kRows; ++row) DrawCells(surface, row, 0, kColumns - 1);
    if (caretVisible_) DrawCaret(surface);
    SDL_UpdateWindowSurface(window_);
  }

  void ShowScroll() override {
    SDL_Surface* surface = Surface();
    if (surface == nullptr || magnifierCopy_ != nullptr) return;
    if (!consoleWindow.settings.slowScroll || !consoleWindow.focused || !WellAboveScreenBottom()) {
      DrawAll();
      return;
    }
    // The window's image moves up one line; the new line is the
    // background of the current attribute.
    const int lineBytes = font_.lineHeight * surface->pitch;
    const int usedHeight = std::min(surface->h, kRows * font_.lineHeight);
    SDL_LockSurface(surface);
    auto* pixels = static_cast<unsigned char*>(surface->pixels);
    if (usedHeight > font_.lineHeight) {
      std::memmove(pixels, pixels + lineBytes, static_cast<std::size_t>((usedHeight - font_.lineHeight) * surface->pitch));
    }
    SDL_UnlockSurface(surface);
    SDL_Rect bottom{0, (kRows - 1) * font_.lineHeight, surface->w, font_.lineHeight};
    SDL_FillRect(surface, &bottom, MapColour(surface, BackgroundColour(consoleWindow.textAttribute)));
    SDL_UpdateWindowSurface(window_);
  }

  void SetCaretVisible(bool visible) override {
    if (visible == caretVisible_) return;
    caretVisible_ = visible;
    caretColumn_ = consoleWindow.cursorX;
    caretRow_ = consoleWindow.cursorY;
    SDL_Surface* surface = Surface();
    if (surface == nullptr || magnifierCopy_ != nullptr || caretColumn_ >= kColumns) return;
    if (visible) {
      DrawCaret(surface);
    } else {
      DrawCells(surface, caretRow_, caretColumn_, caretColumn_);
    }
    UpdateArea(surface, CellRect(caretRow_, caretColumn_, caretColumn_));
  }

  void SetTitle(std::string_view title) override { SDL_SetWindowTitle(window_, Utf8FromWindows1252(title).c_str()); }

  void PumpEvents() override {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) Handle(event);
  }

  void WaitForEvents(int milliseconds) override { SDL_WaitEventTimeout(nullptr, milliseconds < 0 ? -1 : milliseconds); }

  bool SetClipboardText(std::string_view text) override {
    return SDL_SetClipboardText(Utf8FromWindows1252(text).c_str()) == 0;
  }

  bool GetClipboardText(std::string& text) override {
    text.clear();
    if (SDL_HasClipboardText() == SDL_FALSE) return true;
    char* utf8 = SDL_GetClipboardText();
    if (utf8 == nullptr) return false;
    text = Windows1252FromUtf8(utf8);
    SDL_free(utf8);
    return true;
  }

  void ServeUntilClosed() override {
    // A stop signal takes the last screen away as closing it does.
    while (!consoleWindow.closedAfterEnd && StopSignalReceived() == 0) {
      SDL_WaitEventTimeout(nullptr, -1);
      PumpEvents();
    }
  }

 private:
  static int DisplayLost(Display*) {
    ConsoleDisplayLost();
    return 0;
  }

  static std::string NoDisplayMessage() { return GetMessage("SEMTELA"); }

  // Drivers SDL falls back to when no display answers.
  static bool IsInvisibleDriver(const char* driver) {
    return driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
  }

  SDL_Surface* Surface() { return window_ != nullptr ? SDL_GetWindowSurface(window_) : nullptr; }

  // Shows the part of area that lies on the window. A window smaller than
  // the grid (a small screen) holds only part of it, and X refuses an update
  // that reaches past the window, which would end the program.
  void UpdateArea(SDL_Surface* surface, const SDL_Rect& area) {
    const SDL_Rect window{0, 0, surface->w, surface->h};
    SDL_Rect visible;
    if (SDL_IntersectRect(&area, &window, &visible) == SDL_TRUE) SDL_UpdateWindowSurfaceRects(window_, &visible, 1);
  }

  SDL_Rect CellRect(int row, int firstColumn, int lastColumn) const {
    return {firstColumn * font_.cellWidth, row * font_.lineHeight, (lastColumn - firstColumn + 1) * font_.cellWidth,
            font_.lineHeight};
  }

  SDL_Surface* Glyph(unsigned char cell) {
    SDL_Surface*& glyph = glyphs_[cell];
    if (glyph == nullptr) {
      const char32_t codePoint = CodePointOf(cell);
      if (codePoint == 0) return nullptr;
      glyph = TTF_RenderGlyph32_Blended(font_.font, static_cast<Uint32>(codePoint), SDL_Color{255, 255, 255, 255});
    }
    return glyph;
  }

  // Each run of equal attribute: its background, then its characters in the
  // foreground colour, each at its own cell.
  void DrawCells(SDL_Surface* surface, int row, int firstColumn, int lastColumn) {
    SDL_Rect savedClip;
    SDL_GetClipRect(surface, &savedClip);
    for (const AttributeRun& run : AttributeRuns(row, firstColumn, lastColumn)) {
      SDL_Rect area = CellRect(row, run.firstColumn, run.lastColumn);
      SDL_SetClipRect(surface, &area);
      SDL_FillRect(surface, &area, MapColour(surface, BackgroundColour(run.attribute)));
      const Rgb foreground = ForegroundColour(run.attribute);
      for (int column = run.firstColumn; column <= run.lastColumn; ++column) {
        SDL_Surface* glyph = Glyph(consoleWindow.characters[CellIndex(column, row)]);
        if (glyph == nullptr) continue;
        SDL_SetSurfaceColorMod(glyph, foreground.red, foreground.green, foreground.blue);
        SDL_Rect at{column * font_.cellWidth, row * font_.lineHeight, glyph->w, glyph->h};
        SDL_BlitSurface(glyph, nullptr, surface, &at);
      }
    }
    SDL_SetClipRect(surface, &savedClip);
  }

  // An underline one cell wide at the font's ascent.
  void DrawCaret(SDL_Surface* surface) {
    if (caretColumn_ >= kColumns) return;
    const unsigned char attribute = consoleWindow.attributes[CellIndex(caretColumn_, caretRow_)];
    SDL_Rect caret{caretColumn_ * font_.cellWidth, caretRow_ * font_.lineHeight + font_.ascent, font_.cellWidth,
                   kCaretHeight};
    SDL_FillRect(surface, &caret, MapColour(surface, ForegroundColour(attribute)));
  }

  bool WellAboveScreenBottom() const {
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowSize(window_, &width, &height);
    SDL_Rect screen{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &screen) != 0) return false;
    return y + height < screen.y + screen.h - kScrollMargin;
  }

  void Handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT: ConsoleQuitRequested(); break;
      case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
      case SDL_KEYDOWN: {
        const KeyStroke key = KeyStrokeFromSdl(event.key.keysym);
        // Alt alone makes no text: what the system would take as a menu key.
        textSuppressed_ = key.alt && !key.ctrl;
        ConsoleKeyDown(key);
        if (const int control = ControlCharacterOf(key); control >= 0) {
          ConsoleCharacter(static_cast<unsigned char>(control), key.ctrl);
        }
        break;
      }
      case SDL_KEYUP: ConsoleKeyUp(KeyStrokeFromSdl(event.key.keysym)); break;
      case SDL_TEXTINPUT:
        if (!textSuppressed_) {
          const bool ctrlHeld = (SDL_GetModState() & KMOD_CTRL) != 0;
          for (const char c : Windows1252FromUtf8(event.text.text)) ConsoleCharacter(static_cast<unsigned char>(c), ctrlHeld);
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_RIGHT) StartMagnifier(event.button.x, event.button.y);
        break;
      case SDL_MOUSEMOTION:
        if (magnifierCopy_ != nullptr) DrawMagnified(event.motion.x, event.motion.y);
        break;
      case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_RIGHT && magnifierCopy_ != nullptr) {
          ReleaseMagnifierCopy();
          DrawAll();
        }
        break;
      default: break;
    }
  }

  void HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
      case SDL_WINDOWEVENT_CLOSE: ConsoleWindowClosed(); break;
      case SDL_WINDOWEVENT_FOCUS_GAINED: ConsoleFocusChanged(true); break;
      case SDL_WINDOWEVENT_FOCUS_LOST: ConsoleFocusChanged(false); break;
      case SDL_WINDOWEVENT_EXPOSED:
      case SDL_WINDOWEVENT_SIZE_CHANGED:
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_MAXIMIZED: DrawAll(); break;
      default: break;
    }
  }

  // The magnifier (factor 0 leaves it off): a copy of the window, stretched
  // around the pointer while the right button is held.
  void StartMagnifier(int x, int y) {
    SDL_Surface* surface = Surface();
    if (magnifierCopy_ != nullptr || consoleWindow.settings.magnifierFactor == 0 || surface == nullptr) return;
    magnifierCopy_ = SDL_ConvertSurface(surface, surface->format, 0);
    if (magnifierCopy_ != nullptr) DrawMagnified(x, y);
  }

  void DrawMagnified(int x, int y) {
    SDL_Surface* surface = Surface();
    if (surface == nullptr) return;
    const PixelRect part = MagnifierSource(x, y, magnifierCopy_->w, magnifierCopy_->h, consoleWindow.settings.magnifierFactor);
    SDL_Rect source{part.x, part.y, std::max(part.width, 1), std::max(part.height, 1)};
    SDL_BlitScaled(magnifierCopy_, &source, surface, nullptr);
    SDL_UpdateWindowSurface(window_);
  }

  void ReleaseMagnifierCopy() {
    if (magnifierCopy_ != nullptr) SDL_FreeSurface(magnifierCopy_);
    magnifierCopy_ = nullptr;
  }

  SDL_Window* window_ = nullptr;
  ConsoleFont font_;
  std::array<SDL_Surface*, 256> glyphs_{};
  SDL_Surface* magnifierCopy_ = nullptr;
  bool caretVisible_ = false;
  int caretColumn_ = 0;
  int caretRow_ = 0;
  bool textSuppressed_ = false;
};

}  // namespace

std::unique_ptr<ConsoleHost> OpenSdlHost(const VideoSettings& settings, std::string& error) {
  auto host = std::make_unique<SdlHost>();
  if (!host->Open(settings, error)) return nullptr;
  return host;
}
