// relevix-cli settings: shows the settings file in use and every print
// setting as the program would use it, then loads the code table.
#include <cstdio>

#include "braille/code_table.h"
#include "braille/print_settings.h"
#include "console/console.h"
#include "driver/cli.h"
#include "driver/print_document.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"

namespace {

std::string YesNo(bool on) { return on ? "S" : "N"; }

void PrintSetting(const std::string& key, const std::string& value) { PrintOut(key + "=" + value + "\n"); }

// A number, with what was written beside it when that made no sense.
void PrintSetting(const std::string& key, int value) {
  std::string shown = std::to_string(value);
  for (const ReplacedSetting& replaced : replacedSettings) {
    if (replaced.key == key) shown += GetMessageWith("CONFESCR", {replaced.written});
  }
  PrintSetting(key, shown);
}

void PrintAllSettings() {
  const PrintSettings& s = printSettings;
  for (const PrintSettingRow& row : PrintSettingRows()) {
    const std::string key(row.key);
    if (row.kind == SettingKind::kTable) {
      PrintSetting(key, DisplayPath(s.*row.text));
    } else if (row.text != nullptr) {
      PrintSetting(key, s.*row.text);
    } else if (row.number != nullptr) {
      PrintSetting(key, s.*row.number);
    } else {
      PrintSetting(key, YesNo(s.*row.yesNo));
    }
  }
}

}  // namespace

int RunSettingsCommand(CliArguments args) {
  std::string file, error;
  if (TakeOption(args, "--settings", file, error)) SetSuiteSettingsFile(file);
  if (!error.empty() || !args.empty()) {
    PrintError(error.empty() ? GetMessage("USOCONFI") : error);
    return kUsageError;
  }

  const std::string settingsFile = SuiteSettingsFile();
  if (FileExists(settingsFile)) {
    PrintOut(GetMessageWith("CONFARQ", {DisplayPath(settingsFile)}) + "\n");
  } else {
    const std::string usual = DisplayPath(JoinPath(SettingsDirectory(), "SONARA.INI"));
    PrintOut(GetMessageWith("CONFNENH", {usual, DisplayPath(settingsFile)}) + "\n");
  }

  printSettings = ReadPrintSettings(replacedSettings);
  PrintAllSettings();

  PrintOut(GetMessageWith("CONFTAB", {DisplayPath(CodeTablePath(printSettings))}) + "\n");
  std::fflush(stdout);
  // The loader's own messages (a bad line, a missing file) come in order
  // with the rest of the report.
  SetConsoleStream(stdout);
  const CodeTableLoad load = LoadPrintCodeTable();
  if (!load.opened) return kPrintDeviceFailed;
  PrintOut(GetMessage(load.Whole() ? "TABINTEI" : "TABPARTE") + "\n");
  return 0;
}
