// relevix-cli play: one WAV file through the audio output that RELEVIX_AUDIO
// chooses (the sound card, a log, or a WAV file), for checking sounds and
// the sound set-up.
#include <string>

#include "audio/wav_playback.h"
#include "catalogue/brmsg.h"
#include "driver/cli.h"
#include "platform/paths.h"

int RunPlayCommand(CliArguments args) {
  if (args.size() != 1) {
    PrintError(GetMessage("USOPLAY"));
    return kUsageError;
  }
  if (!FileExists(args[0])) {
    ShowMessageAbout("BRARQNAO", args[0]);
    return 1;
  }
  const int result = PlayWavFile(args[0]);
  StopPlayback();
  // The file is there, so it could be opened and is no WAV file.
  if (result == -1) {
    ShowMessageAbout("BRNAOWAV", args[0]);
    return 1;
  }
  if (result != 0) {
    PrintError(GetMessageWith("TOCANAO", {DisplayPath(args[0]), std::to_string(result)}));
    return 1;
  }
  return 0;
}
