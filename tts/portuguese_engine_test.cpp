#include "tts/portuguese_engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "audio/wav_playback.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"
#include "platform/paths.h"
#include "platform/wav_format.h"
#include "tests/support/test_support.h"
#include "tts/engine_language_data.h"
#include "tts/mbrola_lines.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

std::uint32_t Little32(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8 |
         static_cast<unsigned char>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

// The installed language data of the engine.
std::string Data(const char* name) { return JoinPath(DataDirectory(), std::string("tavelatts/") + name); }

// Milliseconds of sound the phoneme lines ask for: the second field of every
// line that is no comment.
long DurationOf(const std::vector<std::string>& lines) {
  long total = 0;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == ';') continue;
    std::istringstream fields(line);
    std::string phoneme;
    long duration = 0;
    if (fields >> phoneme >> duration) total += duration;
  }
  return total;
}

class PortugueseEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(dir.File("voz"), "voz de teste"); }
  void TearDown() override {
    TtsClose();
    TtsSetOutputFile("");
    TtsSetFactors(1.0, 1.0);
  }
  bool Start(const std::string& prosody = Data("portug.pro"), const std::string& diphones = Data("portug.dfn"),
             const std::string& abbreviations = Data("portug.abr"), const std::string& rules = Data("portug.nrl")) {
    return TtsStart(dir.File("voz"), rules, Data("portug.exc"), abbreviations, prosody, diphones);
  }

  TempDir dir;
  // The stand-in writes a phoneme's duration of 16 kHz samples.
  ScopedEnv program{"RELEVIX_MBROLA", STAND_IN_MBROLA};
};

