#include "braille/transcription.h"

#include <gtest/gtest.h>

namespace {

TEST(TranscribeTest, ChoosesTheRuleSet) {
  TranscriptionState state;
  EXPECT_EQ(Transcribe("Brasil 1.5", false, false, state), "{brasil #1.#5");
  EXPECT_EQ(Transcribe("Brasil", true, false, state), "\\brasil");
  EXPECT_EQ(Transcribe("Brasil 1.5", false, true, state), "]brasil #1'5");
  EXPECT_EQ(Transcribe("Brasil", true, true, state), "&brasil");
}

TEST(TranscribeTest, PageNumbersAsTheComposerPassesThem) {
  for (const bool oldRules : {false, true}) {
    TranscriptionState state;
    EXPECT_EQ(Transcribe("1", false, oldRules, state), "#1");
    EXPECT_EQ(Transcribe("120", true, oldRules, state), "#120");
  }
}

TEST(TranscribeTest, NewStateIsTheStartOfACopy) {
  const TranscriptionState state;
  EXPECT_TRUE(state.nextQuoteOpens);
  EXPECT_TRUE(state.oldNextQuoteOpens);
  EXPECT_FALSE(state.inTextParenthesis);
}

// Two copies of the same lines come out the same, each with a state of its
// own, as the composer makes them; the state carries quotes and
// parentheses from one line to the next.
TEST(TranscribeTest, CopiesComeOutAlikeWithStatesOfTheirOwn) {
  const char* lines[] = {"\"Sim (disse", "ele) 5)\"", "\"fim"};
  for (const bool oldRules : {false, true}) {
    std::string first;
    std::string second;
    TranscriptionState firstState;
    for (const char* line : lines) first += Transcribe(line, true, oldRules, firstState) + "|";
    TranscriptionState secondState;
    for (const char* line : lines) second += Transcribe(line, true, oldRules, secondState) + "|";
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, oldRules ? "{&sim (disse|ele) #5)}|{fim|" : "\"\\sim =disse|ele= #5\xE3}|\"fim|");
  }
}

}  // namespace
