// The recorded sounds the build makes: every name the front end, the spoken
// numbers and the line editor form is there, as an audible 8-bit mono
// 11025 Hz WAV file with the canonical header.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <set>

#include "catalogue/brmsg.h"
#include "platform/paths.h"
#include "speech/spoken_numbers.h"
#include "tests/support/test_support.h"

namespace {

std::uint32_t Little(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

// Empty when the file is a valid sound, else what is wrong with it.
std::string ProblemOf(const std::string& folder, const std::string& name) {
  const std::string bytes = testing_support::ReadFile(JoinPath(DataDirectory(), "som/" + folder + "/" + name + ".wav"));
  if (bytes.size() <= 44) return "missing or empty";
  if (bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 8) != "WAVEfmt " || bytes.substr(36, 4) != "data")
    return "not canonical";
  if (Little(bytes, 16, 4) != 16 || Little(bytes, 20, 2) != 1 || Little(bytes, 22, 2) != 1 ||
      Little(bytes, 24, 4) != 11025 || Little(bytes, 34, 2) != 8) {
    return "not 8-bit mono PCM at 11025 Hz";
  }
  if (Little(bytes, 40, 4) != bytes.size() - 44 || Little(bytes, 4, 4) != bytes.size() - 8) return "wrong sizes";
  for (std::size_t i = 44; i < bytes.size(); ++i) {
    if (std::abs(static_cast<unsigned char>(bytes[i]) - 128) > 30) return "";
  }
  return "silent";
}

TEST(SoundSetTest, EveryLetterSoundAndPieceTheProgramNamesIsThere) {
  std::set<std::string> names;
  // Every printable Windows-1252 character (127, 129, 141, 143, 144 and 157
  // are none).
  for (int code = 32; code < 256; ++code) {
    if (code != 127 && code != 129 && code != 141 && code != 143 && code != 144 && code != 157) {
      names.insert("_" + std::to_string(code));
    }
  }
  // Every word of the numbers, in both genders, and of times and dates.
  for (unsigned long long n : {0ULL, 1000ULL, 2000ULL, 1000000ULL, 2000000ULL, 1000000000ULL, 2000000000ULL,
                               1000000000000ULL, 2000000000000ULL}) {
    for (const std::string& piece : NumberPieces(NumberToWords(n), false)) names.insert(piece);
  }
  for (unsigned n = 1; n < 1000; ++n) {
    for (const bool feminine : {false, true}) {
      for (const std::string& piece : NumberPieces(NumberToWords(n), feminine)) names.insert(piece);
    }
  }
  for (const char* name :
       {"_hora",   "_horas",  "_minuto", "_minutos", "_de",      "_primeir", "_Domingo", "_Segunda", "_Terca",
        "_Quarta", "_Quinta", "_Sexta",  "_Sabado",  "_Janeiro", "_Feverei", "_Marco",   "_Abril",   "_Maio",
        "_Junho",  "_Julho",  "_Agosto", "_Setembr", "_Outubro", "_Novembr", "_Dezembr", "_MENOS",   "_DEL",
        "_APFCPO", "_APICPO", "_CPOAPA", "_FALACI",  "_FALDLG",  "_VELOC"}) {
    names.insert(name);
  }
  for (const char key : std::string("0123456789#X")) names.insert(std::string("dtmf_") + key);
  for (int letter = 0; letter < 26; ++letter) {
    names.insert("_FON" + std::to_string('A' + letter));
    names.insert("_FON" + std::to_string('a' + letter));
  }
  for (const std::string& name : names) EXPECT_EQ(ProblemOf("letras", name), "") << name;
}

// The strength of one frequency in 8-bit samples.
double Strength(const std::string& samples, double frequency) {
  double re = 0, im = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double x = static_cast<unsigned char>(samples[i]) - 128.0;
    re += x * std::cos(2 * std::numbers::pi * frequency * static_cast<double>(i) / 11025);
    im += x * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(i) / 11025);
  }
  return std::hypot(re, im) / static_cast<double>(samples.size());
}

TEST(SoundSetTest, DialTonesAreTheKeypadsFrequencyPairs) {
  const double rows[] = {697, 770, 852, 941};
  const double columns[] = {1209, 1336, 1477};
  const std::string keypad = "123456789X0#";
  for (std::size_t key = 0; key < keypad.size(); ++key) {
    const std::string bytes =
        testing_support::ReadFile(JoinPath(DataDirectory(), "som/letras/dtmf_" + keypad.substr(key, 1) + ".wav"));
    ASSERT_GT(bytes.size(), 44u) << keypad[key];
    const std::string samples = testing_support::WavSamples(bytes);
    const std::size_t row = key / 3, column = key % 3;
    const double own = std::min(Strength(samples, rows[row]), Strength(samples, columns[column]));
    double other = 0;
    for (std::size_t r = 0; r < 4; ++r) {
      if (r != row) other = std::max(other, Strength(samples, rows[r]));
    }
    for (std::size_t c = 0; c < 3; ++c) {
      if (c != column) other = std::max(other, Strength(samples, columns[c]));
    }
    EXPECT_GT(own, 10 * other) << keypad[key];
  }
}

TEST(SoundSetTest, EveryRecordedCatalogueMessageHasItsRecording) {
  std::set<std::string> keys;
  for (const std::string& key : RecordedMessageKeys()) {
    EXPECT_EQ(GetMessage(key).find("--> "), std::string::npos) << key;
    EXPECT_EQ(ProblemOf("relevix", key), "") << key;
    keys.insert(key);
  }
  EXPECT_EQ(keys.size(), 52u);
  EXPECT_TRUE(keys.contains("BRFIMTRA"));
  EXPECT_TRUE(keys.contains("BRARQVAZ"));
  EXPECT_TRUE(keys.contains("BRCFGNGR"));
  // The reasons said after a name have none: the translator says them.
  EXPECT_FALSE(keys.contains("BRNAOEXI"));
  EXPECT_EQ(ProblemOf("relevix", "BRNAOEXI"), "missing or empty");
}

}  // namespace
