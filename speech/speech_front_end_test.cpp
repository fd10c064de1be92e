#include <gtest/gtest.h>

#include "driver/brmsg.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "speech/speech_test_support.h"

namespace {

using speech_testing::Delays;
using speech_testing::SpeechTest;
using Sounds = std::vector<std::string>;

TEST_F(SpeechTest, DigitRunsAreNumbersUpToSixDigitsElseSpelled) {
  struct Case {
    const char* text;
    Sounds heard;
    std::vector<long> joined;
  };
  const Case cases[] = {
      {"007", {"_zero", "_zero", "memory"}, {Joined({"_sete"})}},
      {"1234567", {"_49", "_50", "_51", "_52", "_53", "_54", "_55"}, {}},
      {"12-34", {"_49", "_50", "_45", "_51", "_52"}, {}},
      {"-5", {"_MENOS", "memory"}, {Joined({"_cinco"})}},
  };
  for (const Case& c : cases) {
    ForgetHeard();
    SpeakText(c.text);
    EXPECT_EQ(Heard(), c.heard) << c.text;
    EXPECT_EQ(MemoryBytes(), c.joined) << c.text;
  }
  ForgetHeard();
  SpeakText("123456");
  EXPECT_EQ(Heard(), Sounds{"memory"}) << "one sound joined from pieces";
}

TEST_F(SpeechTest, WwwIsSpelledAndAFullStopBeforeALetterHasNoPause) {
  SpeakText("www.a");
  EXPECT_EQ(Heard(), (Sounds{"_119", "_119", "_119", "_46", "memory"}));
  EXPECT_TRUE(Delays().empty());
}

TEST_F(SpeechTest, ASignSaidFourTimesInARowThenClicks) {
  SpeakText("=======");
  EXPECT_EQ(Heard(), (Sounds{"_61", "_61", "_61", "_61", "memory", "memory", "memory"}));
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{256, 256, 256}));
}

TEST_F(SpeechTest, AFullStopBeforeABlankPausesAsTheSpeedSays) {
  ResetSpeech();
  WriteSettings("VELOCIDADE=2\n[SINTETIZADOR]\nPAUSAPONTO2=300\nPAUSAPONTO3=900");
  StartSpeech(0, "");
  SpeakText("Fim. Sim");
  EXPECT_EQ(Heard(), (Sounds{"memory", "_46", "memory"}));
  EXPECT_EQ(Delays(), std::vector<int>(6, 50));
}

TEST_F(SpeechTest, ASpeedOutsideOneToFiveIsThreeAndPicksThatSpeedsKeys) {
  ResetSpeech();
  WriteSettings("VELOCIDADE=9\n[SINTETIZADOR]\nCORTAFALA3=Sim\nRAPIDINHO3=nao\nPAUSAVIRG3=70\nPAUSAVIRG9=10");
  StartSpeech(0, "");
  EXPECT_EQ(speech.speed, 3);
  EXPECT_TRUE(playbackFlags.cut);
  EXPECT_FALSE(playbackFlags.fast);
  EXPECT_EQ(speech.settings.commaPause, 70);
  EXPECT_EQ(speech.settings.fullStopPause, 250) << "missing: the default";

  ResetSpeech();
  StartSpeech(5, "");
  EXPECT_EQ(speech.speed, 5);
  EXPECT_FALSE(playbackFlags.cut);
}

TEST_F(SpeechTest, AQueuedKeyStopsSpeechAndStaysQueued) {
  QueueKey('x');
  SpeakText("Fim 123 =");
  EXPECT_TRUE(Heard().empty());
  EXPECT_FALSE(IsSpeaking());
  EXPECT_EQ(ReadKey(), 'x');
}

TEST_F(SpeechTest, AMessageIsPlayedFromItsRecordingOrSpoken) {
  testing_support::ConsoleCapture console;
  ShowMessage("BRFIMTRA", 1);
  EXPECT_EQ(Heard(), Sounds{"memory"}) << "no recording: the translator says the text";
  WriteSound("BRFIMTRA", 500);
  ForgetHeard();
  ShowMessage("BRFIMTRA", 1);
  EXPECT_EQ(Heard(), Sounds{"BRFIMTRA"});
  EXPECT_EQ(console.Text(), "Fim de trabalho\nFim de trabalho\n");
}

TEST_F(SpeechTest, WithoutItsVoiceTheProgramEndsAfterSayingWhy) {
  ResetSpeech();
  testing_support::WriteFile(dir_.File("SONARA.INI"), "[SINTETIZADOR]\nDIFONES3=NENHUMA\n");
  SetKeySource([] { return 13; });
  EXPECT_EXIT(StartSpeech(0, ""), ::testing::ExitedWithCode(1),
              "Erro de inicializa\xC3\xA7\xC3\xA3o: 1\nBanco de dados de voz: NENHUMA\n");
  SetKeySource(nullptr);
}

}  // namespace
