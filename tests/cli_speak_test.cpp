// relevix-cli speak with a speech server switched on: eSpeak NG into the WAV
// output, speech-dispatcher on a private socket, and the fall-back to the
// diphone voice when the chosen server cannot start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/wav_format.h"
#include "speech/speechd_test_support.h"
#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;

class CliSpeakTest : public ::testing::Test {
 protected:
  // Speaks text with the server settings given (lines of section SERVFALA)
  // and SAPI on; the sound goes into fala.wav.
  CliResult Speak(const std::string& servfala, const std::string& text, const std::string& environment = "") {
    testing_support::WriteFile(work.File("fala.ini"), "[TRADUTOR]\nSAPI=S\n[SERVFALA]\n" + servfala);
    return RunCli(work.path(), "SONARA_WINDIR='" + work.path() + "' RELEVIX_AUDIO='wav:" + work.File("fala.wav") +
                                   "' " + environment,
                  "speak --settings fala.ini '" + text + "'");
  }

  // The recorded sound's rate, and its length in seconds.
  WavFormat Recorded(double& seconds) {
    WavFormat format{};
    std::string_view samples;
    const std::string image = testing_support::ReadFile(work.File("fala.wav"));
    seconds = FindWavImageSamples(image, format, samples) && format.samplesPerSecond > 0
                  ? static_cast<double>(samples.size()) / (format.channels * format.bitsPerSample / 8) / format.samplesPerSecond
                  : -1;
    return format;
  }

  TempDir work;
};

TEST_F(CliSpeakTest, ESpeakNgSpeaksTheWholeSentence) {
  const CliResult result = Speak("TIPOSAPI=4\nVOZ=1\n", "Bom dia, o arquivo foi impresso.");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "");
  double seconds = 0;
  // eSpeak NG's 22050 samples a second, not the diphone voice's 11025.
  EXPECT_EQ(Recorded(seconds).samplesPerSecond, 22050);
  EXPECT_GT(seconds, 1.0);
  EXPECT_LT(seconds, 4.0);
}

TEST_F(CliSpeakTest, SpeechDispatcherSpeaksTheWholeSentence) {
  START_PRIVATE_SPEECH_SERVICE(service);
  const CliResult result = Speak("TIPOSAPI=5\nVOZ=1\nVELOCIDADE=2\n", "Ol\xC3\xA1, bom dia.",
                                 std::string("SPEECHD_ADDRESS='") + std::getenv("SPEECHD_ADDRESS") + "'");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "");
  // The command returns when the service has spoken the text.
  EXPECT_EQ(service.Transcribed(), (std::vector<std::string>{"Ol\xC3\xA1, bom dia.|20.00|0.00|brasil1", "fim"}));
}

TEST_F(CliSpeakTest, AServerThatCannotStartLeavesTheDiphoneVoiceSpeakingSilently) {
  const CliResult result =
      Speak("TIPOSAPI=5\n", "Bom dia.", "SPEECHD_ADDRESS='unix_socket:" + work.File("nenhum.sock") + "'");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "") << "nothing printed on the terminal";
  double seconds = 0;
  EXPECT_EQ(Recorded(seconds).samplesPerSecond, 11025);
  EXPECT_GT(seconds, 0.3);
}

TEST_F(CliSpeakTest, TheOwnEngineSpeaksThroughMbrolaOrFallsBackSilently) {
  // Without the synthesizer: the diphone voice, and nothing on the terminal.
  const CliResult fallBack = Speak("TIPOSAPI=3\n", "Bom dia.", "RELEVIX_MBROLA=/nao/ha/mbrola");
  EXPECT_EQ(fallBack.status, 0);
  EXPECT_EQ(fallBack.output, "");
  double seconds = 0;
  EXPECT_EQ(Recorded(seconds).samplesPerSecond, 11025);

  if (access("/usr/share/mbrola/br4/br4", R_OK) != 0) GTEST_SKIP() << "mbrola and its br4 voice are not installed";
  // The installed settings name the engine's data: with them, MBROLA's 16 kHz.
  const CliResult engine = Speak("TIPOSAPI=3\nVELOCIDADE=0\n[TAVELATTS]\nMBROLA_DB=br4\n", "Bom dia, o arquivo foi impresso.");
  EXPECT_EQ(engine.status, 0);
  EXPECT_EQ(engine.output, "");
  EXPECT_EQ(Recorded(seconds).samplesPerSecond, 16000);
  EXPECT_GT(seconds, 1.0);
  EXPECT_LT(seconds, 5.0);

  // speak-engine drives the engine alone, into its own WAV file.
  const CliResult direct = RunCli(work.path(), "SONARA_WINDIR='" + work.path() + "'",
                                  "speak-engine --wav direto.wav 'Bom dia.'");
  EXPECT_EQ(direct.status, 0) << direct.output;
  const std::string wav = testing_support::ReadFile(work.File("direto.wav"));
  WavFormat format{};
  std::string_view samples;
  ASSERT_TRUE(FindWavImageSamples(wav, format, samples));
  EXPECT_EQ(format.samplesPerSecond, 16000);
  EXPECT_GT(samples.size(), 16000u);  // more than half a second of 16 kHz samples
}

}  // namespace
