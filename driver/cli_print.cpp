// relevix-cli print and transcribe: the print job without the dialogue, and
// the transcription of one text for checking the rules.
#include <cstdio>
#include <string>
#include <string_view>

#include <unistd.h>

#include "braille/braille_cells.h"
#include "braille/input_file.h"
#include "braille/print_settings.h"
#include "braille/transcription.h"
#include "catalogue/brmsg.h"
#include "driver/cli.h"
#include "driver/print_document.h"
#include "driver/print_volumes.h"
#include "formats/formatted_output.h"
#include "platform/suite_settings.h"
#include "platform/text_encoding.h"

namespace {

// Takes an integer option; false (with a message) when it is not a number.
bool TakeNumber(CliArguments& args, const std::string& name, int& target, std::string& error) {
  std::string value;
  if (!TakeOption(args, name, value, error)) return error.empty();
  if (!ParseSettingsInteger(value, target)) {
    error = GetMessageWith("CLIVALOR", {name, value});
    return false;
  }
  return true;
}

// Takes a count that cannot be negative.
bool TakeCount(CliArguments& args, const std::string& name, int& target, std::string& error) {
  int value = target;
  if (!TakeNumber(args, name, value, error)) return false;
  if (value < 0) {
    error = GetMessageWith("CLIVALOR", {name, std::to_string(value)});
    return false;
  }
  target = value;
  return true;
}

}  // namespace

bool TakeVolumeOptions(CliArguments& args, std::string& error) {
  return TakeCount(args, "--sheets-per-volume", printSettings.FOLHASPORVOLUME, error) &&
         TakeCount(args, "--volume", printSettings.BRVOLUME, error);
}

// "--pages A-B": the first and last page to emboss.
bool TakePageRange(CliArguments& args, std::string& error) {
  std::string value;
  if (!TakeOption(args, "--pages", value, error)) return error.empty();
  const std::size_t dash = value.find('-', 1);
  int first, last;
  if (dash == std::string::npos || !ParseSettingsInteger(value.substr(0, dash), first) ||
      !ParseSettingsInteger(value.substr(dash + 1), last)) {
    error = GetMessageWith("CLIPAGIN", {value});
    return false;
  }
  printSettings.BRPAGINI = first;
  printSettings.BRPAGFIN = last;
  return true;
}


int TakeSettings(CliArguments& args, std::string& error) {
  std::string file;
  if (TakeOption(args, "--settings", file, error)) SetSuiteSettingsFile(file);
  if (!error.empty()) return kUsageError;
  if (!ReadPrintSettingsAndCodeTable()) return kPrintDeviceFailed;
  WarnOfReplacedSettings();
  return 0;
}

int SettingsFailure(int status, std::string_view usageKey, const std::string& error) {
  return status == kUsageError ? CommandUsageError(usageKey, error) : status;
}

// The one text file argument left after the options.
bool TakeTextFile(CliArguments& args, std::string& name, std::string& error) {
  if (args.size() != 1 || args[0].starts_with("--")) {
    error = args.empty() ? GetMessage("CLISEMAR") : GetMessageWith("CLIARGUM", {args[0]});
    return false;
  }
  name = args[0];
  return true;
}

int CommandUsageError(std::string_view usageKey, const std::string& error) {
  if (!error.empty()) PrintError(error);
  PrintError(GetMessage(usageKey));
  return kUsageError;
}

int RunPrintCommand(CliArguments args) {
  constexpr std::string_view usageKey = "USOPRINT";
  std::string error, device, title, textFile;
  if (const int status = TakeSettings(args, error); status != 0) return SettingsFailure(status, usageKey, error);
  const bool hasDevice = TakeOption(args, "--device", device, error);
  if (!error.empty()) return CommandUsageError(usageKey, error);
  std::string format;
  OutputFormat parsed;
  if (TakeOption(args, "--format", format, error) && !ParseOutputFormat(format, parsed)) {
    error = GetMessageWith("FMTDESC", {format});
  }
  if (!error.empty()) return CommandUsageError(usageKey, error);
  if (!format.empty()) printSettings.FORMATO = format;
  const bool hasTitle = TakeOption(args, "--title", title, error);
  if (!error.empty() || !TakeNumber(args, "--copies", printSettings.BRNCOP, error) ||
      !TakeNumber(args, "--first-number", printSettings.BRNUMINI, error) || !TakePageRange(args, error) ||
      !TakeVolumeOptions(args, error) || !TakeTextFile(args, textFile, error)) {
    return CommandUsageError(usageKey, error);
  }
  if (hasDevice) printSettings.DISPSAIDA = device;
  // As long as the dialogue's answer may be.
  if (hasTitle) printSettings.BRTIT = title.substr(0, static_cast<std::size_t>(FindPrintSetting("BRTIT")->limit));

  if (!InputFileFound(textFile)) {
    ShowMessageAbout("BRARQNAO", textFile);
    ShowMessage("BRIMPCAN", 1);
    return kPrintInputMissing;
  }
  // Between volumes to a port, paper is asked for only from someone at the
  // terminal.
  askBetweenVolumes = isatty(STDIN_FILENO) != 0;
  return PrintDocument(textFile);
}

int RunTranscribeCommand(CliArguments args) {
  constexpr std::string_view usageKey = "USOTRANS";
  bool oldRules = false, english = false;
  std::string text;
  bool haveText = false;
  for (const std::string& arg : args) {
    if (arg == "--old") {
      oldRules = true;
    } else if (arg == "--english") {
      english = true;
    } else if (!haveText) {
      text = arg;
      haveText = true;
    } else {
      return CommandUsageError(usageKey, GetMessageWith("CLIARGUM", {arg}));
    }
  }
  if (!haveText) return CommandUsageError(usageKey, GetMessage("CLISEMTX"));
  TranscriptionState state;
  const std::string internal = Transcribe(text, english, oldRules, state);
  PrintOut(internal + "\n");
  const std::string cells = UnicodeBrailleFromInternal(internal, oldRules);
  std::fwrite(cells.data(), 1, cells.size(), stdout);
  std::fputc('\n', stdout);
  return 0;
}
