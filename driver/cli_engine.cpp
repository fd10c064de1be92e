// relevix-cli normalise, phonemes and speak-engine: the suite's own
// Portuguese engine, its text side and its voice, with the language data the
// settings name (section TAVELATTS; the installed files when the user has no
// settings).
#include <string>
#include <vector>

#include "console/console.h"
#include "driver/cli.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "tts/abbreviations.h"
#include "tts/engine_language_data.h"
#include "tts/mbrola_lines.h"
#include "tts/portuguese_engine.h"
#include "tts/text_normalisation.h"

namespace {

constexpr int kDataError = 2;

// Takes --settings; false (usage shown) when the call is wrong.
bool TakeSettingsAndText(CliArguments& args, const char* usageKey) {
  std::string file, error;
  if (TakeOption(args, "--settings", file, error)) {
    SetSuiteSettingsFile(file);
  } else if (!FileExists(SuiteSettingsFile())) {
    SetSuiteSettingsFile(JoinPath(DataDirectory(), "SONARA.INI"));
  }
  if (error.empty() && !args.empty()) return true;
  if (!error.empty()) PrintError(error);
  PrintError(GetMessage(usageKey));
  return false;
}

}  // namespace

int RunNormaliseCommand(CliArguments args) {
  if (!TakeSettingsAndText(args, "USONORM")) return kUsageError;
  const EngineDataFiles files = ReadEngineDataFiles();
  if (!LoadAbbreviations(files.abbreviations)) {
    PrintError(GetMessage("TTSABREV") + ": " + DisplayPath(files.abbreviations));
    return kDataError;
  }
  PrintOut(NormaliseText(Joined(args)) + "\n");
  return 0;
}

int RunPhonemesCommand(CliArguments args) {
  if (!TakeSettingsAndText(args, "USOFONEM")) return kUsageError;
  std::string error;
  if (!LoadEngineLanguageData(ReadEngineDataFiles(), error)) {
    PrintError(error);
    return kDataError;
  }
  // As handed to MBROLA: empty lines are left out, except a last one.
  const std::vector<std::string> lines = MbrolaLinesOf(Joined(args), 1.0, 1.0);
  std::string output;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].empty() || i + 1 == lines.size()) output += lines[i] + "\n";
  }
  PrintOut(output);
  return 0;
}

int RunSpeakEngineCommand(CliArguments args) {
  std::string wav, error;
  const bool toFile = TakeOption(args, "--wav", wav, error);
  if (!error.empty()) {
    PrintError(error);
    return kUsageError;
  }
  if (!TakeSettingsAndText(args, "USOMOTOR")) return kUsageError;
  if (toFile) TtsSetOutputFile(wav);
  const EngineDataFiles files = ReadEngineDataFiles();
  if (!TtsStart(files.database, files.rules, files.exceptions, files.abbreviations, files.prosody, files.diphones)) {
    const std::string& reason = TtsLastError();
    PrintError(reason.empty() ? GetMessageWith("MBRSEMVZ", {files.database}) : reason);
    TtsClose();
    return kDataError;
  }
  const bool spoken = TtsSpeak(Joined(args));
  while (TtsBusy()) Delay(20);
  TtsClose();
  if (!spoken) {
    PrintError(GetMessage("MBRNAOFA"));
    return 1;
  }
  return 0;
}
