#include <gtest/gtest.h>

#include <string>

#include "braille/transcription.h"
#include "braille/transcription_test_support.h"

// What one line becomes is written as rows of
// braille/testdata/transcription/old_rules.txt (test BrailleRows.Transcription);
// here, the state a line leaves to the next.

namespace {

using transcription_testing::ResetTranscriptionState;
using transcription_testing::TranscribeOld;
using OldRulesTest = transcription_testing::RuleSetTest<TranscribeOld>;

TEST_F(OldRulesTest, QuoteCarriesAcrossLinesUntilReset) {
  EXPECT_EQ(TranscribeOld("\"um", false), "{um");
  EXPECT_FALSE(transcription_testing::testState.oldNextQuoteOpens);
  EXPECT_EQ(TranscribeOld("dois\"", true), "dois}");
  EXPECT_TRUE(transcription_testing::testState.oldNextQuoteOpens);
  EXPECT_EQ(TranscribeOld("\"tres", false), "{tres");
  ResetTranscriptionState();
  EXPECT_EQ(TranscribeOld("\"", false), "{");
  // The current rules' flags are not touched.
  EXPECT_TRUE(transcription_testing::testState.nextQuoteOpens);
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);
}

}  // namespace
