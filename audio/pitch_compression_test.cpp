#include "audio/pitch_compression.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// A sine around 128 (amplitude 100, at most 228), one clear peak a period,
// followed by loud guard bytes: a window reading past the piece would take
// them for peaks.
std::vector<unsigned char> Periodic(int samples, int period, int guard) {
  std::vector<unsigned char> sound(static_cast<std::size_t>(samples + guard), 255);
  for (int i = 0; i < samples; ++i) {
    sound[static_cast<std::size_t>(i)] =
        static_cast<unsigned char>(128 + std::lround(100 * std::sin(2 * M_PI * i / period)));
  }
  return sound;
}

// Periods counted as rises through the middle.
int RisingCrossings(const std::vector<unsigned char>& sound, int length) {
  int count = 0;
  for (int i = 1; i < length; ++i)
    count += sound[static_cast<std::size_t>(i - 1)] < 128 && sound[static_cast<std::size_t>(i)] >= 128;
  return count;
}

int LoudSamples(const std::vector<unsigned char>& sound, int length) {
  return static_cast<int>(std::count(sound.begin(), sound.begin() + length, 255));
}

TEST(PitchCompression, DropsAboutHalfOfThePeriodsAndReadsOnlyThePiece) {
  // 11025 Hz has its own windows; other rates share wider ones.
  for (const auto& [rate, period] : {std::pair{11025, 100}, std::pair{22050, 400}, std::pair{8000, 400}}) {
    const int length = 20000;
    std::vector<unsigned char> sound = Periodic(length, period, 1000);
    const int periods = RisingCrossings(sound, length);
    const int result = CompressPitchPeriods(sound.data(), length, 8, rate);
    EXPECT_NEAR(result, length / 2, length / 10) << rate;
    EXPECT_NEAR(RisingCrossings(sound, result), periods / 2, periods / 10) << rate;
    EXPECT_EQ(LoudSamples(sound, result), 0) << rate;
  }
  // A piece shorter than the first window of 800..1320.
  std::vector<unsigned char> shortPiece = Periodic(1100, 400, 300);
  const int result = CompressPitchPeriods(shortPiece.data(), 1100, 8, 22050);
  EXPECT_LE(result, 1100);
  EXPECT_EQ(LoudSamples(shortPiece, result), 0);
}

TEST(PitchCompression, SixteenBitSoundBecomesEightBitAndShortPiecesStay) {
  // -32768, 0, 32767, 0x1234 as little-endian 16-bit samples.
  std::vector<unsigned char> sixteen = {0x00, 0x80, 0x00, 0x00, 0xFF, 0x7F, 0x34, 0x12};
  EXPECT_EQ(CompressPitchPeriods(sixteen.data(), 8, 16, 11025), 4);
  EXPECT_EQ(std::vector<unsigned char>(sixteen.begin(), sixteen.begin() + 4),
            (std::vector<unsigned char>{0, 128, 255, 0x92}));

  const std::vector<unsigned char> shortPiece = Periodic(999, 100, 0);
  std::vector<unsigned char> sound = shortPiece;
  EXPECT_EQ(CompressPitchPeriods(sound.data(), 999, 8, 11025), 999);
  EXPECT_EQ(sound, shortPiece);
}

}  // namespace
