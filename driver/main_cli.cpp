// relevix-cli: the program's jobs without the dialogue, for scripts, tests
// and checking a set-up.
#include <cstdio>
#include <string>

#include "driver/cli.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

void PrintUsage() {
  PrintError(
      "Uso: relevix-cli COMANDO [OP\xC7\xD5" "ES]\n"
      "  settings [--settings ARQUIVO]   mostra a configura\xE7\xE3o de impress\xE3o em uso\n"
      "  print [--settings ARQUIVO] [--device NOME] [--copies N] [--pages A-B] [--first-number N]\n"
      "        [--title TEXTO] ARQUIVO   imprime o arquivo em Braille\n"
      "  preview [--settings ARQUIVO] ARQUIVO   mostra as p\xE1ginas em Braille Unicode\n"
      "  transcribe [--old] [--english] TEXTO   mostra a transcri\xE7\xE3o Braille do texto");
}

}  // namespace

int main(int argc, char** argv) {
  InitStartupDirectory();
  if (argc < 2) {
    PrintUsage();
    return 64;
  }
  const std::string command = argv[1];
  CliArguments args;
  for (int i = 2; i < argc; ++i) args.push_back(Windows1252FromUtf8(argv[i]));

  if (command == "settings") return RunSettingsCommand(args);
  if (command == "print") return RunPrintCommand(args);
  if (command == "preview") return RunPreviewCommand(args);
  if (command == "transcribe") return RunTranscribeCommand(args);
  if (command == "teclado") return RunKeyboardCommand(args);
  if (command == "play") return RunPlayCommand(args);
  if (command == "speak-translator") return RunSpeakTranslatorCommand(args);
  if (command == "speak") return RunSpeakCommand(args);
  PrintUsage();
  return 64;
}
