// The console window's program-wide record: the 80 x 25 grid of characters
// and text attributes, the cursor, the window state and the host that shows
// it. Internal to the console; the rest of the program calls console.h.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "console/console.h"
#include "console/console_settings.h"


class ConsoleHost;

struct ConsoleWindow {
  std::array<unsigned char, kColumns * kRows> characters{};
  std::array<unsigned char, kColumns * kRows> attributes{};
  int cursorX = 0;  // 0..80; 80 means past the last column (the next character wraps)
  int cursorY = 0;  // 0..24
  unsigned char textAttribute = 15;  // background in the high nibble, foreground in the low
  bool colourChangeAllowed = true;
  bool bound = false;          // the program's text goes to the window, not to the stream
  bool created = false;
  bool focused = false;
  bool reading = false;        // a ReadKey is waiting
  bool ctrlBreakHandling = true;
  bool ending = false;         // the program is ending; closing no longer ends it
  bool closedAfterEnd = false; // the user closed the window after the program ended
  int exitStatus = 0;          // what EndConsoleProgram was given
  int closeStatus = 0;         // the exit status of a window closed before the end
  bool screenDumped = false;
  std::string title;           // Windows-1252
  VideoSettings settings;
  std::unique_ptr<ConsoleHost> host;
};

extern ConsoleWindow consoleWindow;

inline std::size_t CellIndex(int column, int row) { return static_cast<std::size_t>(row * kColumns + column); }

// Creates the window when the text is bound to it and it does not exist
// yet: reads the settings, opens the host chosen by RELEVIX_CONSOLE, clears
// the grid and applies the Braille keyboard mode of the settings.
void EnsureConsoleWindow();

// The user closed the window (close box, Alt+F4): the program ends in order;
// after the program has ended, the window just goes.
void ConsoleWindowClosed();

// Focus gained or lost: the caret follows while a ReadKey waits.
void ConsoleFocusChanged(bool focused);

// A quit request seen while pumping: the program ends at once (exit 255).
void ConsoleQuitRequested();
// A stop signal seen while pumping: the program ends in order, once.
void ConsoleStopSignalled(int signalNumber);
// The window system went away under the window: the program ends as when
// the window is closed, with the screen dumped, and the window is never
// touched again (nothing of it can be drawn or destroyed any more).
[[noreturn]] void ConsoleDisplayLost();

// Back to the state before BindConsoleWindow, closing any host (tests).
void ResetConsoleWindow();
