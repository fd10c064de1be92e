// Shared by the tests of both rule sets: the state carried from one line to
// the next, and a fixture that starts every test afresh.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "braille/transcription.h"

namespace transcription_testing {

// The state the rule-set tests carry from one call to the next, as lines of
// one copy do; each test starts afresh.
inline TranscriptionState testState;
inline void ResetTranscriptionState() { testState = TranscriptionState{}; }
inline std::string TranscribeUnified(std::string_view text, bool englishStyle) {
  return ::TranscribeUnified(text, englishStyle, testState);
}
inline std::string TranscribeOld(std::string_view text, bool englishStyle) {
  return ::TranscribeOld(text, englishStyle, testState);
}

using TranscribeFunction = std::string (*)(std::string_view, bool);

// A fixture for one rule set: every test starts from a fresh state.
template <TranscribeFunction kTranscribe>
class RuleSetTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetTranscriptionState(); }
  void TearDown() override { ResetTranscriptionState(); }
};

}  // namespace transcription_testing
