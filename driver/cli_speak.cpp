// relevix-cli speak: says a text through the speech front end exactly as the
// program does (numbers from recorded pieces, words through the translator,
// signs as letter sounds, pauses at punctuation), on the sound card or
// wherever RELEVIX_AUDIO sends it, and returns when it has been said.
#include <string>

#include "driver/cli.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "speech/speech.h"

int RunSpeakCommand(CliArguments args) {
  std::string file, error;
  if (TakeOption(args, "--settings", file, error)) {
    SetSuiteSettingsFile(file);
  } else if (!FileExists(SuiteSettingsFile())) {
    // No settings of the user's own: the installed defaults give the voice.
    SetSuiteSettingsFile(JoinPath(DataDirectory(), "SONARA.INI"));
  }
  if (!error.empty() || args.empty()) {
    if (!error.empty()) PrintError(error);
    PrintError(GetMessage("USOFALA"));
    return kUsageError;
  }
  // A voice that cannot start ends the command here, as it ends the program.
  if (StartSpeech(0, ReadSuiteSetting("RELEVIX", "DIRRELEVIX")) != 0) return kNoVoiceStatus;
  SpeakText(Joined(args));
  WaitSpeechEnd();
  ShutdownSpeech();
  return 0;
}
