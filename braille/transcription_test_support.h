// Shared by the tests of both rule sets: tables of input and expected
// internal Braille text, each case transcribed from a fresh state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "braille/transcription.h"

namespace transcription_testing {

// The state the rule-set tests carry from one call to the next, as lines of
// one copy do; each case and each test starts afresh.
inline TranscriptionState testState;
inline void ResetTranscriptionState() { testState = TranscriptionState{}; }
inline std::string TranscribeUnified(std::string_view text, bool englishStyle) {
  return ::TranscribeUnified(text, englishStyle, testState);
}
inline std::string TranscribeOld(std::string_view text, bool englishStyle) {
  return ::TranscribeOld(text, englishStyle, testState);
}

struct Case {
  std::string input;
  std::string expected;
};

using TranscribeFunction = std::string (*)(std::string_view, bool);

inline void ExpectAll(TranscribeFunction transcribe, const std::vector<Case>& cases, bool englishStyle) {
  for (const Case& c : cases) {
    ResetTranscriptionState();
    EXPECT_EQ(transcribe(c.input, englishStyle), c.expected)
        << "input \"" << c.input << "\", " << (englishStyle ? "English" : "Portuguese") << " style";
  }
}

// A fixture for one rule set: ExpectAll and ExpectAllBothStyles run its
// transcription over a table of cases.
template <TranscribeFunction kTranscribe>
class RuleSetTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetTranscriptionState(); }
  void TearDown() override { ResetTranscriptionState(); }

  static void ExpectAll(const std::vector<Case>& cases, bool englishStyle) {
    transcription_testing::ExpectAll(kTranscribe, cases, englishStyle);
  }
  static void ExpectAllBothStyles(const std::vector<Case>& cases) {
    ExpectAll(cases, false);
    ExpectAll(cases, true);
  }
};

}  // namespace transcription_testing
