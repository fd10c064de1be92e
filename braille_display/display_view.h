// What the Braille display shows, kept apart from the connection: a text
// with its cursor or a row of cells given as dots, the window of the
// display's width that the user has panned to, and the display's commands
// turned into the keyboard's keys. Plain data, so that it can be tested
// without a display.
#pragma once

#include <string>
#include <string_view>

// One thing to show. Text is Windows-1252; a cursor is a 0-based position in
// it (or -1); dots hold one byte per cell, dot 1 in bit 0 up to dot 8 in
// bit 7.
struct DisplayContent {
  std::string text;
  int cursor = -1;
  bool isDots = false;
  bool operator==(const DisplayContent&) const = default;
};

// The part of the content in a window of the display's width.
struct DisplayWindow {
  std::string cells;  // exactly width characters (text) or cells (dots), blank-padded
  int cursor = -1;    // 0-based within the window, or -1 when it lies elsewhere
};

class DisplayView {
 public:
  // The display's width in cells (none: 0, nothing is shown).
  void SetWidth(int width);
  int Width() const { return width_; }
  // New content. A new text starts at its first window, or at the window of
  // its cursor; the same text with the cursor moved keeps the window while
  // the cursor stays in it.
  void Show(const DisplayContent& content);
  // A short text standing for a sound, shown until content other than what
  // was showing arrives.
  void ShowSound(std::string_view text);
  const DisplayContent& Showing() const { return sound_ ? soundContent_ : content_; }

  // Moves by a whole window; false (and nothing moves) at either end.
  bool PanLeft();
  bool PanRight();
  DisplayWindow Window() const;
  // The position in the content of a cell of the window (routing keys count
  // cells from 0).
  int PositionOfCell(int cell) const { return offset_ + cell; }

 private:
  int Length() const;
  void FollowCursor();

  DisplayContent content_;
  DisplayContent soundContent_;
  bool sound_ = false;
  int offset_ = 0;  // the first position in the window
  int width_ = 0;
};

// A key of the display as the program takes it.
struct DisplayKey {
  enum class Kind { None, Key, ExtendedKey, PanLeft, PanRight, Route };
  Kind kind = Kind::None;
  int code = 0;  // the key byte, the extended code, or the routed cell
};

// The display's command or key (BrlAPI's 64-bit key code) as the keyboard's
// key: Enter, Escape, Tab, Backspace, the arrows, Home, End, the page keys,
// Insert, Delete and F1 to F12 as those keys; line up and down as the
// arrows; a typed character as the character (when Windows-1252 has it);
// panning and routing for the display itself; anything else as None.
DisplayKey DisplayKeyOfCode(unsigned long long code);
