#include "braille/transcription.h"

#include <gtest/gtest.h>

#include "braille/print_settings.h"

namespace {

class TranscribeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPrintSettings();
    ResetTranscriptionState();
  }
  void TearDown() override {
    ResetPrintSettings();
    ResetTranscriptionState();
  }
};

TEST_F(TranscribeTest, ChoosesTheRuleSetBySetting) {
  printSettings.USABRAILLEANTIGO = false;
  EXPECT_EQ(Transcribe("Brasil 1.5", false), "{brasil #1.#5");
  EXPECT_EQ(Transcribe("Brasil", true), "\\brasil");
  printSettings.USABRAILLEANTIGO = true;
  EXPECT_EQ(Transcribe("Brasil 1.5", false), "]brasil #1'5");
  EXPECT_EQ(Transcribe("Brasil", true), "&brasil");
}

TEST_F(TranscribeTest, PageNumbersAsTheComposerPassesThem) {
  for (const bool oldRules : {false, true}) {
    printSettings.USABRAILLEANTIGO = oldRules;
    EXPECT_EQ(Transcribe("1", false), "#1");
    EXPECT_EQ(Transcribe("120", true), "#120");
  }
}

TEST_F(TranscribeTest, ResetRestoresTheStartOfACopy) {
  transcriptionState.nextQuoteOpens = false;
  transcriptionState.oldNextQuoteOpens = false;
  transcriptionState.inTextParenthesis = true;
  ResetTranscriptionState();
  EXPECT_TRUE(transcriptionState.nextQuoteOpens);
  EXPECT_TRUE(transcriptionState.oldNextQuoteOpens);
  EXPECT_FALSE(transcriptionState.inTextParenthesis);
}

// Two copies of the same lines come out the same when the state is reset
// before each, as the composer does.
TEST_F(TranscribeTest, CopiesComeOutAlikeAfterReset) {
  const char* lines[] = {"\"Sim (disse", "ele) 5)\"", "\"fim"};
  for (const bool oldRules : {false, true}) {
    printSettings.USABRAILLEANTIGO = oldRules;
    std::string first;
    std::string second;
    ResetTranscriptionState();
    for (const char* line : lines) first += Transcribe(line, true) + "|";
    ResetTranscriptionState();
    for (const char* line : lines) second += Transcribe(line, true) + "|";
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, oldRules ? "{&sim (disse|ele) #5)}|{fim|" : "\"\\sim =disse|ele= #5\xE3}|\"fim|");
  }
}

}  // namespace
