// relevix-cli: the program's jobs without the dialogue, for scripts, tests
// and checking a set-up.
#include <cstdio>
#include <string>
#include <string_view>

#include "driver/audio_check.h"
#include "console/console.h"
#include "driver/cli.h"
#include "platform/audio_output.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/stop_signals.h"
#include "platform/text_encoding.h"

namespace {

struct Command {
  const char* name;
  int (*run)(CliArguments args);
  const char* usageKey;  // its line of the usage, in the message catalogue
};

constexpr Command kCommands[] = {
    {"print", RunPrintCommand, "CMDPRINT"},
    {"preview", RunPreviewCommand, "CMDPREVI"},
    {"convert", RunConvertCommand, "CMDCONVE"},
    {"transcribe", RunTranscribeCommand, "CMDTRANS"},
    {"queue", RunQueueCommand, "CMDFILA"},
    {"ppd", RunPpdCommand, "CMDPPD"},
    {"settings", RunSettingsCommand, "CMDCONFI"},
    {"speak", RunSpeakCommand, "CMDFALA"},
    {"speak-translator", RunSpeakTranslatorCommand, "CMDTRADU"},
    {"normalise", RunNormaliseCommand, "CMDNORMA"},
    {"phonemes", RunPhonemesCommand, "CMDFONEM"},
    {"play", RunPlayCommand, "CMDPLAY"},
    {"speak-engine", RunSpeakEngineCommand, "CMDMOTOR"},
    {"linha", RunLineCommand, "CMDLINHA"},
    {"teclado", RunKeyboardCommand, "CMDTECLA"},
};

std::string Usage() {
  std::string usage = GetMessage("USOCLI");
  for (const Command& command : kCommands) usage += "\n  " + GetMessage(command.usageKey);
  return usage;
}

// Runs the command; sound that was to be recorded and was lost makes a run
// that otherwise went well a failure. A stop signal ends a command at its
// next wait; one that came while the command never waited still counts.
int Run(const Command& command, const CliArguments& args) {
  HandleStopSignals(false);
  ChooseAudioOutputFromEnvironment();
  if (ReportAudioOutputProblem()) return kSoundLost;
  const int status = command.run(args);
  if (ReportAudioOutputProblem() && status == 0) return kSoundLost;
  if (const int signalNumber = StopSignalReceived(); signalNumber != 0) return StopSignalExitStatus(signalNumber);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  InitStartupDirectory();
  if (argc >= 2) {
    CliArguments args;
    for (int i = 2; i < argc; ++i) args.push_back(Windows1252FromUtf8(argv[i]));
    for (const Command& command : kCommands) {
      if (argv[1] == std::string_view(command.name)) return Run(command, args);
    }
    if (argv[1] == std::string_view("--help") || argv[1] == std::string_view("-h")) {
      PrintOut(Usage() + "\n");
      return 0;
    }
  }
  PrintError(Usage());
  return kUsageError;
}
