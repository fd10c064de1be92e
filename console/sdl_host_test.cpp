// The SDL window itself, under SDL's offscreen video driver: its size from
// the font, the text and colours it draws (a screenshot is saved as
// test-output/console_window.png in the build tree), and SDL key events
// arriving in the queue.
#include <SDL.h>
#include <png.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "console/cell_drawing.h"
#include "console/console_events.h"
#include "console/console_test_fixture.h"
#include "console/sdl_font.h"

namespace {

using namespace console_testing;
using testing_support::ScopedEnv;

SDL_Window* ConsoleSdlWindow() {
  for (Uint32 id = 1; id < 1000; ++id) {
    if (SDL_Window* window = SDL_GetWindowFromID(id)) return window;
  }
  return nullptr;
}

Rgb PixelAt(SDL_Surface* surface, int x, int y) {
  Uint32 pixel = 0;
  std::memcpy(&pixel, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel,
              surface->format->BytesPerPixel);
  Rgb colour;
  SDL_GetRGB(pixel, surface->format, &colour.red, &colour.green, &colour.blue);
  return colour;
}

bool SavePng(SDL_Surface* surface, const std::string& path) {
  std::vector<unsigned char> rgb;
  for (int y = 0; y < surface->h; ++y) {
    for (int x = 0; x < surface->w; ++x) {
      const Rgb colour = PixelAt(surface, x, y);
      rgb.insert(rgb.end(), {colour.red, colour.green, colour.blue});
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(surface->w);
  image.height = static_cast<png_uint_32>(surface->h);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

// The user closing the window: its close box or Alt+F4.
void PushCloseEvent(SDL_Window* window) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  event.window.windowID = SDL_GetWindowID(window);
  SDL_PushEvent(&event);
}

class SdlHostTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    testing_support::WriteFile(settingsDir_.File("SONARA.INI"),
                               "[VIDEO]\nLARGURALETRA=10\nALTURALETRA=20\nFONTE=Lucida Console\n");
    BindConsoleWindow();
    ClearWindow();
    window_ = ConsoleSdlWindow();
    ASSERT_NE(window_, nullptr);
    SDL_GetWindowSize(window_, &width_, &height_);
    cellWidth_ = width_ / 80;
    lineHeight_ = height_ / 25;
  }

  SDL_Surface* Surface() { return SDL_GetWindowSurface(window_); }

  // How many pixels of the cell are of the colour (or, with any, not of it).
  int CountInCell(int column, int row, Rgb colour, bool matching = true) {
    SDL_Surface* surface = Surface();
    int count = 0;
    for (int y = row * lineHeight_; y < (row + 1) * lineHeight_; ++y) {
      for (int x = column * cellWidth_; x < (column + 1) * cellWidth_; ++x) {
        if ((PixelAt(surface, x, y) == colour) == matching) ++count;
      }
    }
    return count;
  }

  std::vector<Rgb> CellPixels(int column, int row) {
    std::vector<Rgb> pixels;
    for (int y = row * lineHeight_; y < (row + 1) * lineHeight_; ++y) {
      for (int x = column * cellWidth_; x < (column + 1) * cellWidth_; ++x) pixels.push_back(PixelAt(Surface(), x, y));
    }
    return pixels;
  }

  void PushKey(Uint32 type, SDL_Keycode code, Uint16 mod = KMOD_NONE) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = SDL_GetWindowID(window_);
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = code;
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
  }
  void PushPress(SDL_Keycode code, Uint16 mod = KMOD_NONE) {
    PushKey(SDL_KEYDOWN, code, mod);
    PushKey(SDL_KEYUP, code, mod);
  }
  void PushText(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(window_);
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    SDL_PushEvent(&event);
  }

  ScopedEnv offscreen_{"SDL_VIDEODRIVER", "offscreen"};
  ScopedEnv sdl_{"RELEVIX_CONSOLE", "sdl"};
  SDL_Window* window_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  int cellWidth_ = 0;
  int lineHeight_ = 0;
};

