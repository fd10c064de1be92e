// What the console tests share: a fresh console bound to a recording host
// (it remembers what it was asked to draw), silent tones, and a settings
// directory of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console/chord_keyboard.h"
#include "console/console.h"
#include "console/console_host.h"
#include "console/console_window.h"
#include "console/key_queue.h"
#include "console/keyboard.h"
#include "tests/support/test_support.h"

namespace console_testing {

struct Drawing {
  std::string what;  // "span", "all", "scroll"
  int row = 0;
  int firstColumn = 0;
  int lastColumn = 0;
  bool operator==(const Drawing&) const = default;
};

inline Drawing Span(int row, int first, int last) { return {"span", row, first, last}; }
inline Drawing All() { return {"all"}; }
inline Drawing Scroll() { return {"scroll"}; }

class RecordingHost : public ConsoleHost {
 public:
  explicit RecordingHost(std::vector<Drawing>& drawings) : drawings_(drawings) {}
  void DrawSpan(int row, int first, int last) override { drawings_.push_back(Span(row, first, last)); }
  void DrawAll() override { drawings_.push_back(All()); }
  void ShowScroll() override { drawings_.push_back(Scroll()); }
  void SetCaretVisible(bool) override {}
  void SetTitle(std::string_view) override {}
  void PumpEvents() override {}
  void WaitForEvents(int) override {}
  bool SetClipboardText(std::string_view) override { return false; }
  bool GetClipboardText(std::string&) override { return false; }
  void ServeUntilClosed() override {}

 private:
  std::vector<Drawing>& drawings_;
};

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetConsoleWindow();
    SetDelayHandler(nullptr);
    SetKeySource(nullptr);
  }
  void TearDown() override {
    ResetConsoleWindow();
    SetDelayHandler(nullptr);
  }

  // Binds the console to a recording host, with the settings as they are.
  void UseRecordingHost() {
    UseConsoleHost(std::make_unique<RecordingHost>(drawings_));
    consoleWindow.characters.fill(' ');
    consoleWindow.attributes.fill(consoleWindow.textAttribute);
  }

  std::string Row(int row) const {
    return std::string(reinterpret_cast<const char*>(&consoleWindow.characters[CellIndex(0, row - 1)]), kColumns);
  }

  testing_support::TempDir settingsDir_;
  testing_support::ScopedEnv windowsDirectory_{"SONARA_WINDIR", settingsDir_.path().c_str()};
  testing_support::ScopedEnv silentAudio_{"RELEVIX_AUDIO", "null"};
  std::vector<Drawing> drawings_;
};

// The bytes waiting in the key queue.
inline std::vector<int> QueuedKeys() {
  return std::vector<int>(keyQueue.keys.begin(), keyQueue.keys.begin() + keyQueue.count);
}

inline void Press(KeyStroke key) {
  ConsoleKeyDown(key);
  ConsoleKeyUp(key);
}

inline KeyStroke Named(KeyName name) { return KeyStroke{.name = name}; }
inline KeyStroke Ctrl(KeyStroke key) { key.ctrl = true; return key; }
inline KeyStroke Alt(KeyStroke key) { key.alt = true; return key; }
inline KeyStroke Shift(KeyStroke key) { key.shift = true; return key; }
inline KeyStroke Letter(char symbol) { return KeyStroke{.name = KeyName::Letter, .symbol = symbol}; }
inline KeyStroke Digit(char symbol) { return KeyStroke{.name = KeyName::Digit, .symbol = symbol}; }

}  // namespace console_testing
