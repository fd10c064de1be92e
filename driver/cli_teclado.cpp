// relevix-cli teclado: opens the console window and shows the byte codes of
// every key that reaches the key queue (an extended key as "0 59"), on the
// window and on standard output, one key a line, until ESC is pressed twice
// in a row. For checking a keyboard and the Braille chord modes, and for
// driving the window from outside.
#include <cstdio>
#include <string>

#include "console/console.h"
#include "driver/cli.h"
#include "platform/message_texts.h"

namespace {
}

int RunKeyboardCommand(CliArguments args) {
  if (!args.empty()) {
    PrintError(GetMessage("USOTECLA"));
    return kUsageError;
  }
  BindConsoleWindow();
  WriteToConsole(GetMessage("TECLCODI") + "\r\n");
  int escapesInARow = 0;
  while (escapesInARow < 2) {
    const int key = ReadKey();
    std::string line = std::to_string(key);
    if (key == kExtendedKey) line += " " + std::to_string(ReadKey());
    escapesInARow = key == kEscapeKey ? escapesInARow + 1 : 0;
    WriteToConsole(line + "\r\n");
    PrintOut(line + "\n");
    std::fflush(stdout);
  }
  EndConsoleProgram(0);
}
