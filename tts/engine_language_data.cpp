#include "tts/engine_language_data.h"

#include "platform/message_texts.h"
#include "platform/suite_settings.h"
#include "tts/abbreviations.h"
#include "tts/diphone_list.h"
#include "tts/letter_to_sound_rules.h"
#include "tts/pronunciation_exceptions.h"
#include "tts/prosody_tables.h"

namespace {

std::string SettingOr(const char* key, const char* fallback) {
  const std::string value = ReadSuiteSetting("TAVELATTS", key);
  return value.empty() ? fallback : value;
}

}  // namespace

EngineDataFiles ReadEngineDataFiles() {
  // The installed data stands where the suite kept the engine's files.
  std::string directory = SettingOr("DIR", "\\sonarw\\tavelatts\\");
  if (directory.back() != '\\' && directory.back() != '/') directory += '\\';
  const std::string base = directory + SettingOr("BASE", "portug");
  return {SettingOr("MBROLA_DB", "br4"), base + ".nrl", base + ".exc", base + ".abr", base + ".pro", base + ".dfn"};
}

bool LoadEngineLanguageData(const EngineDataFiles& files, std::string& error) {
  FreeRules();
  FreeDiphoneList();
  if (!LoadRules(files.rules) || !LoadExceptions(files.exceptions)) {
    error = GetMessage("TTSBASE");
    return false;
  }
  if (!LoadAbbreviations(files.abbreviations)) {
    error = GetMessage("TTSABREV");
    return false;
  }
  if (!LoadProsody(files.prosody) || !LoadDiphoneList(files.diphones)) {
    error = GetMessage("TTSPROSO");
    return false;
  }
  return true;
}
