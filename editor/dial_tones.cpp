#include "editor/dial_tones.h"

#include <string>

#include "audio/wav_playback.h"
#include "console/console.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

void PlayDialTones(std::string_view text) {
  if (!speech.started) return;
  // The tones must keep their pitch.
  const bool fast = playbackFlags.fast;
  playbackFlags.fast = false;
  for (const char c : text) {
    const char upper = static_cast<char>(UpperWindows1252(static_cast<unsigned char>(c)));
    if (upper == ',') {
      Delay(1000);
    } else if (upper == '#' || upper == '*' || (upper >= '0' && upper <= '9')) {
      PlayWavFile(speech.lettersDirectory + "dtmf_" + (upper == '*' ? 'X' : upper) + ".wav");
      WaitSpeechEnd();
      Delay(100);
    }
  }
  playbackFlags.fast = fast;
}
