#include "console/console.h"

#include <cstdlib>

#include "platform/text_encoding.h"

namespace {
std::FILE* consoleStream = nullptr;
void (*endOfProgramHook)() = nullptr;

std::FILE* Stream() { return consoleStream != nullptr ? consoleStream : stderr; }
}  // namespace

void SetConsoleStream(std::FILE* stream) { consoleStream = stream; }

void WriteToConsole(std::string_view text) {
  const std::string utf8 = Utf8FromWindows1252(text);
  std::fwrite(utf8.data(), 1, utf8.size(), Stream());
}

void WriteLineEnds(int count) {
  for (int i = 0; i < count; ++i) std::fputc('\n', Stream());
}

void FlushConsole() { std::fflush(Stream()); }

void SetEndOfProgramHook(void (*hook)()) { endOfProgramHook = hook; }

void EndConsoleProgram(int exitStatus) {
  if (auto hook = endOfProgramHook) {
    endOfProgramHook = nullptr;
    hook();
  }
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(exitStatus);
}
