#include <cstdio>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/wav_playback.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"
#include "platform/wav_format.h"
#include "speech/speech_server.h"
#include "speech/speech_test_support.h"
#include "tests/support/test_support.h"

namespace {

// Speaks text through the server of the given type into a WAV file and
// returns the seconds of sound recorded (-1 when no WAV came out).
double SecondsSpoken(const testing_support::TempDir& dir, int type, const char* text, bool keyFirst) {
  const std::string path = dir.File("fala.wav");
  std::remove(path.c_str());  // the WAV output appends to an existing file
  ResetWavPlayback();
  ClearKeyQueue();
  ChooseAudioOutput("wav:" + path);
  if (!StartSpeechServer(1, 0, 0, "", type)) return -2;
  if (keyFirst) QueueKey(' ');
  ServerSpeak(text);
  for (int i = 0; i < 1000 && ServerIsSpeaking(false); ++i) {
  }
  CloseSpeechServer();
  ChooseAudioOutput("null:/dev/null");
  ClearKeyQueue();
  WavFormat format;
  std::string_view samples;
  const std::string image = testing_support::ReadFile(path);
  if (!FindWavImageSamples(image, format, samples)) return -1;
  EXPECT_EQ(format.bitsPerSample, 16);
  EXPECT_EQ(format.channels, 1);
  return static_cast<double>(samples.size()) / 2 / format.samplesPerSecond;
}

TEST(EspeakServerTest, SpeaksPortugueseIntoTheAudioOutput) {
  testing_support::TempDir dir;
  // A short sentence at the normal rate lasts between one and four seconds.
  const double sentence = SecondsSpoken(dir, 4, "Bom dia, o arquivo foi impresso.", false);
  EXPECT_GT(sentence, 1.0);
  EXPECT_LT(sentence, 4.0);
  // Any type other than the own engine and the system service is eSpeak NG.
  EXPECT_GT(SecondsSpoken(dir, 7, "Um, dois, tr\xEAs.", false), 0.5);
  // A single digit is read as a number; a blank text and a queued key say nothing.
  EXPECT_GT(SecondsSpoken(dir, 4, "7", false), 0.2);
  EXPECT_LE(SecondsSpoken(dir, 4, "   ", false), 0.0);
  EXPECT_LE(SecondsSpoken(dir, 4, "Bom dia.", true), 0.0);
}

TEST(EspeakServerTest, ALongTextIsPlayedAsItIsSynthesizedAndAKeyEndsTheSynthesis) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "O programa abre o arquivo de texto e divide as linhas em p\xE1ginas de Braille. ";
  std::vector<int> lengths;
  std::string kept;
  ResetWavPlayback();
  ClearKeyQueue();
  // Once the first buffer has come, a key is pressed.
  UseAudioOutput(std::make_unique<speech_testing::KeptOutput>(&kept, [&lengths](int length) {
    lengths.push_back(length);
    if (lengths.size() == 1) QueueKey(' ');
  }));
  ASSERT_TRUE(StartSpeechServer(1, 0, 0, "", 4));
  ServerSpeak(text);
  EXPECT_FALSE(ServerIsSpeaking(false));
  CloseSpeechServer();
  ChooseAudioOutput("null:/dev/null");
  ClearKeyQueue();
  // The text lasts minutes; its first piece, a fraction of a second of
  // 16-bit samples at 22050 Hz, went out before the rest was synthesized,
  // and the key ended the synthesis there.
  ASSERT_FALSE(lengths.empty());
  EXPECT_LT(lengths.front(), 22050);
  EXPECT_LE(lengths.size(), 2u);
}

TEST(EspeakServerTest, TheOwnEngineWithoutItsSynthesizerFailsToStart) {
  testing_support::ScopedEnv missing("RELEVIX_MBROLA", "/nao/ha/mbrola");
  EXPECT_FALSE(StartSpeechServer(1, 0, 0, "", 3));
}

}  // namespace
