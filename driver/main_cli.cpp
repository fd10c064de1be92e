// relevix-cli: the program's jobs without the dialogue, for scripts, tests
// and checking a set-up.
#include <cstdio>
#include <string>
#include <string_view>

#include "driver/cli.h"
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
    {"preview", RunPreviewCommand, "preview [--settings ARQUIVO] ARQUIVO   mostra as p\xE1ginas em Braille Unicode"},
    {"transcribe", RunTranscribeCommand,
     "transcribe [--old] [--english] TEXTO   mostra a transcri\xE7\xE3o Braille do texto"},
    {"settings", RunSettingsCommand, "settings [--settings ARQUIVO]   mostra a configura\xE7\xE3o de impress\xE3o em uso"},
    {"speak", RunSpeakCommand, "speak [--settings ARQUIVO] TEXTO   fala o texto como o programa fala"},
    {"speak-translator", RunSpeakTranslatorCommand,
     "speak-translator [--settings ARQUIVO] [--show] TEXTO   fala o texto pelo tradutor de difones"},
    {"normalise", RunNormaliseCommand,
     "normalise [--settings ARQUIVO] TEXTO   mostra o texto normalizado (n\xFAmeros e sinais por extenso)"},
    {"phonemes", RunPhonemesCommand,
     "phonemes [--settings ARQUIVO] TEXTO   mostra as linhas de fonemas que o MBROLA recebe"},
    {"play", RunPlayCommand, "play ARQUIVO.wav   toca um arquivo de som"},
    {"teclado", RunKeyboardCommand, "teclado   mostra os c\xF3" "digos de cada tecla (ESC duas vezes termina)"},
};

void PrintUsage() {
  std::string usage = "Uso: relevix-cli COMANDO [OP\xC7\xD5" "ES]";
  for (const Command& command : kCommands) usage += std::string("\n  ") + command.usage;
  PrintError(usage);
}

}  // namespace

int main(int argc, char** argv) {
  InitStartupDirectory();
  if (argc >= 2) {
    CliArguments args;
    for (int i = 2; i < argc; ++i) args.push_back(Windows1252FromUtf8(argv[i]));
    for (const Command& command : kCommands) {
      if (argv[1] == std::string_view(command.name)) return command.run(args);
    }
  }
  PrintUsage();
  return kUsageError;
}
