// Writing on the grid: the byte rules of the console's text output, the
// cursor, clearing and colours. Only the changed span of the cursor row is
// drawn after a write; clears and scrolling redraw through the host.
#include <algorithm>

#include "console/console.h"
#include "console/console_events.h"
#include "console/console_host.h"
#include "console/console_stream.h"
#include "console/console_window.h"
#include "platform/beep.h"

namespace {

constexpr unsigned char kBlank = ' ';

ConsoleHost* Host() { return consoleWindow.host.get(); }

void StoreCell(int column, int row, unsigned char character) {
  consoleWindow.characters[CellIndex(column, row)] = character;
  consoleWindow.attributes[CellIndex(column, row)] = consoleWindow.textAttribute;
}

// Columns changed on the cursor row since the last drawing.
struct ChangedSpan {
  int first = kColumns;
  int last = -1;

  void Add(int column) {
    first = std::min(first, column);
    last = std::max(last, column);
  }
  void Draw() {
    if (last >= first && Host() != nullptr) Host()->DrawSpan(consoleWindow.cursorY, first, last);
    *this = ChangedSpan{};
  }
};

// Next row; on the last row the grid moves up a line and the new bottom row
// is blank in the current attribute.
void LineBreak() {
  ConsoleWindow& w = consoleWindow;
  if (w.cursorY < kRows - 1) {
    ++w.cursorY;
    return;
  }
  std::copy(w.characters.begin() + kColumns, w.characters.end(), w.characters.begin());
  std::copy(w.attributes.begin() + kColumns, w.attributes.end(), w.attributes.begin());
  for (int column = 0; column < kColumns; ++column) StoreCell(column, kRows - 1, kBlank);
  if (Host() != nullptr) Host()->ShowScroll();
}

void WriteToGrid(std::string_view text) {
  ConsoleWindow& w = consoleWindow;
  ChangedSpan span;
  for (const char byte : text) {
    const auto c = static_cast<unsigned char>(byte);
    if (c == 7) {
      PlayWarningBeep();
    } else if (c == 8) {
      if (w.cursorX >= 1) {
        --w.cursorX;
        StoreCell(w.cursorX, w.cursorY, kBlank);
        span.Add(w.cursorX);
      }
    } else if (c == 10) {
      span.Draw();
      LineBreak();
      w.cursorX = 0;
    } else if (c == 13) {
      w.cursorX = 0;
    } else if (c >= 32) {
      if (w.cursorX >= kColumns) {
        span.Draw();
        w.cursorX = 0;
        LineBreak();
      }
      StoreCell(w.cursorX, w.cursorY, c);
      span.Add(w.cursorX);
      ++w.cursorX;
    }
  }
  span.Draw();
}

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

std::size_t CellOf(int column, int row) { return CellIndex(Clamp(column - 1, 0, kColumns - 1), Clamp(row - 1, 0, kRows - 1)); }

}  // namespace

void WriteToConsole(std::string_view text) {
  if (!consoleWindow.bound) {
    StreamWrite(text);
    return;
  }
  EnsureConsoleWindow();
  WriteToGrid(text);
  PumpMessages();
}

void WriteLineEnds(int count) {
  if (!consoleWindow.bound) {
    StreamLineEnds(count);
    return;
  }
  for (int i = 0; i < count; ++i) WriteToConsole("\r\n");
}

void FlushConsole() {
  if (!consoleWindow.bound) StreamFlush();
}

void MoveCursor(int column, int row) {
  consoleWindow.cursorX = Clamp(column - 1, 0, kColumns - 1);
  consoleWindow.cursorY = Clamp(row - 1, 0, kRows - 1);
}

int CursorColumn() { return consoleWindow.cursorX + 1; }

int CursorRow() { return consoleWindow.cursorY + 1; }

void ClearWindow() {
  EnsureConsoleWindow();
  consoleWindow.characters.fill(kBlank);
  consoleWindow.attributes.fill(consoleWindow.textAttribute);
  consoleWindow.cursorX = 0;
  consoleWindow.cursorY = 0;
  if (Host() != nullptr) Host()->DrawAll();
}

void ClearToLineEnd() {
  EnsureConsoleWindow();
  const int row = consoleWindow.cursorY;
  for (int column = consoleWindow.cursorX; column < kColumns; ++column) StoreCell(column, row, kBlank);
  if (consoleWindow.cursorX < kColumns && Host() != nullptr) Host()->DrawSpan(row, consoleWindow.cursorX, kColumns - 1);
}

unsigned char ScreenCharAt(int column, int row) { return consoleWindow.characters[CellOf(column, row)]; }

unsigned char ScreenAttributeAt(int column, int row) { return consoleWindow.attributes[CellOf(column, row)]; }

void SetTextColour(int index) {
  EnsureConsoleWindow();
  if (!consoleWindow.colourChangeAllowed) return;
  consoleWindow.textAttribute = static_cast<unsigned char>((consoleWindow.textAttribute & 0xF0) | (index & 0x0F));
}

void SetBackgroundColour(int index) {
  EnsureConsoleWindow();
  if (!consoleWindow.colourChangeAllowed) return;
  consoleWindow.textAttribute = static_cast<unsigned char>((consoleWindow.textAttribute & 0x0F) | ((index & 0x0F) << 4));
}

unsigned char TextAttribute() { return consoleWindow.textAttribute; }

void SetTextAttribute(unsigned char attribute) {
  EnsureConsoleWindow();
  if (!consoleWindow.colourChangeAllowed) return;
  consoleWindow.textAttribute = attribute;
}

void SetConsoleTitle(std::string_view title) {
  consoleWindow.title = std::string(title);
  if (Host() != nullptr) Host()->SetTitle(consoleWindow.title);
}
