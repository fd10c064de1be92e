// What the editor's tests share: speech started with letter sounds in a
// temporary folder and the null audio output logging every sound, a console
// with a clipboard of its own, keys given one by one from a script (with
// kKeyWithShift or kKeyWithAlt added where held), and the sounds heard
// sorted into files, clicks, beeps and speech.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/console_host.h"
#include "console/console_window.h"
#include "speech/speech_test_support.h"

namespace editor_testing {

using Sounds = std::vector<std::string>;

inline std::deque<int>& ScriptedKeys() {
  static std::deque<int> keys;
  return keys;
}

// The next scripted key; Esc once the script is used up.
inline int NextScriptedKey() {
  if (ScriptedKeys().empty()) return 27;
  const int key = ScriptedKeys().front();
  ScriptedKeys().pop_front();
  return key;
}

inline std::string& Clipboard() {
  static std::string text;
  return text;
}

class ClipboardHost : public ConsoleHost {
 public:
  void DrawSpan(int, int, int) override {}
  void DrawAll() override {}
  void ShowScroll() override {}
  void SetCaretVisible(bool) override {}
  void SetTitle(std::string_view) override {}
  void PumpEvents() override {}
  void WaitForEvents(int) override {}
  bool SetClipboardText(std::string_view text) override {
    Clipboard() = text;
    return true;
  }
  bool GetClipboardText(std::string& text) override {
    text = Clipboard();
    return true;
  }
  void ServeUntilClosed() override {}
};

constexpr int kClickBytes = 256;

class EditorTest : public speech_testing::SpeechTest {
 protected:
  void SetUp() override {
    SpeechTest::SetUp();
    ResetConsoleWindow();
    UseConsoleHost(std::make_unique<ClipboardHost>());
    consoleWindow.characters.fill(' ');
    consoleWindow.attributes.fill(7);
    ScriptedKeys().clear();
    Clipboard().clear();
    SetKeySource(NextScriptedKey);
    WriteSound("_DEL", 333);
    PlayBeep();
    beepBytes_ = MemoryBytes().back();
    ForgetHeard();
  }

  void TearDown() override {
    SetKeySource(nullptr);
    ResetConsoleWindow();
    SpeechTest::TearDown();
  }

  static void Put(int row, int column, const std::string& text, unsigned char attribute = 7) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const std::size_t cell = CellIndex(column - 1 + static_cast<int>(i), row - 1);
      consoleWindow.characters[cell] = static_cast<unsigned char>(text[i]);
      consoleWindow.attributes[cell] = attribute;
    }
  }

  static std::string Row(int row) {
    return std::string(reinterpret_cast<const char*>(&consoleWindow.characters[CellIndex(0, row - 1)]), kColumns);
  }

  // The sounds heard: files by name, clicks, beeps, and spoken words.
  Sounds Events() const {
    Sounds events;
    const std::vector<long> memory = MemoryBytes();
    std::size_t next = 0;
    for (const std::string& sound : Heard()) {
      if (sound != "memory") {
        events.push_back(sound);
        continue;
      }
      const long bytes = memory[next++];
      events.push_back(bytes == kClickBytes ? "click" : bytes == beepBytes_ ? "beep" : "speech");
    }
    return events;
  }

  long beepBytes_ = 0;
};

}  // namespace editor_testing
