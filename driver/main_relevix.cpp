// relevix: the talking Braille printing program in its window. The first
// argument names the text file to print; without it the program asks.
#include <string>
#include <vector>

#include "console/console.h"
#include "driver/print_program.h"
#include "platform/audio_output.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

int main(int argc, char** argv) {
  // Before SDL starts: a stop signal ends the program as closing its window.
  HandleStopSignals(true);
  InitStartupDirectory();
  ProvideUserSettings();
  ChooseAudioOutputFromEnvironment();
  BindConsoleWindow();
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(Windows1252FromUtf8(argv[i]));
  RunPrintProgram(arguments);
}