const Rgb kBlack{0, 0, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kYellow{255, 255, 0};

TEST_F(SdlHostTest, TheWindowIsEightyCellsByTwentyFiveLinesOfTheFont) {
  ConsoleFont font;
  std::string error;
  ASSERT_TRUE(OpenConsoleFont(consoleWindow.settings, 1024, 768, font, error)) << error;
  // The font is stretched to the character size of the settings.
  EXPECT_NEAR(font.cellWidth, 10, 1);
  EXPECT_NEAR(TTF_FontHeight(font.font), 20, 1);
  EXPECT_EQ(width_, 80 * font.cellWidth);
  EXPECT_EQ(height_, 25 * font.lineHeight);
  int maxWidth = 0, maxHeight = 0, minWidth = 0, minHeight = 0;
  SDL_GetWindowMaximumSize(window_, &maxWidth, &maxHeight);
  SDL_GetWindowMinimumSize(window_, &minWidth, &minHeight);
  EXPECT_EQ(maxWidth, 80 * font.cellWidth);
  EXPECT_EQ(maxHeight, 25 * font.lineHeight);
  EXPECT_EQ(minWidth, 16 * font.cellWidth);
  EXPECT_EQ(minHeight, 4 * font.lineHeight);
  CloseConsoleFont(font);

  SetConsoleTitle("Relevix \xE7");
  EXPECT_STREQ(SDL_GetWindowTitle(window_), "Relevix \xC3\xA7");
}

TEST_F(SdlHostTest, WrittenTextIsDrawnWithItsAccentsAndColours) {
  WriteToConsole("A\xE7\xE3o \xE9 \xFAtil: ol\xE1, ca\r\n\r\n");
  SetBackgroundColour(1);
  SetTextColour(14);
  WriteToConsole("Aten\xE7\xE3o");

  std::filesystem::create_directories(RELEVIX_TEST_OUTPUT_DIR);
  const std::string screenshot = RELEVIX_TEST_OUTPUT_DIR "/console_window.png";
  ASSERT_TRUE(SavePng(Surface(), screenshot));
  RecordProperty("screenshot", screenshot);
  std::printf("screenshot: %s\n", screenshot.c_str());

  // Row 1, white on black: every character cell has ink, blanks have none.
  const std::string row1 = "A\xE7\xE3o \xE9 \xFAtil: ol\xE1, ca";
  for (int column = 0; column < static_cast<int>(row1.size()); ++column) {
    if (row1[static_cast<std::size_t>(column)] == ' ') {
      EXPECT_EQ(CountInCell(column, 0, kBlack, false), 0) << column;
    } else {
      EXPECT_GT(CountInCell(column, 0, kBlack, false), 0) << column;
    }
  }
  EXPECT_EQ(CountInCell(40, 0, kBlack, false), 0);
  // Accented letters are their own glyphs: c with cedilla is not c, a
  // with tilde is not a.
  EXPECT_NE(CellPixels(1, 0), CellPixels(19, 0));
  EXPECT_NE(CellPixels(2, 0), CellPixels(20, 0));

  // Row 3, yellow on blue.
  for (int column = 0; column < 7; ++column) {
    EXPECT_GT(CountInCell(column, 2, kBlue), cellWidth_ * lineHeight_ / 2) << column;
    EXPECT_GT(CountInCell(column, 2, kYellow), 0) << column;
  }
  EXPECT_EQ(CountInCell(7, 2, kBlack), cellWidth_ * lineHeight_);
}

TEST_F(SdlHostTest, SdlKeyEventsArriveInTheQueueWithTheirCodes) {
  PushPress(SDLK_F1);
  PushPress(SDLK_LEFT, KMOD_LCTRL);
  PushKey(SDL_KEYDOWN, SDLK_e);
  PushText("\xC3\xA9");  // what a dead key and e give
  PushKey(SDL_KEYUP, SDLK_e);
  PushPress(SDLK_RETURN);
  PushPress(SDLK_RETURN, KMOD_RCTRL);
  PushPress(SDLK_BACKSPACE, KMOD_LCTRL);
  PushPress(SDLK_KP_8);             // keypad without Num Lock: Up
  PushPress(SDLK_INSERT, KMOD_LSHIFT);
  PushPress(SDLK_b, KMOD_LCTRL | KMOD_LALT);
  PushKey(SDL_KEYDOWN, SDLK_x, KMOD_LALT);
  PushText("x");                    // Alt+X types nothing
  PushKey(SDL_KEYUP, SDLK_x, KMOD_LALT);
  // AltGr with a function key is Ctrl+Alt with it (X keeps Ctrl+Alt+F9).
  PushPress(SDLK_F9, KMOD_RALT);
  PushPress(SDLK_ESCAPE);
  EXPECT_TRUE(KeyPressed());
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{0, 59, 0, 115, 0xE9, 13, 10, 127, 0, 72, 0, 254, 0, 48, 0, 102, 27}));
  for (int i = 0; i < 16; ++i) ReadKey();
  EXPECT_EQ(LastKeyModifiers(), (KeyModifiers{.alt = true}));
  ReadKey();
  EXPECT_EQ(LastKeyModifiers(), KeyModifiers{});

  // The chord keyboard needs the key-up events.
  ClearKeyQueue();
  SetDelayHandler([](int) {});
  SetBrailleKeyboardMode(1);
  PushKey(SDL_KEYDOWN, SDLK_f);
  PushText("f");
  PushKey(SDL_KEYDOWN, SDLK_d);
  PushText("d");
  PushKey(SDL_KEYUP, SDLK_f);
  PushKey(SDL_KEYUP, SDLK_d);
  EXPECT_TRUE(KeyPressed());
  EXPECT_EQ(QueuedKeys(), std::vector<int>{'b'});
}

