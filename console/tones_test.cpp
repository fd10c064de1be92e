#include <string>

#include "console/console_test_fixture.h"
#include "console/tones.h"

namespace {

using namespace console_testing;

unsigned Field(const std::string& image, std::size_t offset, int bytes) {
  unsigned value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value * 256 + static_cast<unsigned char>(image[offset + static_cast<std::size_t>(i)]);
  return value;
}

TEST(ToneImageTest, HeaderIsEightBitMonoPcmAt11025) {
  const std::string image = MakeToneImage(800);
  ASSERT_GE(image.size(), 44u);
  EXPECT_EQ(image.substr(0, 4), "RIFF");
  EXPECT_EQ(image.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(Field(image, 16, 4), 16u);
  EXPECT_EQ(Field(image, 20, 2), 1u);
  EXPECT_EQ(Field(image, 22, 2), 1u);
  EXPECT_EQ(Field(image, 24, 4), 11025u);
  EXPECT_EQ(Field(image, 28, 4), 11025u);
  EXPECT_EQ(Field(image, 32, 2), 1u);
  EXPECT_EQ(Field(image, 34, 2), 8u);
  EXPECT_EQ(image.substr(36, 4), "data");
  const unsigned dataSize = Field(image, 40, 4);
  EXPECT_EQ(Field(image, 4, 4), dataSize + 36);
  EXPECT_EQ(image.size(), 44 + dataSize);
  EXPECT_LE(image.size(), 11071u);
}

TEST(ToneImageTest, PeriodsAreLowThenHighAndTheLastSampleIsTheMidpoint) {
  // 2205 Hz: periods of exactly 5 samples, 2 low and 3 high, one second.
  std::string samples = testing_support::WavSamples(MakeToneImage(2205));
  ASSERT_EQ(samples.size(), 11025u);
  EXPECT_EQ(static_cast<unsigned char>(samples.back()), 128);
  samples.back() = static_cast<char>(160);
  std::string period = "\x60\x60\xA0\xA0\xA0";
  std::string expected;
  for (int i = 0; i < 2205; ++i) expected += period;
  EXPECT_EQ(samples, expected);

  // 800 Hz: p = 13, so 6 low samples; period 1 starts at 13, period 2 at
  // 27 (1 x 11025 div 800 = 13, 2 x 11025 div 800 = 27).
  const std::string tone = testing_support::WavSamples(MakeToneImage(800));
  EXPECT_EQ(tone.substr(0, 13), std::string(6, '\x60') + std::string(7, '\xA0'));
  EXPECT_EQ(tone.substr(13, 14), std::string(6, '\x60') + std::string(8, '\xA0'));
  EXPECT_EQ(tone.substr(27, 6), std::string(6, '\x60'));
  EXPECT_EQ(tone.size(), 11025u);
}

TEST(ToneImageTest, FrequenciesWithoutAWholeSamplePeriodGiveNoTone) {
  EXPECT_TRUE(MakeToneImage(0).empty());
  EXPECT_TRUE(MakeToneImage(-5).empty());
  EXPECT_TRUE(MakeToneImage(11026).empty());
  EXPECT_FALSE(MakeToneImage(11025).empty());
  EXPECT_FALSE(MakeToneImage(1).empty());
}

TEST(ToneImageTest, StartToneKeepsTheImageUntilStopTone) {
  testing_support::ScopedEnv silent("RELEVIX_AUDIO", "null");
  StartTone(400);
  EXPECT_EQ(toneState.frequency, 400);
  EXPECT_EQ(toneState.image, MakeToneImage(400));
  StartTone(0);  // stops the previous tone, plays nothing
  EXPECT_EQ(toneState.frequency, 0);
  StartTone(1600);
  StopTone();
  EXPECT_EQ(toneState.frequency, 0);
  EXPECT_TRUE(toneState.image.empty());
}

}  // namespace
