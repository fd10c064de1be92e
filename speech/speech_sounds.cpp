// Recorded sounds and sounds built in memory, the wait for speech to end,
// and the stop that every key brings.
#include <random>
#include <string>

#include "audio/wav_playback.h"
#include "braille_display/braille_display.h"
#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "speech/speech.h"
#include "speech/speech_server.h"
#include "speech/speech_state.h"

namespace {

constexpr int kRate = 11025;
constexpr int kPollMilliseconds = 10;
constexpr int kServerType3 = 3;  // the own engine, which is stopped even when silent

void PlaySoundFile(const std::string& path) {
  if (!speech.started || speech.silent) return;
  FinishPendingSpeech();
  // A missing file is silent; HasMessageSound lets callers choose speech.
  PlayWavFile(path);
}

std::string MessageSoundPath(std::string_view key) {
  const bool piece = !key.empty() && key.front() == '_';
  return (piece ? speech.lettersDirectory : speech.messagesDirectory) + std::string(key) + ".wav";
}

// 64 random samples from 128 to 187, then 192 of silence.
const std::string& ClickImage() {
  static const std::string image = [] {
    std::minstd_rand random;
    std::uniform_int_distribution<int> level(128, 187);
    std::string samples(256, static_cast<char>(128));
    for (int i = 0; i < 64; ++i) samples[static_cast<std::size_t>(i)] = static_cast<char>(level(random));
    return MakeWavImage(samples, kRate, 1, 8);
  }();
  return image;
}

// A falling and rising triangle, 512 samples, ending on silence.
const std::string& BeepImage() {
  static const std::string image = [] {
    constexpr unsigned char kShape[] = {128, 112, 96, 80, 64, 80, 96, 112};
    std::string samples;
    for (int i = 0; i < 512; ++i) samples += static_cast<char>(kShape[i % 8]);
    samples.back() = static_cast<char>(128);
    return MakeWavImage(samples, kRate, 1, 8);
  }();
  return image;
}

}  // namespace

void PlayLetterSound(unsigned char character) {
  PlaySoundFile(speech.lettersDirectory + "_" + std::to_string(character) + ".wav");
}

bool HasMessageSound(std::string_view key) { return FileExists(MessageSoundPath(key)); }

void PlayMessageSound(std::string_view key) { PlaySoundFile(MessageSoundPath(key)); }

bool IsSpeaking() {
  if (KeyPressed()) {
    StopSpeech();
    return false;
  }
  return IsPlaying() || (speech.serverActive && ServerIsSpeaking(false));
}

void WaitSpeechEnd() {
  while (IsSpeaking()) WaitForMessages(kPollMilliseconds);
}

void FinishPendingSpeech() {
  if (!speech.pending) return;
  WaitSpeechEnd();
  speech.pending = false;
}

void StopSpeech() {
  StopPlayback();
  speech.stopRequested = true;
  if (speech.serverActive && (ServerIsSpeaking(false) || speech.serverType == kServerType3)) ServerStop();
  PostWakeUp();
}

void PlayWavImageAndWait(std::string_view image) {
  if (!speech.started || speech.silent) return;
  FinishPendingSpeech();
  PlayWavImage(image);
  WaitSpeechEnd();
}

void PlayClick() {
  // Cutting pitch periods would only shorten the click.
  const bool cut = playbackFlags.cut;
  playbackFlags.cut = false;
  PlayWavImageAndWait(ClickImage());
  playbackFlags.cut = cut;
}

void PlayBeep() {
  ShowSoundOnBrailleDisplay(GetMessage("BRLBIP"));
  FinishPendingSpeech();
  while (KeyPressed()) ReadKey();
  PlayWavImageAndWait(BeepImage());
}
