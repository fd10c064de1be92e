#include <gtest/gtest.h>

#include "platform/audio_output.h"
#include "platform/wav_format.h"
#include "tts/translator_test_support.h"

namespace {

using namespace translator_testing;
using testing_support::WavSamples;
using Runs = std::vector<Run>;
using Names = std::vector<std::string>;

constexpr int kSilence = 128;
const Run kGap{kSilence, 100};

// One voice for most cases: every unit and letter has its own sample value.
class TranslatorSpeakTest : public TranslatorTest {
 protected:
  void StartTestVoice() {
    WriteLetter(',', 500, 44);
    WriteLetter('a', 300, 97);
    WriteLetter('b', 300, 98);
    WriteLetter('|', 300, 124);
    WriteLetter('T', 300, 84);
    testing_support::WriteFile(LettersFolder() + "/_99.wav", MakeWavImage(std::string(600, '\x10'), 11025, 1, 16));
    StartWith({{"$A", 800, 40},     {"$KA", 1000, 30},    {"$O", 800, 42},      {"$KW", 1000, 50},
               {"$ACIRC", 900, 60}, {"$MACIRC", 1000, 70}, {"$NN", 500, 80},     {"$SI", 1000, 75},
               {"$PA", 1000, 11},   {"$AY", 1000, 12},    {"$S", 500, 33},      {"$SACIRC", 1000, 21},
               {"$AWTIL", 1000, 22}, {"$P", 200, 13},     {"$RA", 1000, 14},    {"$ZA", 1000, 34},
               {"$KE", 500, 31}});
  }

