// The window's life: bound at program start, made on first use with the
// host chosen by RELEVIX_CONSOLE, closed in order by EndConsoleProgram or by
// the user, and, when the program ends any other way, left up under the
// title "Programa terminado" until the user closes it.
#include "console/console_window.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "console/chord_keyboard.h"
#include "console/console.h"
#include "console/console_events.h"
#include "console/console_host.h"
#include "console/screen_dump.h"
#include "console/tones.h"
#include "platform/beep.h"
#include "platform/message_texts.h"
#include "platform/stop_signals.h"
#include "platform/text_encoding.h"

ConsoleWindow consoleWindow;

namespace {

constexpr std::size_t kMaxTitleChars = 80;
constexpr int kQuitExitStatus = 255;
constexpr int kNoWindowExitStatus = 69;

void (*endOfProgramHook)() = nullptr;
bool programEndHandled = false;
bool stopEndsAsWindowClose = false;
bool stopSignalHandled = false;

std::string ProgramPath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return {};
  return Windows1252FromUtf8(std::string_view(path, static_cast<std::size_t>(length))).substr(0, kMaxTitleChars);
}

void ResetGrid() {
  consoleWindow.characters.fill(' ');
  consoleWindow.attributes.fill(consoleWindow.textAttribute);
  consoleWindow.cursorX = 0;
  consoleWindow.cursorY = 0;
}

void ExitWithoutWindow(const std::string& message) {
  const std::string text = Utf8FromWindows1252(message) + "\n";
  std::fputs(text.c_str(), stderr);
  std::exit(kNoWindowExitStatus);
}

std::unique_ptr<ConsoleHost> OpenChosenHost(const VideoSettings& settings) {
  const char* choice = std::getenv("RELEVIX_CONSOLE");
  const std::string kind = choice != nullptr ? choice : "";
  std::string error;
  std::unique_ptr<ConsoleHost> host;
  if (kind == "headless") {
    const char* script = std::getenv("RELEVIX_KEYS");
    host = OpenHeadlessHost(script != nullptr ? script : "", error);
  } else if (kind.empty() || kind == "sdl") {
    host = OpenSdlHost(settings, error);
  } else {
    error = GetMessageWith("CONSDESC", {Windows1252FromUtf8(kind)});
  }
  if (!host) ExitWithoutWindow(error);
  return host;
}

void WriteScreenDumpOnce() {
  if (!consoleWindow.bound || consoleWindow.screenDumped) return;
  consoleWindow.screenDumped = true;
  if (!WriteScreenDump()) std::fputs((Utf8FromWindows1252(GetMessage("DUMPNAO")) + "\n").c_str(), stderr);
}

void CloseWindow() {
  consoleWindow.host.reset();
  consoleWindow.created = false;
}

// The program ends without EndConsoleProgram (the end of main, an exit
// elsewhere, Ctrl+Break): the screen is dumped, and a window still open
// stays up, titled "Programa terminado", until the user closes it.
void ProgramEnded() {
  WriteScreenDumpOnce();
  if (!consoleWindow.created) return;
  consoleWindow.ending = true;
  consoleWindow.ctrlBreakHandling = false;
  SetConsoleTitle(GetMessage("PROGTERM"));
  consoleWindow.host->ServeUntilClosed();
  CloseWindow();
}

}  // namespace

void BindConsoleWindow() {
  consoleWindow.bound = true;
  consoleWindow.title = ProgramPath();
  consoleWindow.settings.colourMap = VideoSettings{}.colourMap;
  ResetGrid();
  if (!programEndHandled) {
    programEndHandled = true;
    std::atexit(ProgramEnded);
  }
}

void EnsureConsoleWindow() {
  ConsoleWindow& w = consoleWindow;
  if (!w.bound || w.created) return;
  w.settings = ReadVideoSettings();
  w.colourChangeAllowed = !w.settings.fixedColours;
  w.textAttribute = static_cast<unsigned char>(((w.settings.backgroundColour & 0x0F) << 4) | (w.settings.foregroundColour & 0x0F));
  ResetGrid();
  w.host = OpenChosenHost(w.settings);
  w.created = true;
  w.host->SetTitle(w.title);
  w.host->DrawAll();
  SetWarningBeepSound(PlayConsoleBeep);
  SetBrailleKeyboardMode(w.settings.brailleMode);
}

void UseConsoleHost(std::unique_ptr<ConsoleHost> host) {
  consoleWindow.bound = true;
  consoleWindow.host = std::move(host);
  consoleWindow.created = true;
}

void SetEndOfProgramHook(void (*hook)()) { endOfProgramHook = hook; }

void SetWindowCloseStatus(int exitStatus) { consoleWindow.closeStatus = exitStatus; }

void EndConsoleProgram(int exitStatus) {
  consoleWindow.exitStatus = exitStatus;
  if (auto hook = endOfProgramHook) {
    endOfProgramHook = nullptr;
    hook();
  }
  if (consoleWindow.created) {
    consoleWindow.ending = true;
    while (KeyPressed()) TakeKey();
    CloseWindow();
  }
  WriteScreenDumpOnce();
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(exitStatus);
}

void ConsoleDisplayLost() {
  // Kept reachable, never destroyed: its destruction would speak to the
  // display that is gone.
  static ConsoleHost* lostHost = nullptr;
  lostHost = consoleWindow.host.release();
  (void)lostHost;
  consoleWindow.created = false;
  if (consoleWindow.ending) {
    // The program had ended already and only its last screen was shown;
    // the process is inside exit(), which must not be entered again.
    WriteScreenDumpOnce();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(consoleWindow.exitStatus);
  }
  EndConsoleProgram(consoleWindow.closeStatus);
}

void ConsoleWindowClosed() {
  if (consoleWindow.ending) {
    consoleWindow.closedAfterEnd = true;
    return;
  }
  EndConsoleProgram(consoleWindow.closeStatus);
}

void ConsoleQuitRequested() {
  if (consoleWindow.ending) {
    consoleWindow.closedAfterEnd = true;
    return;
  }
  std::exit(kQuitExitStatus);
}

void HandleStopSignals(bool endAsWindowClose) {
  stopEndsAsWindowClose = endAsWindowClose;
  InstallStopSignals();
  SetStopSignalWaker(PostWakeUp);
}

void ConsoleStopSignalled(int signalNumber) {
  // The end runs hooks and closes outputs, which pump again; once the
  // program has ended, the last screen's own wait sees the signal.
  if (stopSignalHandled || consoleWindow.ending) return;
  stopSignalHandled = true;
  EndConsoleProgram(stopEndsAsWindowClose ? consoleWindow.closeStatus : StopSignalExitStatus(signalNumber));
}

void ConsoleFocusChanged(bool focused) {
  consoleWindow.focused = focused;
  if (consoleWindow.reading && consoleWindow.host) consoleWindow.host->SetCaretVisible(focused);
}

void ResetConsoleWindow() {
  consoleWindow = ConsoleWindow{};
  keyQueue = KeyQueue{};
  stopSignalHandled = false;
  brailleChord = BrailleChordState{};
  StopTone();
  SetWarningBeepSound(nullptr);
}