TEST_F(PortugueseEngineTest, AWavFileHoldsEverySampleWithItsRealSizes) {
  const std::string wav = dir.File("fala.wav");
  TtsSetOutputFile(wav);
  ASSERT_TRUE(Start()) << TtsLastError();
  TtsSetFactors(0.8, 1.2);
  // What the phoneme lines ask for, while the language data is loaded.
  const long milliseconds = DurationOf(MbrolaLinesOf("Bom dia.", 0.8, 1.2)) +
                            DurationOf(MbrolaLinesOf("Tenho 25 anos e moro no Rio.", 0.8, 1.2));
  EXPECT_TRUE(TtsSpeak("Bom dia."));
  EXPECT_TRUE(TtsSpeak("   \t "));  // blank: nothing spoken
  EXPECT_TRUE(TtsSpeak("Tenho 25 anos e moro no Rio."));
  EXPECT_FALSE(TtsBusy());  // a file never keeps the engine busy
  TtsClose();

  ASSERT_GT(milliseconds, 500);
  const std::string bytes = ReadFile(wav);
  ASSERT_GE(bytes.size(), 44u);
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(Little32(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(Little32(bytes, 24), 16000u);  // 16 kHz
  EXPECT_EQ(Little32(bytes, 40), bytes.size() - 44);
  EXPECT_EQ(bytes.size() - 44, static_cast<std::size_t>(milliseconds) * 16 * 2);
}

TEST_F(PortugueseEngineTest, TheSoundCardGetsPiecesOfAtMost32000Bytes) {
  const std::string log = dir.File("som.log");
  ChooseAudioOutput("null:" + log);
  ASSERT_TRUE(Start()) << TtsLastError();
  const std::string text = "Era uma vez uma cidade pequena, a beira de um rio largo e manso, onde todos se conheciam.";
  const long expectedBytes = DurationOf(MbrolaLinesOf(text, 1.0, 1.0)) * 32;
  EXPECT_TRUE(TtsSpeak(text));
  while (TtsBusy()) {
  }
  ASSERT_GT(expectedBytes, 64000);  // more than two pieces' worth
  std::istringstream lines(ReadFile(log));
  long total = 0;
  int pieces = 0;
  for (std::string source, rate, bits, channels; lines >> source >> rate >> bits >> channels;) {
    long bytes = 0;
    lines >> bytes;
    std::string rest;
    std::getline(lines, rest);
    EXPECT_EQ(rate + " " + bits + " " + channels, "16000 16 1");
    EXPECT_LE(bytes, 32000);
    total += bytes;
    ++pieces;
  }
  EXPECT_EQ(total, expectedBytes);
  EXPECT_GE(pieces, 3);
  ChooseAudioOutput("null");
}

TEST_F(PortugueseEngineTest, DataFilesThatFailAreNamedByTheirKind) {
  EXPECT_FALSE(Start(Data("portug.pro"), dir.File("nao-ha.dfn")));
  EXPECT_EQ(TtsLastError(), "Erro no arquivo de pros\xF3" "dia");
  TtsClose();
  EXPECT_FALSE(Start(dir.File("nao-ha.pro")));
  EXPECT_EQ(TtsLastError(), "Erro no arquivo de pros\xF3" "dia");
  TtsClose();
  EXPECT_FALSE(Start(Data("portug.pro"), Data("portug.dfn"), dir.File("nao-ha.abr")));
  EXPECT_EQ(TtsLastError(), "Erro no arquivo de abreviaturas");
  TtsClose();
  EXPECT_FALSE(Start(Data("portug.pro"), Data("portug.dfn"), Data("portug.abr"), dir.File("nao-ha.nrl")));
  EXPECT_EQ(TtsLastError(), "Erro na base de dados de portugu\xEAs");
  TtsClose();
  TtsSetOutputFile(dir.File("sem/pasta/fala.wav"));
  EXPECT_FALSE(Start());
  EXPECT_EQ(TtsLastError(), "Arquivo de sa\xED" "da n\xE3o pode ser criado");
}

TEST_F(PortugueseEngineTest, NoSynthesizerOrNoVoiceFailsTheStart) {
  {
    ScopedEnv missing("RELEVIX_MBROLA", "/nao/ha/mbrola");
    EXPECT_FALSE(Start());
  }
  EXPECT_FALSE(TtsStart(dir.File("voz-que-nao-ha"), "", "", "", "", ""));
  EXPECT_FALSE(TtsSpeak("nada"));  // not started: nothing can be spoken
}

// The real synthesizer speaks every sentence whole, those with an r before
// s and a consonant too (a pair the voice lacks), and the ones after them.
TEST(PortugueseEngineRealVoiceTest, EverySentenceLastsAsLongAsItsPhonemesSay) {
  TempDir dir;
  const std::string wav = dir.File("frase.wav");
  TtsSetOutputFile(wav);
  if (access("/usr/share/mbrola/br4/br4", R_OK) != 0 ||
      !TtsStart("br4", Data("portug.nrl"), Data("portug.exc"), Data("portug.abr"), Data("portug.pro"),
                Data("portug.dfn"))) {
    TtsClose();
    TtsSetOutputFile("");
    GTEST_SKIP() << "mbrola and its br4 voice are not installed";
  }
  double written = 0;
  for (const char* text : {"Bom dia, como vai voc\xEA?", "Chegou o doutor St\xEAnio.", "O senhor Smith leu Walter Scott.",
                           "Bom dia."}) {
    written += DurationOf(MbrolaLinesOf(text, 1.0, 1.0)) / 1000.0;
    EXPECT_TRUE(TtsSpeak(text)) << text;
  }
  TtsClose();
  TtsSetOutputFile("");
  const std::string bytes = ReadFile(wav);
  WavMemorySource source{bytes};
  WavFormat format;
  std::uint32_t dataBytes = 0;
  ASSERT_TRUE(ReadWavHeader(source, format, dataBytes));
  EXPECT_EQ(dataBytes, bytes.size() - source.at);
  const double seconds = static_cast<double>(dataBytes) / 32000.0;
  EXPECT_NEAR(seconds, written, 0.1 * written);
}

// The samples are exactly those mbrola itself makes of the same lines, with
// a flush after each sentence.
TEST(PortugueseEngineRealVoiceTest, SamplesAreThoseMbrolaItselfMakes) {
  TempDir dir;
  const std::string voice = "/usr/share/mbrola/br4/br4";
  const std::string wav = dir.File("motor.wav");
  TtsSetOutputFile(wav);
  if (access(voice.c_str(), R_OK) != 0 || std::system("mbrola -h > /dev/null 2>&1") != 0 ||
      !TtsStart("br4", Data("portug.nrl"), Data("portug.exc"), Data("portug.abr"), Data("portug.pro"),
                Data("portug.dfn"))) {
    TtsClose();
    TtsSetOutputFile("");
    GTEST_SKIP() << "mbrola and its br4 voice are not installed";
  }
  const std::string text = "Bom dia. O doutor St\xEAnio chegou, e o senhor Smith leu Walter Scott? Sim.";
  std::string pho;
  int sentences = 0;
  ForEachSentenceLines(text, 1.0, 1.0, [&](const std::vector<std::string>& lines) {
    for (const std::string& line : lines) pho += line + "\n";
    pho += "#\n";
    ++sentences;
    return true;
  });
  EXPECT_EQ(sentences, 3);
  WriteFile(dir.File("frase.pho"), pho);
  EXPECT_TRUE(TtsSpeak(text));
  TtsClose();
  TtsSetOutputFile("");
  ASSERT_EQ(std::system(("mbrola -e " + voice + " " + dir.File("frase.pho") + " " + dir.File("mbrola.raw")).c_str()), 0);
  const std::string theirs = ReadFile(dir.File("mbrola.raw"));
  const std::string ours = ReadFile(wav).substr(44);
  ASSERT_GT(theirs.size(), 32000u * 3);
  EXPECT_EQ(ours.size(), theirs.size());
  EXPECT_TRUE(ours == theirs);
}

}  // namespace

namespace {

// A key stops a long text at once: the sound (the playback sees the key) and
// the making of the sentences still to come, which would otherwise keep the
// program busy for seconds of a book.
TEST(PortugueseEngineKeys, AKeyStopsTheMakingOfALongText) {
  ChooseAudioOutput("null");
  if (std::system("mbrola -h > /dev/null 2>&1") != 0 ||
      !TtsStart("br4", Data("portug.nrl"), Data("portug.exc"), Data("portug.abr"), Data("portug.pro"),
                Data("portug.dfn"))) {
    TtsClose();
    GTEST_SKIP() << "mbrola and its br4 voice are not installed";
  }
  std::string text;
  for (int i = 0; i < 300; ++i) text += "O menino foi \xE0 escola de manh\xE3 e voltou para casa \xE0 tarde. ";
  auto timed = [&text] {
    const auto start = std::chrono::steady_clock::now();
    TtsSpeak(text);
    return std::chrono::steady_clock::now() - start;
  };
  const auto whole = timed();
  QueueKey('a');
  const auto stopped = timed();
  ClearKeyQueue();
  TtsClose();
  // The null output plays at once: the whole text's time is its making.
  EXPECT_LT(stopped * 10, whole) << "a key should leave the sentences after it unmade";
}

}  // namespace
