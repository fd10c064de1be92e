// Start and close of the translator, its settings, and the program-wide
// record.
#include <filesystem>

#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "platform/whole_file.h"
#include "tts/translator.h"
#include "tts/translator_probe.h"
#include "tts/translator_rules.h"
#include "tts/translator_state.h"

TranslatorState translator;

namespace {

constexpr std::size_t kMaxFolderChars = 80;
constexpr std::size_t kMaxDatabaseNameChars = 8;

enum StartResult { kStarted = 0, kNoUnitFiles = 1, kNoRules = 2 };

// A folder of section TRADUTOR, its default when absent, with a separator
// at its end.
std::string FolderSetting(std::string_view key, std::string_view defaultFolder) {
  std::string folder = ReadWindowsDirectorySetting("TRADUTOR", key).substr(0, kMaxFolderChars);
  if (folder.empty()) folder = defaultFolder;
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

bool IsFolder(const std::string& folder) {
  std::error_code error;
  return std::filesystem::is_directory(LinuxPath(folder), error);
}

int LoadUnitFiles(const std::string& diphoneFolder) {
  std::string indexBytes;
  if (!ReadWholeFile(LinuxPath(diphoneFolder + translator.databaseName + ".IND"), indexBytes)) return kNoUnitFiles;
  translator.index = ParseDiphoneIndex(indexBytes);
  translator.samples = std::fopen(LinuxPath(diphoneFolder + translator.databaseName + ".DIF").c_str(), "rb");
  return translator.samples != nullptr ? kStarted : kNoUnitFiles;
}

int Start() {
  translator.lettersFolder = FolderSetting("dirLetras", "c:\\sonarw\\som\\letras");
  if (!IsFolder(translator.lettersFolder)) return kNoUnitFiles;
  const std::string diphoneFolder = FolderSetting("DIRDIFONES", "c:\\sonarw\\som\\difones");
  if (!IsFolder(diphoneFolder)) return kNoUnitFiles;
  if (LoadUnitFiles(diphoneFolder) != kStarted) return kNoUnitFiles;
  if (!LoadTranslatorRules(LinuxPath(diphoneFolder + "regras.rgr"), translator.rules) ||
      !LoadTranslatorExceptions(LinuxPath(diphoneFolder + "portug.exc"), translator.exceptions)) {
    return kNoRules;
  }
  translator.buffer.assign(kOutputBufferSize, '\0');
  translator.writePosition = kWavHeaderSize;
  return kStarted;
}

}  // namespace

int TranslatorStart() {
  TranslatorClose();
  const int result = Start();
  // A failed start keeps nothing open: the caller may simply give up.
  if (result != kStarted) TranslatorClose();
  return result;
}

void TranslatorClose() {
  std::string().swap(translator.buffer);
  for (auto& bucket : translator.rules) bucket.clear();
  translator.exceptions.clear();
  translator.index.clear();
  if (translator.samples != nullptr) std::fclose(translator.samples);
  translator.samples = nullptr;
}

void TranslatorSetTiming(int trimAmount, int minimumUnitLength, int wordGap) {
  translator.trimAmount = std::max(0, trimAmount);
  translator.minimumUnitLength = std::max(0, minimumUnitLength);
  translator.wordGap = std::max(0, wordGap);
}

void TranslatorSetDatabaseName(std::string_view baseName) {
  // No name at all would name no files and leave the program speechless:
  // it means the usual database.
  translator.databaseName = baseName.empty() ? TranslatorState{}.databaseName
                                             : std::string(baseName.substr(0, kMaxDatabaseNameChars));
}

void SetTranslatorImageSink(TranslatorImageSink sink) { translator.imageSink = sink; }

void SetTranslatorUnitObserver(TranslatorUnitObserver observer) { translator.unitObserver = observer; }

void ResetTranslator() {
  TranslatorClose();
  translator = TranslatorState{};
}
