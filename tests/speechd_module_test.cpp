// The own engine as a voice of speech-dispatcher: a private service with the
// generic module configured by the build's relevix.conf speaks texts through
// relevix-cli speak-engine, whose sound is recorded into a WAV file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/wav_format.h"
#include "speech/speech_server.h"
#include "speech/speechd_test_support.h"
#include "tests/support/test_support.h"

namespace {

using speechd_testing::QuietWithin;

struct Recorded {
  double seconds = -1;
  int samplesPerSecond = 0;
};

// Speaks the text through the service at the rate (-10..10) and reads back
// what the module's relevix-cli recorded.
Recorded SpokenThroughTheService(const std::string& recording, int rate, const char* text) {
  std::remove(recording.c_str());
  if (!StartSpeechServer(1, rate, 0, "", 5)) return {};
  ServerSpeak(text);
  EXPECT_TRUE(QuietWithin(std::chrono::seconds(60)));
  CloseSpeechServer();
  WavFormat format;
  std::string_view samples;
  const std::string image = testing_support::ReadFile(recording);
  if (!FindWavImageSamples(image, format, samples)) return {};
  const int frameBytes = format.channels * format.bitsPerSample / 8;
  return {static_cast<double>(samples.size()) / frameBytes / format.samplesPerSecond, format.samplesPerSecond};
}

TEST(SpeechdModule, TheServiceSpeaksThroughTheOwnEngineAtItsRate) {
  if (!std::filesystem::exists("/usr/share/mbrola/br4/br4")) GTEST_SKIP() << "no MBROLA voice br4 installed";
  testing_support::TempDir dir;
  const std::string recording = dir.File("fala.wav");
  // The module's relevix-cli inherits the service's environment.
  testing_support::ScopedEnv audio("RELEVIX_AUDIO", ("wav:" + recording).c_str());
  START_PRIVATE_SPEECH_SERVICE(service, "sleep 1", "AddModule \"relevix\" \"sd_generic\" \"" RELEVIX_SPEECHD_MODULE
                                        "\"\nDefaultModule relevix\n");
  const char* text = "Bom dia. A impressora est\xE1 pronta para o trabalho.";
  const Recorded normal = SpokenThroughTheService(recording, 0, text);
  ASSERT_GT(normal.seconds, 1.0) << "spoken by the engine into " << recording;
  EXPECT_EQ(normal.samplesPerSecond, 16000) << "the MBROLA voice's rate";
  EXPECT_LT(normal.seconds, 10.0);
  // The service's rate reaches the engine: slower is longer, faster shorter.
  const Recorded slow = SpokenThroughTheService(recording, -10, text);
  const Recorded fast = SpokenThroughTheService(recording, 6, text);
  EXPECT_GT(slow.seconds, normal.seconds * 1.3);
  EXPECT_LT(fast.seconds, normal.seconds * 0.8);
  EXPECT_GT(fast.seconds, 0.3);
  // A quote in the text reaches the engine whole, not through the shell.
  const Recorded quoted = SpokenThroughTheService(recording, 0, "Caixa d'\xE1gua; $HOME `ls`");
  EXPECT_GT(quoted.seconds, 1.0);
}

}  // namespace
