#include <gtest/gtest.h>

#include <string>

#include "braille/transcription.h"
#include "braille/transcription_test_support.h"

// What one line becomes is written as rows of
// braille/testdata/transcription/current_rules.txt (test BrailleRows.Transcription);
// here, the state a line leaves to the next.

namespace {

using transcription_testing::ResetTranscriptionState;
using transcription_testing::TranscribeUnified;
using UnifiedTest = transcription_testing::RuleSetTest<TranscribeUnified>;

TEST_F(UnifiedTest, BracketBeforeNumberWithoutCloserOpensTextParenthesis) {
  EXPECT_EQ(TranscribeUnified("[5", false), "[.#5");
  EXPECT_TRUE(transcription_testing::testState.inTextParenthesis);
  // Inside a text parenthesis a closer after a digit is a text sign.
  EXPECT_EQ(TranscribeUnified("5]", false), "#5\\]");
  EXPECT_TRUE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\\)");
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\xE3");
}

// Portuguese-style quotes are alike on both sides, so they leave the English
// style's flag alone (their cells are rows of testdata/transcription).
TEST_F(UnifiedTest, PortugueseQuotesLeaveTheEnglishQuoteFlagAlone) {
  for (const char* quoted : {"\"a\"", "\x93" "a\x94", "\x94" "a\x93"}) {
    ResetTranscriptionState();
    EXPECT_EQ(TranscribeUnified(quoted, false), "\"a\"") << quoted;
    EXPECT_TRUE(transcription_testing::testState.nextQuoteOpens) << quoted;
  }
}

TEST_F(UnifiedTest, EnglishQuoteCarriesAcrossLinesUntilReset) {
  EXPECT_EQ(TranscribeUnified("\"um", true), "\"um");
  EXPECT_FALSE(transcription_testing::testState.nextQuoteOpens);
  EXPECT_EQ(TranscribeUnified("dois\"", true), "dois}");
  EXPECT_EQ(TranscribeUnified("\"tres", true), "\"tres");
  // Portuguese-style quotes leave the English flag alone.
  EXPECT_EQ(TranscribeUnified("\"", false), "\"");
  EXPECT_EQ(TranscribeUnified("\"", true), "}");
  EXPECT_EQ(TranscribeUnified("\"", true), "\"");
  ResetTranscriptionState();
  EXPECT_TRUE(transcription_testing::testState.nextQuoteOpens);
  EXPECT_EQ(TranscribeUnified("\"", true), "\"");
}

TEST_F(UnifiedTest, TextParenthesisCarriesAcrossLinesUntilReset) {
  EXPECT_EQ(TranscribeUnified("(nota", false), "(.nota");
  EXPECT_TRUE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\\)");
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);

  EXPECT_EQ(TranscribeUnified("(texto", true), "=texto");
  ResetTranscriptionState();
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\xE3");
}

TEST_F(UnifiedTest, LeavesOldRulesQuoteFlagAlone) {
  TranscribeUnified("\"a", true);
  EXPECT_TRUE(transcription_testing::testState.oldNextQuoteOpens);
}

}  // namespace
