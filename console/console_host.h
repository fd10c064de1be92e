// A host shows the console grid and feeds the keyboard: the SDL window, or
// the headless host that takes its keys from a script. The grid, the key
// queue and the chord keyboard are plain data the host reads and feeds.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "console/console_settings.h"

class ConsoleHost {
 public:
  virtual ~ConsoleHost() = default;
  // Draws cells firstColumn..lastColumn of row from the grid.
  virtual void DrawSpan(int row, int firstColumn, int lastColumn) = 0;
  // Redraws the whole window from the grid.
  virtual void DrawAll() = 0;
  // The grid has moved up one line: brings the screen up to date.
  virtual void ShowScroll() = 0;
  virtual void SetCaretVisible(bool visible) = 0;
  virtual void SetTitle(std::string_view title) = 0;  // Windows-1252
  // Handles every pending window event (keys go to the keyboard).
  virtual void PumpEvents() = 0;
  // Waits until an event is pending or the time has passed (negative: no
  // limit); handles nothing.
  virtual void WaitForEvents(int milliseconds) = 0;
  // Windows-1252 text; false when the clipboard cannot be used.
  virtual bool SetClipboardText(std::string_view text) = 0;
  // False when the clipboard cannot be used; text is empty when it holds none.
  virtual bool GetClipboardText(std::string& text) = 0;
  // After the program has ended: keeps the window up until the user closes
  // it.
  virtual void ServeUntilClosed() = 0;
};

// Opens the SDL window; null, with a message for the user in error, when
// there is no display or the window or its font cannot be made.
std::unique_ptr<ConsoleHost> OpenSdlHost(const VideoSettings& settings, std::string& error);

// The headless host with the key script of the file (UTF-8 path; empty: no
// keys). Null, with a message in error, when the script cannot be read.
std::unique_ptr<ConsoleHost> OpenHeadlessHost(const std::string& scriptPath, std::string& error);

// Puts a host of the caller's own in place (tests); the window counts as
// created.
void UseConsoleHost(std::unique_ptr<ConsoleHost> host);
