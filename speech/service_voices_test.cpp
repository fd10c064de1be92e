#include "speech/service_voices.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Names(const std::vector<ServiceVoice>& voices) {
  std::vector<std::string> names;
  for (const ServiceVoice& voice : voices) names.push_back(voice.name);
  return names;
}

TEST(ServiceVoicesTest, PortugueseVoicesComeFirst) {
  const std::vector<ServiceVoice> listed{{"afrikaans", "af"},     {"lisboa", "pt-PT"}, {"ingles", "en-US"},
                                         {"carioca", "pt-BR"},    {"portugues", "pt"}, {"paulista", "pt_br"},
                                         {"pashto", "ps"},        {"ptolemy", "ptx"}};
  EXPECT_EQ(Names(NumberedServiceVoices(listed)),
            (std::vector<std::string>{"carioca", "paulista", "lisboa", "portugues", "afrikaans", "ingles", "pashto",
                                      "ptolemy"}));
  EXPECT_TRUE(NumberedServiceVoices({}).empty());
}

TEST(ServiceVoicesTest, AVoiceNumberOutOfRangeTakesTheFirstVoiceAtRateZero) {
  // Voice 9 of a system with two voices: the first voice at rate 0.
  EXPECT_EQ(ChooseServiceVoice(2, 9, 5).index, 0u);
  EXPECT_EQ(ChooseServiceVoice(2, 9, 5).rate, 0);
  EXPECT_EQ(ChooseServiceVoice(2, 0, -4).rate, 0);
  EXPECT_EQ(ChooseServiceVoice(2, -1, 3).index, 0u);
  // In range: that voice, the rate kept.
  EXPECT_EQ(ChooseServiceVoice(2, 2, 5).index, 1u);
  EXPECT_EQ(ChooseServiceVoice(2, 2, 5).rate, 5);
  EXPECT_EQ(ChooseServiceVoice(2, 1, -3).rate, -3);
}

}  // namespace
