// relevix-cli speak-translator: speaks a text through the diphone
// translator, on the sound card or wherever RELEVIX_AUDIO sends it, and
// returns when it has been said.
#include <string>

#include "audio/wav_playback.h"
#include "driver/cli.h"
#include "platform/message_texts.h"
#include "platform/suite_settings.h"
#include "tts/translator.h"

namespace {

constexpr int kStartError = 2;

}  // namespace

int RunSpeakTranslatorCommand(CliArguments args) {
  std::string file, error;
  if (TakeOption(args, "--settings", file, error)) SetSuiteSettingsFile(file);
  const bool show = TakeFlag(args, "--show");
  if (!error.empty() || args.empty()) {
    if (!error.empty()) PrintError(error);
    PrintError(GetMessage("USOTRAD"));
    return kUsageError;
  }
  const int result = TranslatorStart();
  if (result != 0) {
    PrintError(GetMessageWith("VOZERINI", {std::to_string(result)}));
    PrintError(GetMessageWith("VOZBANCO", {"DIFONES2"}));
    return kStartError;
  }
  const std::string phonetic = TranslatorTranscribe(Joined(args));
  if (show) PrintOut(phonetic + "\n");
  TranslatorSpeak(phonetic, false);
  TranslatorClose();
  StopPlayback();
  return 0;
}
