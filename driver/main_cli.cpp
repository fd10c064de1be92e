// relevix-cli: the program's jobs without the dialogue, for scripts, tests
// and checking a set-up.
#include <cstdio>
#include <string>
#include <string_view>

#include "driver/audio_check.h"
#include "driver/cli.h"
#include "platform/audio_output.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

struct Command {
  const char* name;
  int (*run)(CliArguments args);
  const char* usage;  // Windows-1252
};

constexpr Command kCommands[] = {
    {"print", RunPrintCommand,
     "print [--settings ARQUIVO] [--device NOME] [--copies N] [--pages A-B] [--first-number N]\n"
     "        [--title TEXTO] ARQUIVO   imprime o arquivo em Braille"},
    {"preview", RunPreviewCommand,
     "preview [--settings ARQUIVO] [--pages A-B] ARQUIVO\n"
     "        mostra em Braille Unicode as p\xE1ginas como o embossador as receber\xE1"},
    {"transcribe", RunTranscribeCommand,
     "transcribe [--old] [--english] TEXTO   mostra a transcri\xE7\xE3o Braille do texto"},
    {"settings", RunSettingsCommand, "settings [--settings ARQUIVO]   mostra a configura\xE7\xE3o de impress\xE3o em uso"},
    {"speak", RunSpeakCommand, "speak [--settings ARQUIVO] TEXTO   fala o texto como o programa fala"},
    {"speak-translator", RunSpeakTranslatorCommand,
     "speak-translator [--settings ARQUIVO] [--show] TEXTO   fala o texto pelo tradutor de difones"},
    {"play", RunPlayCommand, "play ARQUIVO.wav   toca um arquivo de som"},
    {"linha", RunLineCommand,
     "linha [--texto INICIAL] [--linhas N] [--tela ARQUIVO]   pede um nome de arquivo (ou edita o texto) no\n"
     "        editor de linha falado e mostra TEXTO= e TECLA="},
    {"teclado", RunKeyboardCommand, "teclado   mostra os c\xF3" "digos de cada tecla (ESC duas vezes termina)"},
};

std::string Usage() {
  std::string usage = "Uso: relevix-cli COMANDO [OP\xC7\xD5" "ES]";
  for (const Command& command : kCommands) usage += std::string("\n  ") + command.usage;
  return usage;
}

// Runs the command; sound that was to be recorded and was lost makes a run
// that otherwise went well a failure.
int Run(const Command& command, const CliArguments& args) {
  ChooseAudioOutputFromEnvironment();
  if (ReportAudioOutputProblem()) return kSoundLost;
  const int status = command.run(args);
  if (ReportAudioOutputProblem() && status == 0) return kSoundLost;
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
