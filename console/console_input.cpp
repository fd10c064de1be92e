// Reading the keyboard: the key queue filled by the host's events, the
// blocking ReadKey with its caret, line input with echo, and Delay.
#include <chrono>
#include <thread>

#include "console/console.h"
#include "console/console_events.h"
#include "console/console_host.h"
#include "console/console_stream.h"
#include "console/console_window.h"

namespace {

int (*keySource)() = nullptr;
void (*delayHandler)(int) = nullptr;

// Blocks until a key is queued, with the caret shown while the window has
// the focus.
void WaitForKey() {
  ConsoleWindow& w = consoleWindow;
  w.reading = true;
  if (w.focused) w.host->SetCaretVisible(true);
  while (!KeyPressed()) WaitForMessages(-1);
  w.host->SetCaretVisible(false);
  w.reading = false;
}

}  // namespace

void SetKeySource(int (*source)()) { keySource = source; }

void SetDelayHandler(void (*handler)(int milliseconds)) { delayHandler = handler; }

bool KeyPressed() {
  if (consoleWindow.bound) EnsureConsoleWindow();
  PumpMessages();
  return keyQueue.count > 0;
}

int ReadKey() {
  if (KeyPressed()) return TakeKey();
  if (keySource != nullptr) {
    const int key = keySource();
    SetLastKeyModifiers({.shift = (key & kKeyWithShift) != 0, .alt = (key & kKeyWithAlt) != 0});
    return key & 0xFF;
  }
  if (!consoleWindow.bound) {
    SetLastKeyModifiers({});
    return StreamReadKey();
  }
  WaitForKey();
  return TakeKey();
}

std::string ReadConsoleLine(int capacity) {
  std::string line;
  for (;;) {
    const int key = ReadKey();
    if (key == kEnterKey) break;
    if (key == kExtendedKey) {
      // An extended key: its code is no character.
      ReadKey();
    } else if (key == kBackspaceKey) {
      if (!line.empty()) {
        line.pop_back();
        WriteToConsole("\b");
      }
    } else if (key >= kFirstCharacterKey && static_cast<int>(line.size()) < capacity - 2) {
      line += static_cast<char>(key);
      WriteToConsole(line.substr(line.size() - 1));
    }
  }
  line += "\r\n";
  WriteToConsole("\r\n");
  return line;
}

void Delay(int milliseconds) {
  if (delayHandler != nullptr) {
    delayHandler(milliseconds);
    return;
  }
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  PumpMessages();
}