std::vector<std::string> waitEvents;
void RecordAudio(int slot) { waitEvents.push_back("audio " + std::to_string(slot)); }

TEST_F(SdlHostTest, AudioReportsAndKeysFromOtherThreadsWakeReadKey) {
  waitEvents.clear();
  SetAudioDoneHandler(RecordAudio);
  const Uint32 windowId = SDL_GetWindowID(window_);
  std::thread other([windowId] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    PostAudioDone(2);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = windowId;
    event.text.text[0] = 'k';
    SDL_PushEvent(&event);
  });
  const int key = ReadKey();
  other.join();
  SetAudioDoneHandler(nullptr);
  waitEvents.push_back("key " + std::to_string(key));
  EXPECT_EQ(waitEvents, (std::vector<std::string>{"audio 2", "key 107"}));
}

TEST_F(SdlHostTest, TheCaretIsAnUnderlineAtTheCursorCell) {
  MoveCursor(5, 2);
  const std::vector<Rgb> before = CellPixels(4, 1);
  consoleWindow.host->SetCaretVisible(true);
  EXPECT_EQ(CountInCell(4, 1, Rgb{255, 255, 255}), 2 * cellWidth_);
  consoleWindow.host->SetCaretVisible(false);
  EXPECT_EQ(CellPixels(4, 1), before);
}

