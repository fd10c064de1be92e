// The voice data the build renders: the unit files, the letter sounds, and
// how well the units cover real Portuguese text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "tts/letter_sound.h"
#include "tts/translator_test_support.h"

namespace {

using translator_testing::Played;
using translator_testing::RealVoiceTest;

std::string VoiceFile(const std::string& name) { return JoinPath(DataDirectory(), "som/" + name); }

TEST(VoiceDataTest, IndexRecordsAreSortedAndPointInsideTheSamples) {
  const std::string index = testing_support::ReadFile(VoiceFile("difones/DIFONES2.IND"));
  const std::string samples = testing_support::ReadFile(VoiceFile("difones/DIFONES2.DIF"));
  ASSERT_FALSE(index.empty());
  ASSERT_EQ(index.size() % kDiphoneRecordSize, 0u);
  const std::vector<DiphoneRecord> records = ParseDiphoneIndex(index);
  ASSERT_EQ(records.size(), index.size() / kDiphoneRecordSize);

  std::vector<bool> covered(samples.size(), false);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const DiphoneRecord& record = records[i];
    // The file itself is in order (parsing sorts, so compare the raw names).
    const std::string rawName = index.substr(i * kDiphoneRecordSize + 1, static_cast<unsigned char>(index[i * kDiphoneRecordSize]));
    if (i > 0) {
      EXPECT_LT(records[i - 1].name, record.name);
    }
    EXPECT_EQ(rawName, record.name);
    EXPECT_TRUE(record.name.size() >= 2 && record.name.size() <= 8 && record.name[0] == '$') << record.name;
    EXPECT_EQ(UpperCaseAnsi(record.name), record.name);
    EXPECT_GT(record.sampleCount, 0) << record.name;
    ASSERT_LE(std::size_t{record.offset} + record.sampleCount, samples.size()) << record.name;
    std::fill_n(covered.begin() + record.offset, record.sampleCount, true);
  }
  EXPECT_TRUE(std::all_of(covered.begin(), covered.end(), [](bool b) { return b; })) << "no unused samples";
}

TEST(VoiceDataTest, UnitsTheSyllablesNeedAreThere) {
  const std::vector<DiphoneRecord> records =
      ParseDiphoneIndex(testing_support::ReadFile(VoiceFile("difones/DIFONES2.IND")));
  for (const char* name : {"$A", "$E", "$I", "$O", "$U", "$ACIRC", "$KA", "$KACIRC", "$MATIL", "$TCHI", "$DJI",
                           "$LYA", "$NHA", "$KWA", "$GWA", "$RRA", "$AY", "$AW", "$EW", "$OY", "$IW", "$AWTIL",
                           "$AYTIL", "$EYTIL", "$OYTIL", "$UYTIL", "$NN", "$S", "$RR", "$P", "$B", "$T", "$K", "$L"}) {
    EXPECT_NE(FindDiphone(records, name), nullptr) << name;
  }
}

TEST(VoiceDataTest, LetterSoundsAreShortAudibleWavFiles) {
  std::string characters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789,.;:!?-|";
  characters += "\xE1\xE7\xC7\xE3\xF5";
  for (char c : characters) {
    const std::string name = "letras/_" + std::to_string(static_cast<unsigned char>(c)) + ".wav";
    const std::string samples = ReadLetterSoundSamples(LinuxPath(VoiceFile(name)));
    EXPECT_GT(samples.size(), 11025u / 10) << name;
    EXPECT_LT(samples.size(), 11025u * 2) << name;
    const auto loudest = std::max_element(samples.begin(), samples.end(), [](char a, char b) {
      return std::abs(static_cast<unsigned char>(a) - 128) < std::abs(static_cast<unsigned char>(b) - 128);
    });
    ASSERT_NE(loudest, samples.end()) << name;
    EXPECT_GT(std::abs(static_cast<unsigned char>(*loudest) - 128), 30) << name;
  }
}

// The share of the units asked for that the index holds, over every word
// of the sample texts and 5000 words of the Brazilian word list.
int asked = 0;
int found = 0;

void CountUnit(std::string_view, bool inIndex) {
  ++asked;
  if (inIndex) ++found;
}

void DropImage(std::string_view) {}

std::vector<std::string> SampleTexts() {
  std::vector<std::string> texts;
  for (const auto& entry : std::filesystem::directory_iterator(LinuxPath(JoinPath(DataDirectory(), "exemplos")))) {
    if (entry.path().extension() != ".txt") continue;
    const std::string bytes = testing_support::ReadFile(entry.path().string());
    texts.push_back(IsUtf8WithMultibyte(bytes) ? Windows1252FromUtf8(bytes) : bytes);
  }
  return texts;
}

std::vector<std::string> DictionaryWords(std::size_t count) {
  std::ifstream list("/usr/share/dict/brazilian");
  std::vector<std::string> words;
  for (std::string line; std::getline(list, line);) words.push_back(Windows1252FromUtf8(line));
  std::vector<std::string> drawn;
  std::mt19937 random(20241209);
  std::sample(words.begin(), words.end(), std::back_inserter(drawn), count, random);
  return drawn;
}

TEST_F(RealVoiceTest, UnitsCoverPortugueseText) {
  if (!std::filesystem::exists("/usr/share/dict/brazilian")) GTEST_SKIP() << "wbrazilian is not installed";
  const std::vector<std::string> words = DictionaryWords(5000);
  ASSERT_EQ(words.size(), 5000u);
  const std::vector<std::string> texts = SampleTexts();
  ASSERT_FALSE(texts.empty());

  SetTranslatorImageSink(DropImage);
  SetTranslatorUnitObserver(CountUnit);
  asked = found = 0;
  for (const std::string& text : texts) TranslatorSpeak(TranslatorTranscribe(text), false);
  const int textAsked = asked, textFound = found;
  for (const std::string& word : words) TranslatorSpeak(TranslatorTranscribe(word), false);

  const double coverage = 100.0 * found / asked;
  std::printf("units found: sample texts %d of %d, with 5000 words %d of %d (%.2f %%)\n", textFound, textAsked, found,
              asked, coverage);
  RecordProperty("coverage", std::to_string(coverage));
  EXPECT_GT(coverage, 99.0);
}

TEST_F(RealVoiceTest, SentenceSoundsLikeSpeech) {
  TranslatorSpeak(TranslatorTranscribe("Bom dia, como vai voc\xEA?"), false);
  const std::string samples = Played();
  const double seconds = static_cast<double>(samples.size()) / 11025;
  EXPECT_GT(seconds, 1.0);
  EXPECT_LT(seconds, 5.0);
  double power = 0;
  for (char sample : samples) power += std::pow(static_cast<unsigned char>(sample) - 128.0, 2);
  EXPECT_GT(std::sqrt(power / static_cast<double>(samples.size())), 5.0) << "not silence";
}

}  // namespace
