#include "speech/speechd_server.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "console/key_queue.h"
#include "platform/beep.h"
#include "speech/speech.h"
#include "speech/speech_server.h"
#include "speech/speech_state.h"
#include "speech/speech_test_support.h"
#include "speech/speechd_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

using speechd_testing::QuietWithin;

int gBeeps = 0;
void CountBeep() { ++gBeeps; }

class SpeechdServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gBeeps = 0;
    SetWarningBeepSound(CountBeep);
  }
  void TearDown() override {
    CloseSpeechServer();
    SetWarningBeepSound(nullptr);
  }
};

TEST_F(SpeechdServerTest, SpeaksAsynchronouslyWithTheChosenVoiceRateAndPitch) {
  START_PRIVATE_SPEECH_SERVICE(service);
  // Voice 2 of the program's numbering: the Brazilian voices come first.
  ASSERT_TRUE(StartSpeechServer(2, 3, -2, "", 5));
  const auto before = Clock::now();
  ServerSpeak("Ol\xE1, mundo");
  EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(500)) << "speaking does not wait";
  EXPECT_TRUE(ServerIsSpeaking(false));
  ASSERT_TRUE(QuietWithin(std::chrono::seconds(5)));
  // The text reaches the service in UTF-8; rate 3 and pitch -2 are 30 and
  // -20 of the service's -100..100.
  EXPECT_EQ(service.Transcribed(), (std::vector<std::string>{"Ol\xC3\xA1, mundo|30.00|-20.00|brasil2", "fim"}));
  CloseSpeechServer();

  // Type 54 is the same server. Voice 9 of three: the first voice, rate 0.
  ASSERT_TRUE(StartSpeechServer(9, 5, 0, "", 54));
  ServerSpeak("Sim");
  ASSERT_TRUE(QuietWithin(std::chrono::seconds(5)));
  EXPECT_EQ(service.Transcribed().at(2), "Sim|0.00|0.00|brasil1");
  EXPECT_EQ(gBeeps, 0);
}

TEST_F(SpeechdServerTest, StopSilencesAtOnceAndTheNextTextIsSpoken) {
  START_PRIVATE_SPEECH_SERVICE(service);
  ASSERT_TRUE(StartSpeechServer(1, 0, 0, "", 5));
  ServerSpeak("Um texto comprido");
  const auto end = Clock::now() + std::chrono::seconds(5);
  while (service.Transcribed().empty() && Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(service.Transcribed().size(), 1u) << "the module began the text";
  EXPECT_TRUE(ServerIsSpeaking(true));
  ServerStop();
  EXPECT_FALSE(ServerIsSpeaking(false));
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(service.Transcribed(), (std::vector<std::string>{"Um texto comprido|0.00|0.00|brasil1"}))
      << "the module was stopped before it finished";
  ServerSpeak("Outro");
  ASSERT_TRUE(QuietWithin(std::chrono::seconds(5)));
  EXPECT_EQ(service.Transcribed().back(), "fim");
}

TEST_F(SpeechdServerTest, TextsHandedOverTogetherAreSpokenInTurnAndWaitedForTogether) {
  START_PRIVATE_SPEECH_SERVICE(service);
  ASSERT_TRUE(StartSpeechServer(2, 0, 0, "", 5));
  ServerSpeak("Primeiro");
  ServerSpeak("");  // an empty text is sent as one blank
  ServerSpeak("Terceiro");
  const auto start = Clock::now();
  ASSERT_TRUE(QuietWithin(std::chrono::seconds(10)));
  // Each text takes the module a second: quiet only after the last one.
  EXPECT_GT(Clock::now() - start, std::chrono::milliseconds(2500));
  EXPECT_EQ(service.Transcribed(), (std::vector<std::string>{"Primeiro|0.00|0.00|brasil2", "fim",
                                                             " |0.00|0.00|brasil2", "fim",
                                                             "Terceiro|0.00|0.00|brasil2", "fim"}));
}

TEST_F(SpeechdServerTest, AServiceThatDiesLeavesNoWaitAndNoCrash) {
  START_PRIVATE_SPEECH_SERVICE(service);
  ASSERT_TRUE(StartSpeechServer(1, 0, 0, "", 5));
  ServerSpeak("Texto interrompido");
  EXPECT_TRUE(ServerIsSpeaking(false));
  service.Kill();
  EXPECT_TRUE(QuietWithin(std::chrono::seconds(2)));
  ServerSpeak("Depois");  // refused: a beep, no SIGPIPE
  EXPECT_EQ(gBeeps, 1);
  EXPECT_FALSE(ServerIsSpeaking(false));
  ServerStop();
}

TEST_F(SpeechdServerTest, NoServiceFailsToStartSilently) {
  testing_support::TempDir dir;
  testing_support::ScopedEnv address("SPEECHD_ADDRESS", ("unix_socket:" + dir.File("nenhum.sock")).c_str());
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(StartSpeechServer(1, 0, 0, "", 5));
  EXPECT_FALSE(StartSpeechServer(1, 0, 0, "", 54));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  // Nothing started: the operations do nothing.
  ServerSpeak("Nada");
  EXPECT_FALSE(ServerIsSpeaking(false));
  EXPECT_EQ(gBeeps, 0);
}

TEST_F(SpeechdServerTest, AServiceThatNeverAnswersIsGivenUpWithinSeconds) {
  // A socket that takes the connection and never says a word.
  testing_support::TempDir dir;
  const std::string path = dir.File("mudo.sock");
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(listener, 4), 0);
  testing_support::ScopedEnv silent("SPEECHD_ADDRESS", ("unix_socket:" + path).c_str());
  const auto start = Clock::now();
  EXPECT_FALSE(StartSpeechServer(1, 0, 0, "", 5));
  // About two seconds; far less than the for ever it was.
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(10));
  ServerSpeak("Nada");
  EXPECT_FALSE(ServerIsSpeaking(false));
  close(listener);
}

