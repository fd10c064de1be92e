// relevix-cli play: one WAV file through the audio output that RELEVIX_AUDIO
// chooses (the sound card, a log, or a WAV file), for checking sounds and
// the sound set-up.
#include <string>

#include "audio/wav_playback.h"
#include "driver/cli.h"

int RunPlayCommand(CliArguments args) {
  if (args.size() != 1) {
    PrintError("Uso: relevix-cli play ARQUIVO.wav");
    return kUsageError;
  }
  const int result = PlayWavFile(args[0]);
  StopPlayback();
  if (result != 0) {
    PrintError("N\xE3o foi poss\xEDvel tocar " + DisplayPath(args[0]) +
               " (c\xF3"
               "digo " +
               std::to_string(result) + ")");
    return 1;
  }
  return 0;
}
