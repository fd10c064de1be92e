#include <gtest/gtest.h>

#include "driver/brmsg.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "speech/speech_test_support.h"
#include "tts/translator_probe.h"

namespace {

using speech_testing::Delays;
using speech_testing::SpeechTest;
using Sounds = std::vector<std::string>;

TEST_F(SpeechTest, DigitsSignsAndWordsEachSoundTheirOwnWay) {
  struct Case {
    const char* text;
    Sounds heard;
    std::vector<long> memoryBytes;
  };
  const Case cases[] = {
      {"007", {"_zero", "_zero", "memory"}, {Joined({"_sete"})}},
      {"1234567", {"_49", "_50", "_51", "_52", "_53", "_54", "_55"}, {}},
      {"12-34", {"_49", "_50", "_45", "_51", "_52"}, {}},
      {"-5", {"_MENOS", "memory"}, {Joined({"_cinco"})}},
      // Four times the sign, then a click (256 samples) for each repeat.
      {"=======", {"_61", "_61", "_61", "_61", "memory", "memory", "memory"}, {256, 256, 256}},
  };
  for (const Case& c : cases) {
    ForgetHeard();
    SpeakText(c.text);
    EXPECT_EQ(Heard(), c.heard) << c.text;
    EXPECT_EQ(MemoryBytes(), c.memoryBytes) << c.text;
  }
  // Six digits are still one number; "www" is spelled, and a full stop
  // before a letter has no pause.
  ForgetHeard();
  SpeakText("123456");
  SpeakText("www.a");
  EXPECT_EQ(Heard(), (Sounds{"memory", "_119", "_119", "_119", "_46", "memory"}));
  EXPECT_TRUE(Delays().empty());
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
}

int unitsAsked = 0;

TEST_F(SpeechTest, APhraseLongerThanTheTranslatorTakesIsSaidWhole) {
  SetTranslatorUnitObserver([](std::string_view, bool) { ++unitsAsked; });
  SpeakText("casa");
  const int perWord = unitsAsked;
  unitsAsked = 0;
  std::string words;
  for (int i = 0; i < 300; ++i) words += "casa ";
  SpeakText(words);
  SetTranslatorUnitObserver(nullptr);
  EXPECT_GT(perWord, 0);
  EXPECT_EQ(unitsAsked, 300 * perWord);
}

TEST_F(SpeechTest, AQueuedKeyStopsSpeechAndStaysQueued) {
  QueueKey('x');
  SpeakText("Fim 123 =");
  EXPECT_TRUE(Heard().empty());
  EXPECT_FALSE(IsSpeaking());
  EXPECT_EQ(ReadKey(), 'x');
}

TEST_F(SpeechTest, AnEchoedKeyIsSpokenAndWrittenAndF8SaysTheTimeFirst) {
  testing_support::ConsoleCapture console;
  SetKeySource([] {
    static const int keys[] = {0, 66, 's'};
    static int next = 0;
    return keys[next++];
  });
  const EchoedKey read = ReadKeyEchoed();
  SetKeySource(nullptr);
  EXPECT_EQ(read.key, 's');
  EXPECT_EQ(read.code, 32);
  const Sounds heard = Heard();
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back(), "_115");
  EXPECT_TRUE(std::count(heard.begin(), heard.end(), "_hora") + std::count(heard.begin(), heard.end(), "_horas") == 1);
  EXPECT_EQ(console.Text(), "s");
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
  // ESC too ends the wait: it is all a console without a keyboard answers.
  SetKeySource([] { return 27; });
  EXPECT_EXIT(StartSpeech(0, ""), ::testing::ExitedWithCode(1),
              "Erro de inicializa\xC3\xA7\xC3\xA3o: 1\nBanco de dados de voz: NENHUMA\n");
  SetKeySource(nullptr);
}

}  // namespace
