// Test set-up for the translator: a voice written into a temporary folder
// (units of constant sample values, letter sounds, rules, exceptions and a
// settings file naming the folders) or the installed voice, and the WAV
// images it plays caught before they reach the WAV playback.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "audio/wav_playback.h"
#include "platform/suite_settings.h"
#include "tests/support/test_support.h"
#include "tts/diphone_index.h"
#include "tts/translator.h"
#include "tts/translator_probe.h"

namespace translator_testing {

// A unit of `length` samples, all of value `value`.
struct TestUnit {
  std::string name;
  std::size_t length;
  unsigned char value;
};

// A run of equal samples in what was played.
using Run = std::pair<int, std::size_t>;

inline std::vector<std::string>& CaughtImages() {
  static std::vector<std::string> images;
  return images;
}

inline std::vector<std::string>& AskedUnits() {
  static std::vector<std::string> units;
  return units;
}

inline void CatchImage(std::string_view image) { CaughtImages().emplace_back(image); }

inline void NoteUnit(std::string_view unit, bool found) {
  AskedUnits().push_back(std::string(unit) + (found ? "" : "?"));
}

inline std::vector<Run> RunsOf(std::string_view samples) {
  std::vector<Run> runs;
  for (unsigned char c : samples) {
    if (!runs.empty() && runs.back().first == c) {
      ++runs.back().second;
    } else {
      runs.emplace_back(c, 1);
    }
  }
  return runs;
}

// Everything played, pieces joined.
inline std::string Played() {
  std::string all;
  for (const std::string& image : CaughtImages()) all += testing_support::WavSamples(image);
  return all;
}

inline std::vector<Run> PlayedRuns() { return RunsOf(Played()); }

// A translator reset for each test, its images caught instead of played, and
// a settings file of the test's own.
class CaughtTranslatorTest : public ::testing::Test {
 protected:
  void UseSettings(const std::string& settings) {
    ResetTranslator();
    CaughtImages().clear();
    AskedUnits().clear();
    SetTranslatorImageSink(CatchImage);
    testing_support::WriteFile(dir_.File("SONARA.INI"), settings);
    SetSuiteSettingsFile(dir_.File("SONARA.INI"));
  }

  void TearDown() override {
    ResetTranslator();
    SetSuiteSettingsFile("");
  }

  testing_support::TempDir dir_;
};

// A voice made by the test: its own units and letter sounds.
class TranslatorTest : public CaughtTranslatorTest {
 protected:
  void SetUp() override {
    UseSettings("[TRADUTOR]\ndirLetras=" + LettersFolder() + "\nDIRDIFONES=" + DiphoneFolder() + "\n");
    SetTranslatorUnitObserver(NoteUnit);
    std::filesystem::create_directories(LettersFolder());
    std::filesystem::create_directories(DiphoneFolder());
    testing_support::WriteFile(DiphoneFolder() + "/regras.rgr", "");
    testing_support::WriteFile(DiphoneFolder() + "/portug.exc", "");
  }

  std::string LettersFolder() const { return dir_.File("letras"); }
  std::string DiphoneFolder() const { return dir_.File("difones"); }

  // The index and samples files of the units, each unit's samples stored
  // one after the other.
  void WriteUnits(const std::vector<TestUnit>& units) {
    std::vector<DiphoneRecord> records;
    std::string samples;
    for (const TestUnit& unit : units) {
      records.push_back({unit.name, static_cast<std::uint16_t>(unit.length), static_cast<std::uint32_t>(samples.size())});
      samples.append(unit.length, static_cast<char>(unit.value));
    }
    std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    testing_support::WriteFile(DiphoneFolder() + "/DIFONES2.IND", EncodeDiphoneIndex(records));
    testing_support::WriteFile(DiphoneFolder() + "/DIFONES2.DIF", samples);
  }

  // The letter sound of a character code: `length` samples of `value`.
  void WriteLetter(int code, std::size_t length, unsigned char value) {
    testing_support::WriteFile(LettersFolder() + "/_" + std::to_string(code) + ".wav",
                               MakeWavImage(std::string(length, static_cast<char>(value)), 11025, 1, 8));
  }

  void StartWith(const std::vector<TestUnit>& units) {
    WriteUnits(units);
    ASSERT_EQ(TranslatorStart(), 0);
  }
};

// The voice installed in the data directory: the real rules, exceptions,
// units and letter sounds, found through the default folders.
class RealVoiceTest : public CaughtTranslatorTest {
 protected:
  void SetUp() override {
    UseSettings("");
    ASSERT_EQ(TranslatorStart(), 0);
  }
};

}  // namespace translator_testing
