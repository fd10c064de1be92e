#include <gtest/gtest.h>

#include <memory>

#include "speech/speech.h"
#include "speech/speech_state.h"
#include "speech/speech_test_support.h"
#include "tts/translator_probe.h"

namespace {

using speech_testing::Delays;
using speech_testing::SpeechTest;
using Sounds = std::vector<std::string>;

TEST_F(SpeechTest, DigitsSignsAndWordsEachSoundTheirOwnWay) {
  ExpectSaidWithPieces({
      {"007", {"_zero", "_zero", "memory"}, {Joined({"_sete"})}},
      {"1234567", {"_49", "_50", "_51", "_52", "_53", "_54", "_55"}, {}},
      {"12-34", {"_49", "_50", "_45", "_51", "_52"}, {}},
      {"-5", {"_MENOS", "memory"}, {Joined({"_cinco"})}},
      // Four times the sign, then a click (256 samples) for each repeat.
      {"=======", {"_61", "_61", "_61", "_61", "memory", "memory", "memory"}, {256, 256, 256}},
  });
  // Six digits are still one number; "www" is spelled, and a full stop
  // before a letter has no pause.
  ForgetHeard();
  SpeakText("123456");
  SpeakText("www.a");
  EXPECT_EQ(Heard(), (Sounds{"memory", "_119", "_119", "_119", "_46", "memory"}));
  EXPECT_TRUE(Delays().empty());
}

TEST_F(SpeechTest, AHyphenBetweenLettersJoinsTheWordsElseItIsASign) {
  ExpectSaidWithPauses({
      // The hyphen is dropped: the second word goes on as a phrase.
      {"guarda-chuva", {"memory", "memory"}, 0},
      // Before a blank it pauses like a comma (150 ms: three steps of 50).
      {"guarda- chuva", {"memory", "_45", "memory"}, 3},
      // After a word and before a digit it is a minus sign.
      {"a-1", {"memory", "_MENOS", "memory"}, 0},
      // Before a letter but not after one it is said as itself.
      {"-x", {"_45", "memory"}, 0},
      // Before another hyphen: the sign with no pause; the last, at the end
      // of the text, is followed by the blank appended to it.
      {"--", {"_45", "_45"}, 3},
  });
}

TEST_F(SpeechTest, TypographicMarksPauseOrSayNothingInsteadOfSoundingAsLetters) {
  ExpectSaidWithPauses({
      // A dialogue dash pauses as a comma (150 ms), an en dash too.
      {"\x97 Sim", {"memory"}, 3},
      {"a \x96 b", {"memory", "memory"}, 3},
      // Quotation marks say nothing.
      {"\x93Sim\x94", {"memory"}, 0},
      {"\xABN\xE3o\xBB", {"memory"}, 0},
      // The ellipsis pauses as a full stop (250 ms).
      {"Sim\x85", {"memory"}, 5},
  });
}

TEST_F(SpeechTest, PunctuationIsSaidAndPausesAsItsKindAndTheNextCharacterSay) {
  ExpectSaidWithPauses({
      // Brackets, colon and semicolon always pause (200 ms by default).
      {"a(b", {"memory", "_40", "memory"}, 4},
      {"a)b", {"memory", "_41", "memory"}, 4},
      {"a:b", {"memory", "_58", "memory"}, 4},
      {"a;b", {"memory", "_59", "memory"}, 4},
      // Comma and full stop pause only before a blank (150 and 250 ms).
      {"1,5", {"memory", "_44", "memory"}, 0},
      {"a, b", {"memory", "_44", "memory"}, 3},
      {"a. b", {"memory", "_46", "memory"}, 5},
      // The blank appended to the text follows a full stop at its end.
      {"Fim.", {"memory", "_46"}, 5},
      // Other signs are said without a pause; a tab says nothing.
      {"a+b", {"memory", "_43", "memory"}, 0},
      {"a\tb", {"memory", "memory"}, 0},
      // In "://" the colon is only spelled, without its pause.
      {"http://x", {"memory", "_58", "_47", "_47", "memory"}, 0},
  });
}

TEST_F(SpeechTest, ZerosAndShortNumbersAreJoinedPiecesLongOrHyphenatedRunsAreSpelled) {
  ExpectSaidWithPieces({
      {"0", {"_zero"}, {}},
      {"05", {"_zero", "memory"}, {Joined({"_cinco"})}},
      {"16", {"memory"}, {Joined({"_dezesse"})}},
      {"17", {"memory"}, {Joined({"_dezeset"})}},
      {"1001", {"memory"}, {Joined({"_mil", "_e", "_um"})}},
      {"2000000", {"_50", "_48", "_48", "_48", "_48", "_48", "_48"}, {}},
      {"5-", {"_53", "_45"}, {}},
  });
}

TEST_F(SpeechTest, RepeatsAreCountedOverSignsOnlyAndANewSignCountsAfresh) {
  // The words between the signs do not break their repetition.
  SpeakText("=a=a=a=a=");
  EXPECT_EQ(Heard(), (Sounds{"_61", "memory", "_61", "memory", "_61", "memory", "_61", "memory", "memory"}));
  ASSERT_FALSE(MemoryBytes().empty());
  EXPECT_EQ(MemoryBytes().back(), 256) << "the fifth sign is a click";
  ForgetHeard();
  SpeakText("=====+");
  EXPECT_EQ(Heard(), (Sounds{"_61", "_61", "_61", "_61", "memory", "_43"}));
  // Each text starts with no sign said before.
  ForgetHeard();
  SpeakText("====");
  SpeakText("==");
  EXPECT_EQ(Heard(), Sounds(6, "_61"));
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

TEST_F(SpeechTest, MissingOrNonNumericSpeedSettingsTakeTheirDefaults) {
  ResetSpeech();
  WriteSettings(
      "VELOCIDADE=0\n[SINTETIZADOR]\nDIFONES3=DIFONES2X\nSOBRAFON3=abc\nPAUSAPONTO3=longa\n"
      "PAUSADOISPONTOS4=50\nCORTAFALA3=Nao\nRAPIDINHO3=sim");
  StartSpeech(0, "");
  EXPECT_EQ(speech.speed, 3) << "a speed of 0 in the settings is 3";
  const SpeedSettings& s = speech.settings;
  EXPECT_EQ(s.databaseName, "DIFONES2") << "cut to 8 characters";
  EXPECT_EQ(s.minimumUnitLength, 0);
  EXPECT_EQ(s.wordGap, 0);
  EXPECT_FALSE(s.cut);
  EXPECT_TRUE(s.fast) << "any value not beginning with N or n is on";
  EXPECT_TRUE(playbackFlags.fast);
  EXPECT_EQ(s.fullStopPause, 250);
  EXPECT_EQ(s.commaPause, 150);
  EXPECT_EQ(s.colonPause, 200) << "the key of speed 4 is not read at speed 3";
}

TEST_F(SpeechTest, AGivenSpeedWinsOverTheSettingsAndPicksItsOwnKeys) {
  ResetSpeech();
  WriteSettings("VELOCIDADE=2\n[SINTETIZADOR]\nPAUSAVIRG2=500\nPAUSAVIRG4=100");
  StartSpeech(4, "");
  EXPECT_EQ(speech.speed, 4);
  EXPECT_EQ(speech.settings.commaPause, 100);
  SpeakText("a, b");
  EXPECT_EQ(Delays(), std::vector<int>(2, 50));
}

TEST_F(SpeechTest, TheFoldersGetATrailingSeparatorAndAnEmptyMessagesFolderStaysEmpty) {
  EXPECT_EQ(speech.messagesDirectory, dir_.File("relevix") + "\\");
  EXPECT_EQ(speech.lettersDirectory, dir_.File("letras") + "\\");
  ResetSpeech();
  StartSpeech(0, "");
  EXPECT_EQ(speech.messagesDirectory, "");
}

TEST_F(SpeechTest, WhenNoSpeechServerStartsTheTranslatorSpeaks) {
  // No speech service answers at this address.
  testing_support::ScopedEnv address("SPEECHD_ADDRESS", ("unix_socket:" + dir_.File("nenhum.sock")).c_str());
  ResetSpeech();
  WriteSettings("SAPI=Sim\n[SERVFALA]\nTIPOSAPI=5\nVOZ=2\nVELOCIDADE=15");
  StartSpeech(0, "");
  EXPECT_FALSE(speech.serverActive);
  EXPECT_EQ(speech.serverType, 5) << "the type is remembered";
  SpeakText("casa");
  EXPECT_EQ(Heard(), Sounds{"memory"});
  ResetSpeech();
  WriteSettings("SAPI=nao\n[SERVFALA]\nTIPOSAPI=5");
  StartSpeech(0, "");
  EXPECT_EQ(speech.serverType, 4) << "SAPI off: the type is not read";
}

TEST_F(SpeechTest, PausesAreStepsOf50MillisecondsSkippedOnceAKeyIsQueued) {
  PausePlayback(120);
  EXPECT_EQ(Delays(), std::vector<int>(2, 50));
  Delays().clear();
  PausePlayback(49);
  EXPECT_TRUE(Delays().empty());
  QueueKey('x');
  PausePlayback(500);
  EXPECT_TRUE(Delays().empty());
  PunctuationPause(". ");
  EXPECT_TRUE(Heard().empty()) << "a queued key: no sign and no pause";
  EXPECT_TRUE(Delays().empty());
  EXPECT_EQ(ReadKey(), 'x');
}

using speech_testing::KeptOutput;

TEST_F(SpeechTest, TheClickIsANoiseBurstAndTheCutFlagComesBackAfterIt) {
  std::string kept;
  UseAudioOutput(std::make_unique<KeptOutput>(&kept));
  playbackFlags.cut = true;
  PlayClick();
  EXPECT_TRUE(playbackFlags.cut);
  ASSERT_EQ(kept.size(), 256u);
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const int sample = static_cast<unsigned char>(kept[i]);
    if (i < 64) {
      EXPECT_TRUE(sample >= 128 && sample <= 187) << i << ": " << sample;
    } else {
      EXPECT_EQ(sample, 128) << i;
    }
  }
}

TEST_F(SpeechTest, TheBeepDropsEveryQueuedKeyAndIsATriangleEndingOnSilence) {
  std::string kept;
  UseAudioOutput(std::make_unique<KeptOutput>(&kept));
  QueueKey('a');
  QueueExtendedKey(59);
  PlayBeep();
  EXPECT_FALSE(KeyPressed());
  ASSERT_EQ(kept.size(), 512u);
  const int shape[] = {128, 112, 96, 80, 64, 80, 96, 112};
  for (std::size_t i = 0; i + 1 < kept.size(); ++i) {
    EXPECT_EQ(static_cast<unsigned char>(kept[i]), shape[i % 8]) << i;
  }
  EXPECT_EQ(static_cast<unsigned char>(kept.back()), 128);
}

TEST_F(SpeechTest, AKeyReadForTheSpeedIsSaid) {
  QueueKey('4');
  EXPECT_EQ(ReadKeySpoken(), '4');
  EXPECT_EQ(Heard(), Sounds{"_52"});
}

TEST_F(SpeechTest, AnEchoedKeyAfterAModifierIsTheKeyThatFollowsIt) {
  testing_support::ConsoleCapture console;
  QueueExtendedKey(17);
  QueueKey('a');
  const EchoedKey modified = ReadKeyEchoed();
  EXPECT_EQ(modified.key, 'a');
  EXPECT_EQ(modified.code, 17);
  // An extended key and the focus codes are neither said nor written.
  QueueExtendedKey(59);
  const EchoedKey f1 = ReadKeyEchoed();
  EXPECT_EQ(f1.key, 0);
  EXPECT_EQ(f1.code, 59);
  QueueKey(222);
  EXPECT_EQ(ReadKeyEchoed().key, 222);
  QueueKey(13);
  EXPECT_EQ(ReadKeyEchoed().key, 13);
  EXPECT_EQ(Heard(), Sounds{"_97"});
  EXPECT_EQ(console.Text(), "a");
}

TEST_F(SpeechTest, KeysWithALeadingUnderscoreAreInTheLettersFolder) {
  EXPECT_TRUE(HasMessageSound("_zero"));
  EXPECT_FALSE(HasMessageSound("_nenhum"));
  EXPECT_FALSE(HasMessageSound("BRFIM"));
  WriteSound("BRFIM", 500);
  EXPECT_TRUE(HasMessageSound("BRFIM"));
  // A "_" key is never looked for in the messages folder.
  testing_support::WriteFile(dir_.File("relevix/_so_aqui.wav"), MakeWavImage(std::string(300, 'P'), 11025, 1, 8));
  EXPECT_FALSE(HasMessageSound("_so_aqui"));
  PlayMessageSound("BRFIM");
  PlayMessageSound("_zero");
  EXPECT_EQ(Heard(), (Sounds{"BRFIM", "_zero"}));
}

TEST_F(SpeechTest, WrittenTextsAreShownThenSpoken) {
  testing_support::ConsoleCapture console;
  SpeakNumber(-5);
  WriteLineAndSpeak("17");
  EXPECT_EQ(console.Text(), "-517\n");
  EXPECT_EQ(Heard(), (Sounds{"_MENOS", "memory", "memory"}));
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{Joined({"_cinco"}), Joined({"_dezeset"})}));
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

TEST_F(SpeechTest, WithoutItsVoiceStartingSaysWhyAndFails) {
  ResetSpeech();
  testing_support::WriteFile(dir_.File("SONARA.INI"), "[SINTETIZADOR]\nDIFONES3=NENHUMA\n");
  // ESC too ends the wait: it is all a console without a keyboard answers.
  static int keysRead;
  keysRead = 0;
  SetKeySource([] {
    ++keysRead;
    return 27;
  });
  testing_support::ConsoleCapture console;
  EXPECT_EQ(StartSpeech(0, ""), 1);
  SetKeySource(nullptr);
  EXPECT_EQ(console.Text(), "Erro de inicializa\xC3\xA7\xC3\xA3o: 1\nBanco de dados de voz: NENHUMA\n");
  EXPECT_EQ(keysRead, 1);
  EXPECT_FALSE(SpeechStarted());
}

}  // namespace
