#include "console/console_stream.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "console/console.h"
#include "console/console_events.h"
#include "platform/stop_signals.h"
#include "platform/text_encoding.h"

namespace {

std::FILE* consoleStream = nullptr;

std::FILE* Stream() { return consoleStream != nullptr ? consoleStream : stderr; }

}  // namespace

void SetConsoleStream(std::FILE* stream) { consoleStream = stream; }

void StreamWrite(std::string_view text) {
  const std::string utf8 = Utf8FromWindows1252(text);
  std::fwrite(utf8.data(), 1, utf8.size(), Stream());
}

void StreamLineEnds(int count) {
  for (int i = 0; i < count; ++i) std::fputc('\n', Stream());
}

void StreamFlush() { std::fflush(Stream()); }

int StreamReadKey() {
  if (isatty(STDIN_FILENO) == 0) return kEscapeKey;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return kEscapeKey;
  termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  unsigned char key = kEscapeKey;
  ssize_t count;
  do {
    count = read(STDIN_FILENO, &key, 1);
  } while (count < 0 && errno == EINTR && StopSignalReceived() == 0);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  // A stop signal ends the program here, with the terminal as it was.
  if (StopSignalReceived() != 0) PumpMessages();
  if (count != 1) return kEscapeKey;
  return key == '\n' ? kEnterKey : key;
}
