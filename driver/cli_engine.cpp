// relevix-cli normalise, phonemes and speak-engine: the suite's own
// Portuguese engine, its text side and its voice, with the language data the
// settings name (section TAVELATTS; the installed files when the user has no
// settings).
#include <exception>
#include <string>
#include <vector>

#include "console/console.h"
#include "driver/cli.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "speech/speech_server.h"
#include "tts/abbreviations.h"
#include "tts/engine_language_data.h"
#include "tts/mbrola_lines.h"
#include "tts/portuguese_engine.h"
#include "tts/text_normalisation.h"

namespace {

constexpr int kDataError = 2;
constexpr int kLowestLevel = -10;
constexpr int kHighestLevel = 10;

// "--NAME N" with N from -10 to 10; 0 when absent. False with error set when
// the value is not such a number.
bool TakeLevel(CliArguments& args, const std::string& name, int& level, std::string& error) {
  std::string value;
  level = 0;
  if (!TakeOption(args, name, value, error)) return error.empty();
  std::size_t end = 0;
  try {
    level = std::stoi(value, &end);
  } catch (const std::exception&) {
    end = 0;
  }
  if (end == value.size() && !value.empty() && level >= kLowestLevel && level <= kHighestLevel) return true;
  error = GetMessageWith("CLIVALOR", {name, value});
  return false;
}

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
  int rate = 0, pitch = 0;
  const bool toFile = TakeOption(args, "--wav", wav, error);
  if (!error.empty() || !TakeLevel(args, "--rate", rate, error) || !TakeLevel(args, "--pitch", pitch, error)) {
    PrintError(error);
    PrintError(GetMessage("USOMOTOR"));
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
  SetOwnEngineRateAndPitch(rate, pitch);
  const bool spoken = TtsSpeak(Joined(args));
  while (TtsBusy()) Delay(20);
  TtsClose();
  if (!spoken) {
    PrintError(GetMessage("MBRNAOFA"));
    return 1;
  }
  return 0;
}