// The front end with the service as its speech server: texts handed over
// at once, and a key that stops the voice and stays queued.
using speech_testing::SpeechTest;

TEST_F(SpeechTest, WithTheServiceChosenAKeyStopsItsVoiceAtOnce) {
  START_PRIVATE_SPEECH_SERVICE(service);
  ResetSpeech();
  WriteSettings("SAPI=S\n[SERVFALA]\nTIPOSAPI=5\nVOZ=3\nVELOCIDADE=-4\nTOM=12\n");
  StartSpeech(0, "");
  ASSERT_TRUE(speech.serverActive);
  SpeakText("A impressora est\xE1 pronta.");
  EXPECT_TRUE(Heard().empty()) << "no letter sound nor translator";
  const auto end = Clock::now() + std::chrono::seconds(5);
  while (service.Transcribed().empty() && Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  // Voice 3 is the English one, after the two Brazilian voices; the pitch
  // beyond 10 is held at the service's top.
  ASSERT_EQ(service.Transcribed(),
            (std::vector<std::string>{"A impressora est\xC3\xA1 pronta.|-40.00|100.00|ingles"}));
  EXPECT_TRUE(IsSpeaking());
  QueueKey('x');
  EXPECT_FALSE(IsSpeaking());
  EXPECT_EQ(ReadKey(), 'x') << "the key stays for the program";
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(service.Transcribed().size(), 1u) << "stopped before its end";
  ShutdownSpeech();
  EXPECT_FALSE(speech.serverActive);
}

// A service that takes texts but never plays them (no sound device): the
// text is given up in seconds, not waited for for ever, and the translator
// says what comes next.
TEST_F(SpeechTest, AServiceThatNeverPlaysIsGivenUpForTheTranslator) {
  START_PRIVATE_SPEECH_SERVICE(service, "sleep 20");
  ResetSpeech();
  WriteSettings("SAPI=S\n[SERVFALA]\nTIPOSAPI=5\n");
  StartSpeech(0, "");
  ASSERT_TRUE(speech.serverActive);
  ForgetHeard();
  const auto start = Clock::now();
  SpeakText("Sim.");
  EXPECT_TRUE(IsSpeaking());
  WaitSpeechEnd();
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, std::chrono::seconds(4));
  EXPECT_LT(waited, std::chrono::seconds(10));
  EXPECT_TRUE(Heard().empty());
  SpeakText("Sim.");
  EXPECT_FALSE(Heard().empty()) << "the translator speaks instead";
  EXPECT_EQ(service.Transcribed().size(), 1u) << "nothing more handed to the silent service";
  ShutdownSpeech();
}

// The voice, rate and pitch the user chose for the whole desktop (here the
// service's defaults) hold for whatever section SERVFALA leaves out.
TEST_F(SpeechTest, WithTheServiceChosenWhatTheSettingsLeaveOutIsTheDesktopsOwn) {
  START_PRIVATE_SPEECH_SERVICE(service, "sleep 1", "DefaultRate 40\nDefaultPitch -30\nDefaultLanguage \"pt-BR\"\n"
                                        "DefaultVoiceType \"FEMALE1\"\n");
  struct Case {
    const char* settings;
    const char* transcribed;
  };
  const Case cases[] = {
      {"", "Bom dia|40.00|-30.00|brasil2"},
      {"TOM=5\n", "Bom dia|40.00|50.00|brasil2"},
      {"VELOCIDADE=-2\nTOM=\n", "Bom dia|-20.00|-30.00|brasil2"},
      // Last: the generic module keeps a voice once named for the texts after.
      {"VOZ=1\n", "Bom dia|40.00|-30.00|brasil1"},
      // A number that names no voice: the first voice at the normal rate.
      {"VOZ=9\n", "Bom dia|0.00|-30.00|brasil1"},
  };
  std::size_t lines = 0;
  for (const Case& c : cases) {
    ResetSpeech();
    WriteSettings(std::string("SAPI=S\n[SERVFALA]\nTIPOSAPI=5\n") + c.settings);
    StartSpeech(0, "");
    ASSERT_TRUE(speech.serverActive);
    SpeakText("Bom dia");
    WaitSpeechEnd();
    ShutdownSpeech();
    const std::vector<std::string> transcribed = service.Transcribed();
    ASSERT_EQ(transcribed.size(), lines + 2) << c.settings;
    EXPECT_EQ(transcribed[lines], c.transcribed) << c.settings;
    lines = transcribed.size();
  }
}

}  // namespace