TEST_F(SdlHostTest, TheRightButtonMagnifiesUntilReleased) {
  WriteToConsole("Lupa");
  const std::vector<Rgb> before = CellPixels(1, 0);
  SDL_Event event{};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.windowID = SDL_GetWindowID(window_);
  event.button.button = SDL_BUTTON_RIGHT;
  event.button.state = SDL_PRESSED;
  event.button.x = 0;
  event.button.y = 0;
  SDL_PushEvent(&event);
  KeyPressed();
  // Factor 2 at the corner: the first cell now covers four cells.
  EXPECT_GT(CountInCell(1, 1, kBlack, false), 0);
  EXPECT_NE(CellPixels(1, 0), before);
  event.type = SDL_MOUSEBUTTONUP;
  event.button.state = SDL_RELEASED;
  SDL_PushEvent(&event);
  KeyPressed();
  EXPECT_EQ(CellPixels(1, 0), before);
  EXPECT_EQ(CountInCell(1, 1, kBlack, false), 0);

  // AMPLIF "0" (factor 0) leaves the magnifier off.
  consoleWindow.settings.magnifierFactor = 0;
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button.state = SDL_PRESSED;
  SDL_PushEvent(&event);
  KeyPressed();
  EXPECT_EQ(CellPixels(1, 0), before);
  EXPECT_EQ(CountInCell(1, 1, kBlack, false), 0);
}

TEST_F(SdlHostTest, SlowScrollingMovesThePixelsUpALine) {
  consoleWindow.settings.slowScroll = true;
  ConsoleFocusChanged(true);
  for (int row = 1; row <= 25; ++row) {
    MoveCursor(row, row);
    WriteToConsole("linha");
  }
  SetBackgroundColour(1);
  const std::vector<Rgb> secondRow = CellPixels(1, 1);
  // A mark that only the pixels know of: moved, not redrawn.
  SDL_Rect mark{40 * cellWidth_, lineHeight_, cellWidth_, lineHeight_};
  SDL_FillRect(Surface(), &mark, SDL_MapRGB(Surface()->format, 255, 0, 255));
  WriteToConsole("\n");
  EXPECT_EQ(CountInCell(40, 0, Rgb{255, 0, 255}), cellWidth_ * lineHeight_);
  // The second row's image is now the first's, and the new line is the
  // current background: as if redrawn from the grid.
  EXPECT_EQ(CellPixels(1, 0), secondRow);
  EXPECT_EQ(CountInCell(0, 24, kBlue), cellWidth_ * lineHeight_);
  std::vector<std::vector<Rgb>> moved;
  for (int row = 0; row < 25; ++row) moved.push_back(CellPixels(row, row));
  consoleWindow.host->DrawAll();
  for (int row = 0; row < 25; ++row) EXPECT_EQ(CellPixels(row, row), moved[static_cast<std::size_t>(row)]) << row;
}

TEST_F(SdlHostTest, TheClipboardSpeaksUtf8ToTheDesktop) {
  CopyTextToClipboard("Ol\xE1");
  char* text = SDL_GetClipboardText();
  EXPECT_STREQ(text, "Ol\xC3\xA1");
  SDL_free(text);
  SDL_SetClipboardText("a\xC3\xA7\xC3\xA3o \xE2\x82\xAC \xE4\xB8\xAD");
  std::string buffer;
  PasteTextFromClipboard(buffer, 128);
  EXPECT_EQ(buffer, "a\xE7\xE3o \x80 ?");
}

TEST_F(SdlHostTest, ClosingTheWindowEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        PushCloseEvent(window_);
        KeyPressed();
      },
      ::testing::ExitedWithCode(0), "");
  // After the program has ended, the window stays until it is closed; the
  // exit status is the program's.
  EXPECT_EXIT(
      {
        PushCloseEvent(window_);
        std::exit(7);
      },
      ::testing::ExitedWithCode(7), "");
}

TEST(SdlHostWithoutDisplayTest, SaysSoAndEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ResetConsoleWindow();
  ScopedEnv noDriver("SDL_VIDEODRIVER", nullptr);
  ScopedEnv noX("DISPLAY", nullptr);
  ScopedEnv noWayland("WAYLAND_DISPLAY", nullptr);
  ScopedEnv sdl("RELEVIX_CONSOLE", nullptr);
  EXPECT_EXIT(
      {
        BindConsoleWindow();
        WriteToConsole("x");
      },
      ::testing::ExitedWithCode(69), "tela gr.*RELEVIX_CONSOLE=headless");
}

}  // namespace
