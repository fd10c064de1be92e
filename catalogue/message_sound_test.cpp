// A message is heard from its recording when there is one, else spoken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/brmsg.h"
#include "speech/speech_test_support.h"

namespace {

using speech_testing::SpeechTest;
using Sounds = std::vector<std::string>;

TEST_F(SpeechTest, AMessageIsPlayedFromItsRecordingOrSpoken) {
  testing_support::ConsoleCapture console;
  ShowMessage("BRFIMTRA", 1);
  EXPECT_EQ(Heard(), Sounds{"memory"}) << "no recording: the translator says the text";
  WriteSound("BRFIMTRA", 500);
  ForgetHeard();
  ShowMessage("BRFIMTRA", 1);
  EXPECT_EQ(Heard(), Sounds{"BRFIMTRA"});
  EXPECT_EQ(console.Text(), "Fim de trabalho\nFim de trabalho\n");
}

}  // namespace
