// The headless host: nothing is drawn; keys come from a key script, each
// action as soon as the pause before it has passed. When the program waits
// for a key and the script has none left, the window is closed, as a user
// leaving would.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "console/console_events.h"
#include "console/console_host.h"
#include "console/console_window.h"
#include "console/key_script.h"
#include "console/keyboard.h"
#include "platform/message_texts.h"
#include "platform/text_encoding.h"

namespace {

using Clock = std::chrono::steady_clock;

class HeadlessHost : public ConsoleHost {
 public:
  explicit HeadlessHost(std::vector<ScriptAction> actions) : actions_(std::move(actions)), due_(Clock::now()) {}

  void DrawSpan(int, int, int) override {}
  void DrawAll() override {}
  void ShowScroll() override {}
  void SetCaretVisible(bool) override {}
  void SetTitle(std::string_view) override {}

  void PumpEvents() override {
    while (next_ < actions_.size() && Clock::now() >= due_) {
      const ScriptAction action = actions_[next_++];
      switch (action.kind) {
        case ScriptAction::Kind::KeyDown: ConsoleKeyDown(action.key); break;
        case ScriptAction::Kind::KeyUp: ConsoleKeyUp(action.key); break;
        case ScriptAction::Kind::Character: ConsoleCharacter(action.character, action.ctrl); break;
        case ScriptAction::Kind::Wait: due_ = Clock::now() + std::chrono::milliseconds(action.milliseconds); break;
        case ScriptAction::Kind::Close: ConsoleWindowClosed(); break;
      }
    }
  }

  void WaitForEvents(int milliseconds) override {
    if (next_ >= actions_.size()) {
      if (milliseconds >= 0) {
        WaitForPostedEvents(milliseconds);
        return;
      }
      std::fputs((Utf8FromWindows1252(GetMessage("ROTESGOT")) + "\n").c_str(), stderr);
      ConsoleWindowClosed();
      return;
    }
    const auto untilDue = std::chrono::duration_cast<std::chrono::milliseconds>(due_ - Clock::now()).count();
    if (untilDue <= 0) return;
    const auto limit = milliseconds < 0 ? untilDue : std::min<long long>(milliseconds, untilDue);
    WaitForPostedEvents(static_cast<int>(limit));
  }

  bool SetClipboardText(std::string_view text) override {
    clipboard_ = std::string(text);
    return true;
  }
  bool GetClipboardText(std::string& text) override {
    text = clipboard_;
    return true;
  }

  void ServeUntilClosed() override {}

 private:
  std::vector<ScriptAction> actions_;
  std::size_t next_ = 0;
  Clock::time_point due_;
  std::string clipboard_;
};

}  // namespace

std::unique_ptr<ConsoleHost> OpenHeadlessHost(const std::string& scriptPath, std::string& error) {
  std::vector<ScriptAction> actions;
  if (!scriptPath.empty()) {
    std::ifstream file(scriptPath, std::ios::binary);
    if (!file) {
      error = GetMessage("ROTNAOLE");
      return nullptr;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (!ParseKeyScript(text.str(), actions, error)) return nullptr;
  }
  ConsoleFocusChanged(true);
  return std::make_unique<HeadlessHost>(std::move(actions));
}
