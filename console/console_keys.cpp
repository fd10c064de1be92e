#include <termios.h>
#include <cerrno>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"

namespace {
constexpr int kEscape = 27;
int (*keySource)() = nullptr;
void (*delayHandler)(int) = nullptr;
}  // namespace

void SetKeySource(int (*source)()) { keySource = source; }

void SetDelayHandler(void (*handler)(int milliseconds)) { delayHandler = handler; }

int ReadKey() {
  if (KeyPressed()) return TakeKey();
  if (keySource != nullptr) return keySource();
  if (isatty(STDIN_FILENO) == 0) return kEscape;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return kEscape;
  termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  unsigned char key = kEscape;
  ssize_t count;
  do {
    count = read(STDIN_FILENO, &key, 1);
  } while (count < 0 && errno == EINTR);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  if (count != 1) return kEscape;
  return key == '\n' ? 13 : key;
}

void Delay(int milliseconds) {
  if (delayHandler != nullptr) {
    delayHandler(milliseconds);
    return;
  }
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  PumpMessages();
}
