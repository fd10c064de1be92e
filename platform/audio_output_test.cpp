#include "platform/audio_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;

// Buffer-done reports, from whatever thread the output uses.
std::mutex reportMutex;
std::condition_variable reportArrived;
std::vector<int> reported;

void RecordDone(int slot) {
  {
    std::lock_guard lock(reportMutex);
    reported.push_back(slot);
  }
  reportArrived.notify_all();
}

std::vector<int> Reported() {
  std::lock_guard lock(reportMutex);
  return reported;
}

std::string Little(unsigned value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

int Write(int slot, const std::string& bytes) {
  return WriteAudioBuffer(slot, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
}

class AudioOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard lock(reportMutex);
    reported.clear();
  }
  void TearDown() override { ChooseAudioOutput("null:" + dir.File("ignored.log")); }
  TempDir dir;
};

TEST_F(AudioOutputTest, WavOutputAppendsWithAValidHeaderAfterEachBuffer) {
  const std::string path = dir.File("out.wav");
  ChooseAudioOutput("wav:" + path);
  EXPECT_EQ(Write(0, "abcd"), kAudioInvalidHandle);  // not open
  EXPECT_EQ(ReleaseAudioBuffer(0), kAudioInvalidHandle);
  EXPECT_EQ(OpenAudioOutput({11025, 12, 1}, RecordDone), kAudioBadFormat);
  EXPECT_EQ(OpenAudioOutput({11025, 8, 0}, RecordDone), kAudioBadFormat);
  ASSERT_EQ(OpenAudioOutput({22050, 16, 2}, RecordDone), kAudioOk);
  std::string data;
  for (const std::string buffer : {"abcdefgh", "12345678ABCD"}) {
    ASSERT_EQ(Write(0, buffer), kAudioOk);
    data += buffer;
    const auto size = static_cast<unsigned>(data.size());
    EXPECT_EQ(ReadFile(path), "RIFF" + Little(size + 36, 4) + "WAVEfmt " + Little(16, 4) + Little(1, 2) + Little(2, 2) +
                                  Little(22050, 4) + Little(88200, 4) + Little(4, 2) + Little(16, 2) + "data" +
                                  Little(size, 4) + data);
  }
  EXPECT_EQ(Reported(), (std::vector<int>{0, 0}));

  ChooseAudioOutput("wav:" + dir.File("no-such-dir/out.wav"));
  EXPECT_EQ(OpenAudioOutput({11025, 8, 1}, RecordDone), kAudioBadDevice);
}

TEST_F(AudioOutputTest, WavOutputConvertsLaterFormatsToTheFirst) {
  const std::string path = dir.File("out.wav");
  ChooseAudioOutput("wav:" + path);
  ASSERT_EQ(OpenAudioOutput({11025, 8, 1}, RecordDone), kAudioOk);
  ASSERT_EQ(Write(0, "\x0A\x14\x1E"), kAudioOk);
  CloseAudioOutput();
  // Twice the rate, 16-bit stereo, both channels at +16384: half as many
  // 8-bit mono samples of 128 + 64.
  ASSERT_EQ(OpenAudioOutput({22050, 16, 2}, RecordDone), kAudioOk);
  std::string stereo;
  for (int sample = 0; sample < 400; ++sample) stereo += Little(16384, 2);
  ASSERT_EQ(Write(1, stereo), kAudioOk);
  const std::string file = ReadFile(path);
  EXPECT_NEAR(static_cast<double>(file.size()), 44 + 3 + 100, 1);
  EXPECT_EQ(file.substr(24, 4), Little(11025, 4));
  EXPECT_EQ(file.substr(40, 4), Little(static_cast<unsigned>(file.size() - 44), 4));
  EXPECT_EQ(file.substr(44), "\x0A\x14\x1E" + std::string(file.size() - 47, static_cast<char>(192)));
}

TEST_F(AudioOutputTest, SdlOutputPlaysInOrderInRealTimeAndResetsAtOnce) {
  ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
  ChooseAudioOutput("sdl");
  if (OpenAudioOutput({11025, 8, 1}, RecordDone) != kAudioOk) GTEST_SKIP() << "no SDL dummy audio driver";
  const auto start = std::chrono::steady_clock::now();
  static const std::string tenth(1103, '\x80');  // 0.1 s; outlives the test, as the output reads it
  for (int slot = 0; slot < 3; ++slot) ASSERT_EQ(Write(slot, tenth), kAudioOk);
  EXPECT_EQ(ReleaseAudioBuffer(2), kAudioStillPlaying);
  {
    std::unique_lock lock(reportMutex);
    ASSERT_TRUE(reportArrived.wait_for(lock, std::chrono::seconds(5), [] { return reported.size() == 3; }));
  }
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
  EXPECT_EQ(ReleaseAudioBuffer(2), kAudioOk);

  // Four buffers of 6 s: a reset hands them all back, in order, before it
  // returns.
  static const std::string longSound(65534, '\x80');
  for (int slot = 0; slot < 4; ++slot) ASSERT_EQ(Write(slot, longSound), kAudioOk);
  ResetAudioOutput();
  EXPECT_EQ(Reported(), (std::vector<int>{0, 1, 2, 0, 1, 2, 3}));
  CloseAudioOutput();
  EXPECT_FALSE(AudioOutputIsOpen());
}

}  // namespace