  Runs Speak(std::string_view phonetic, bool noPauses = false) {
    CaughtImages().clear();
    AskedUnits().clear();
    TranslatorSpeak(phonetic, noPauses);
    return PlayedRuns();
  }
};

TEST_F(TranslatorSpeakTest, SegmentsSyllablesAndUnits) {
  StartTestVoice();
  const std::pair<const char*, Runs> cases[] = {
      // Unstressed units of three or more characters lose the trim amount.
      {"[ka]", {{30, 600}, kGap}},
      {"[kA]", {{30, 1000}, kGap}},
      {"[a]", {{40, 800}, kGap}},
      // Missing units: "$kao" = "$ka" (x 0.9) + "$o"; "$kaz" cannot be rebuilt.
      {"[kao]", {{30, 540}, {42, 800}, kGap}},
      {"[kaza]", {{40, 800}, kGap}},
      {"[kwa^]", {{50, 540}, {60, 500}, kGap}},
      // "$maTIL" = "$maCIRC" (stressed, x 0.9) + "$nn" (x 0.9); no CIRC after I.
      {"[ma~]", {{70, 900}, {80, 90}, kGap}},
      {"[si~]", {{75, 900}, {80, 90}, kGap}},
      // Final glide: the rest x 0.6; final s: the rest x 0.7; first consonant alone.
      {"[pay]", {{11, 360}, {12, 600}, kGap}},
      {"[kas]", {{30, 420}, {33, 500}, kGap}},
      {"[ s/A~w]", {{21, 600}, {22, 1000}, kGap}},
      {"[pra]", {{13, 200}, {14, 600}, kGap}},
      // A blank ends a segment; only "]" (and "/" after 9 characters) adds the gap.
      {"[ k/a/ z/a]", {{30, 600}, {34, 600}, kGap}},
      {"[_a_a/_a]", {{97, 300}, kGap}},
      {"[_a_a_a_a_a/_a]", {{97, 300}, kGap, {97, 300}, kGap}},
      // "|" is the segment "_TRACO", which says the bar's own name.
      {"[|]", {{124, 300}, kGap}},
      {"[ /_|]", {{124, 300}, kGap}},
      // Letter sounds in another format, missing ones and a lone "_" give nothing.
      {"[ /_b][ /_c][ /_d]_", {{98, 300}, {kSilence, 300}}},
      {"[ /_,]", {{kSilence, 4100}}},
      {"", {}},
      {"   ", {}},
  };
  for (const auto& [phonetic, runs] : cases) EXPECT_EQ(Speak(phonetic), runs) << phonetic;
}

TEST_F(TranslatorSpeakTest, UnitsAskedForBySyllables) {
  StartTestVoice();
  Speak("[ s/A~w]");
  EXPECT_EQ(AskedUnits(), (Names{"$SACIRC", "$AWTIL"})) << "vowel, glide and nasal mark in one unit";
  Speak("[kao]");
  EXPECT_EQ(AskedUnits(), (Names{"$KAO?"})) << "the units it is rebuilt from are not counted";
  Speak("[tchi][dja][nha][ksi][rra][marr][mar][rr]");
  EXPECT_EQ(AskedUnits(), (Names{"$TCHI?", "$DJA?", "$NHA?", "$KSI?", "$RRA?", "$MA?", "$RR?", "$MA?", "$R?", "$RR?"}));
}

TEST_F(TranslatorSpeakTest, PausesTimingAndNoise) {
  StartTestVoice();
  EXPECT_EQ(Speak("[ /_,]", true), (Runs{{44, 500}, kGap})) << "pauses off: the comma's letter sound";
  TranslatorSetTiming(400, 0, 0);
  EXPECT_EQ(Speak(TranslatorTranscribe(",")), (Runs{{kSilence, 4000}}));
  EXPECT_EQ(Speak(TranslatorTranscribe(".")), (Runs{{kSilence, 8000}}));
  EXPECT_EQ(Speak(TranslatorTranscribe(":")), (Runs{{kSilence, 8000}}));
  EXPECT_EQ(Speak(TranslatorTranscribe(";")), (Runs{{kSilence, 6000}}));
  TranslatorSetTiming(400, 800, 0);
  EXPECT_EQ(Speak("[ka][ke]"), (Runs{{30, 800}, {31, 500}})) << "a unit shorter than the minimum keeps its length";
  TranslatorSetTiming(-400, -1, -100);
  EXPECT_EQ(Speak("[ka]"), (Runs{{30, 1000}})) << "negative values count as 0";

  Speak("[q]");
  const std::string noise = Played();
  ASSERT_EQ(noise.size(), 300u) << "a missing unit of two characters";
  for (char sample : noise) EXPECT_TRUE(static_cast<unsigned char>(sample) >= 88 && static_cast<unsigned char>(sample) <= 167);
}

TEST_F(TranslatorSpeakTest, LongSpeechIsPlayedInPiecesThatFitTheBuffer) {
  StartWith({{"$KA", 20000, 30}});
  Speak("[kA][kA][kA][kA]");
  ASSERT_EQ(CaughtImages().size(), 2u);
  // Three words fill 60300 bytes; the fourth unit would reach 64000.
  EXPECT_EQ(RunsOf(WavSamples(CaughtImages()[0])), (Runs{{30, 20000}, kGap, {30, 20000}, kGap, {30, 20000}, kGap}));
  EXPECT_EQ(RunsOf(WavSamples(CaughtImages()[1])), (Runs{{30, 20000}, kGap}));
  WavFormat format;
  std::string_view samples;
  ASSERT_TRUE(FindWavImageSamples(CaughtImages()[0], format, samples));
  EXPECT_EQ(format.formatTag, 1) << "PCM";
  EXPECT_EQ(format.samplesPerSecond, 11025);
  EXPECT_EQ(format.channels * 100 + format.bitsPerSample, 108) << "1 channel, 8 bits";
  EXPECT_EQ(samples.size(), 60300u);
}

TEST_F(TranslatorSpeakTest, SoundsLongerThanTheBufferAreCut) {
  WriteLetter('a', 70000, 97);
  StartWith({{"$KA", 65000, 30}});
  Speak("[kA]");
  ASSERT_EQ(CaughtImages().size(), 2u);
  EXPECT_EQ(RunsOf(WavSamples(CaughtImages()[0])), (Runs{{30, 63956}}));
  EXPECT_EQ(Speak("[ /_a]"), (Runs{{97, 63956}, kGap}));
}

TEST_F(TranslatorSpeakTest, UnitsReadOnlyWhatTheSamplesFileHolds) {
  WriteUnits({{"$A", 100, 40}});
  testing_support::WriteFile(DiphoneFolder() + "/DIFONES2.IND", EncodeDiphoneIndex({{"$A", 1000, 50}, {"$E", 10, 5000}}));
  ASSERT_EQ(TranslatorStart(), 0);
  EXPECT_EQ(Speak("[A][E]"), (Runs{{40, 50}, {kSilence, 200}}));
}

TEST_F(TranslatorSpeakTest, StartReportsWhatIsMissing) {
  WriteUnits({{"$A", 100, 40}});
  EXPECT_EQ(TranslatorStart(), 0);
  std::filesystem::remove(DiphoneFolder() + "/portug.exc");
  EXPECT_EQ(TranslatorStart(), 2);
  std::filesystem::remove(DiphoneFolder() + "/regras.rgr");
  EXPECT_EQ(TranslatorStart(), 2);
  std::filesystem::remove(DiphoneFolder() + "/DIFONES2.DIF");
  EXPECT_EQ(TranslatorStart(), 1);
  std::filesystem::remove(DiphoneFolder() + "/DIFONES2.IND");
  EXPECT_EQ(TranslatorStart(), 1);
  std::filesystem::remove_all(DiphoneFolder());
  EXPECT_EQ(TranslatorStart(), 1);
  std::filesystem::remove_all(LettersFolder());
  EXPECT_EQ(TranslatorStart(), 1);
  EXPECT_EQ(Speak("[ /_,]"), Runs{}) << "nothing is spoken without a voice";
}

TEST_F(TranslatorSpeakTest, DatabaseNameAndDefaultFolders) {
  WriteUnits({});
  TranslatorSetDatabaseName("");
  EXPECT_EQ(TranslatorStart(), 0) << "an empty name means DIFONES2";
  std::filesystem::rename(DiphoneFolder() + "/DIFONES2.IND", DiphoneFolder() + "/LENTA.IND");
  std::filesystem::rename(DiphoneFolder() + "/DIFONES2.DIF", DiphoneFolder() + "/LENTA.DIF");
  EXPECT_EQ(TranslatorStart(), 1);
  TranslatorSetDatabaseName("LENTA");
  EXPECT_EQ(TranslatorStart(), 0);

  // Without folder settings: "c:\sonarw\som\letras" and "...\difones" in the data directory.
  testing_support::WriteFile(dir_.File("SONARA.INI"), "[TRADUTOR]\n");
  EXPECT_EQ(TranslatorStart(), 1);
  std::filesystem::create_directories(dir_.File("som"));
  std::filesystem::rename(LettersFolder(), dir_.File("som/letras"));
  std::filesystem::rename(DiphoneFolder(), dir_.File("som/difones"));
  testing_support::ScopedEnv data("RELEVIX_DATA_DIR", dir_.path().c_str());
  EXPECT_EQ(TranslatorStart(), 0);
  TranslatorClose();
  EXPECT_EQ(Speak("[ /_,]"), Runs{}) << "nothing is spoken once closed";
}

TEST_F(TranslatorSpeakTest, PiecesGoToTheWavPlaybackOneAfterTheOther) {
  const std::string log = dir_.File("audio.log");
  ChooseAudioOutput("null:" + log);
  SetTranslatorImageSink(nullptr);
  StartWith({{"$KA", 20000, 30}});
  TranslatorSpeak("[kA][kA][kA][kA]", false);
  EXPECT_FALSE(IsPlaying());
  EXPECT_EQ(testing_support::ReadFile(log), "memory 11025 8 1 60300 [60300]\nmemory 11025 8 1 20100 [20100]\n");
  ResetWavPlayback();
  ChooseAudioOutput("null");
}

}  // namespace
