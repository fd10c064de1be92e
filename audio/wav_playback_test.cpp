#include "audio/wav_playback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ConsoleCapture;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WavSamples;
using testing_support::WriteFile;

std::string Little(unsigned value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return out;
}

std::string Chunk(const std::string& id, const std::string& body) {
  return id + Little(static_cast<unsigned>(body.size()), 4) + body;
}

// A WAV file as other programs write it, with any chunks between "fmt " and
// "data".
std::string WavBytes(const std::string& samples, unsigned rate, unsigned channels, unsigned bits,
                     const std::string& between = "") {
  const unsigned align = channels * bits / 8;
  const std::string format = Little(1, 2) + Little(channels, 2) + Little(rate, 4) + Little(rate * align, 4) +
                             Little(align, 2) + Little(bits, 2);
  const std::string body = "WAVE" + Chunk("fmt ", format) + between + Chunk("data", samples);
  return "RIFF" + Little(static_cast<unsigned>(body.size()), 4) + body;
}

// An output that keeps every buffer until it is reset or closed, or finished
// by the test (or at once, with hold off), and records what it was asked.
struct FakeRecord {
  std::deque<int> openResults;  // of the next opens; then 0
  int opens = 0;
  std::vector<int> writes;  // lengths
  std::deque<int> held;     // slots
  int releaseResult = kAudioOk;
  int resets = 0;
  bool hold = true;
} fake;

void FinishOne() {
  ReportBufferDone(fake.held.front());
  fake.held.pop_front();
}

class FakeOutput final : public AudioOutput {
 public:
  int Open(const AudioFormat&) override {
    ++fake.opens;
    const int result = fake.openResults.empty() ? kAudioOk : fake.openResults.front();
    if (!fake.openResults.empty()) fake.openResults.pop_front();
    return result;
  }
  int Write(int slot, const unsigned char*, int length) override {
    fake.writes.push_back(length);
    fake.held.push_back(slot);
    if (!fake.hold) FinishOne();
    return kAudioOk;
  }
  int Release(int) override { return fake.releaseResult; }
  void Reset() override {
    ++fake.resets;
    while (!fake.held.empty()) FinishOne();
  }
  void Close() override {}
};

std::vector<int> delays;
void RecordDelay(int milliseconds) {
  delays.push_back(milliseconds);
  PumpMessages();
}

class WavPlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ChooseAudioOutput("null:" + log);
    ResetWavPlayback();
    ClearKeyQueue();
    fake = FakeRecord{};
    delays.clear();
    SetDelayHandler(RecordDelay);
  }
  void TearDown() override {
    ResetWavPlayback();
    ChooseAudioOutput("null:" + log);
    ClearKeyQueue();
    SetDelayHandler(nullptr);
    SetKeySource(nullptr);
  }
  // The log lines, without the source when asked.
  std::vector<std::string> Played(bool withSource = true) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(log));
    for (std::string line; std::getline(in, line);)
      lines.push_back(withSource ? line : line.substr(line.find(' ') + 1));
    return lines;
  }
  std::string File(const std::string& bytes) {
    const std::string path = dir.File("sound" + std::to_string(++files) + ".wav");
    WriteFile(path, bytes);
    return path;
  }
  int PlayFile(const std::string& bytes) { return PlayWavFile(File(bytes)); }
  static int Play(const std::string& samples, int rate, int channels, int bits) {
    return PlaySamples(reinterpret_cast<const unsigned char*>(samples.data()), static_cast<int>(samples.size()), rate,
                       channels, bits);
  }

  TempDir dir;
  std::string log = dir.File("played.log");
  int files = 0;
};

TEST_F(WavPlaybackTest, DataIsPlayedInSlotSizedPiecesTheLastOfAtLeast257Bytes) {
  for (const auto& [size, pieces] : std::vector<std::pair<int, std::string>>{{65534, "[65534]"},
                                                                             {65535, "[65278 257]"},
                                                                             {65600, "[65278 322]"},
                                                                             {65790, "[65534 256]"},
                                                                             {65534 + 65600, "[65534 65278 322]"}}) {
    EXPECT_EQ(PlayFile(WavBytes(std::string(static_cast<std::size_t>(size), 'x'), 11025, 1, 8)), 0);
    EXPECT_EQ(Played(false).back(), "11025 8 1 " + std::to_string(size) + " " + pieces);
  }
  EXPECT_FALSE(IsPlaying());
}

TEST_F(WavPlaybackTest, ShortPiecesArePaddedWithSilenceTo256Bytes) {
  const std::string path = dir.File("out.wav");
  ChooseAudioOutput("wav:" + path);
  // 8-bit mono: a piece also ends on silence, unless it fills its slot.
  EXPECT_EQ(Play(std::string(100, '\xC8'), 11025, 1, 8), 0);
  EXPECT_EQ(Play(std::string(65535, '\xC8'), 11025, 1, 8), 0);
  EXPECT_EQ(WavSamples(ReadFile(path)),
            std::string(99, '\xC8') + std::string(157, '\x80') + std::string(65534, '\xC8') + std::string(256, '\x80'));
  // 16-bit: silence is 0, whatever the slot held before.
  StopPlayback();
  ChooseAudioOutput("wav:" + path);
  for (int round = 0; round < 5; ++round) EXPECT_EQ(Play(std::string(65534, 'U'), 11025, 1, 16), 0);
  EXPECT_EQ(Play(std::string(100, 'U'), 11025, 1, 16), 0);
  EXPECT_EQ(WavSamples(ReadFile(path)).substr(5 * 65534), std::string(100, 'U') + std::string(156, '\0'));
}

TEST_F(WavPlaybackTest, FastAndCutFlagsChangeWhatIsPlayed) {
  playbackFlags.fast = true;
  EXPECT_EQ(PlayFile(WavBytes(std::string(500, 'x'), 11025, 1, 8)), 0);
  EXPECT_EQ(Play(std::string(500, 'x'), 22050, 2, 16), 0);
  playbackFlags.fast = false;
  playbackFlags.cut = true;
  std::string voice;  // 20000 samples of 110 Hz at 11025 Hz, 16-bit
  for (int i = 0; i < 20000; ++i)
    voice += Little(static_cast<unsigned>(std::lround(12000 * std::sin(2 * M_PI * i / 100))), 2);
  EXPECT_EQ(PlayFile(WavBytes(voice, 11025, 1, 16)), 0);
  EXPECT_EQ(PlayFile(WavBytes(voice, 11025, 2, 16)), 0);

  const std::vector<std::string> played = Played(false);
  ASSERT_EQ(played.size(), 4u);
  EXPECT_EQ(played[0], "16537 8 1 500 [500]");
  EXPECT_EQ(played[1], "33075 16 2 500 [500]");
  EXPECT_EQ(played[2].substr(0, 10), "11025 8 1 ");
  EXPECT_NEAR(std::stoi(played[2].substr(10)), 10000, 1500);  // about half of the samples
  EXPECT_EQ(played[3], "11025 16 2 40000 [40000]");
}

TEST_F(WavPlaybackTest, FilesThatAreNotWavAreNotPlayed) {
  const std::string sound(300, 'x');
  const std::string wav = WavBytes(sound, 11025, 1, 8);
  EXPECT_EQ(PlayWavFile(dir.File("missing.wav")), -1);
  EXPECT_EQ(PlayFile("Isto \xE9 um texto, n\xE3o um som.\r\n"), -1);
  EXPECT_EQ(PlayFile(wav.substr(0, 12) + Chunk("LIST", "abcd") + wav.substr(12)), -1);   // "fmt " not first
  EXPECT_EQ(PlayFile(wav.substr(0, 36)), -1);                                            // no data chunk
  EXPECT_EQ(PlayFile(wav.substr(0, 36) + "junk" + Little(0xFFFFFFF0u, 4) + "abc"), -1);  // chunk past the end
  EXPECT_EQ(PlayFile(wav.substr(0, 44)), -1);                                            // nothing to read
  EXPECT_TRUE(Played().empty());
  EXPECT_EQ(PlayFile(wav.substr(0, 40) + Little(0x7FFFFFF0u, 4) + sound), 0);  // data size past the end
  EXPECT_EQ(Played(false), (std::vector<std::string>{"11025 8 1 300 [300]"}));
}

TEST_F(WavPlaybackTest, ChunksBeforeDataAreSkippedAndIdsIgnoreCase) {
  const std::string samples(1000, 'a');
  std::string wav = WavBytes(samples, 8000, 1, 8, Chunk("LIST", std::string(26, 'i')) + Chunk("fact", Little(1000, 4)));
  wav.replace(0, 4, "riff");
  wav.replace(12, 4, "FMT ");
  wav.replace(wav.size() - 1008, 4, "Data");
  EXPECT_EQ(PlayFile(wav), 0);
  // Images: the "fmt " body at 20, then the chunks.
  PlayWavImage(WavBytes(samples, 11025, 1, 8, Chunk("LIST", "xy")));
  PlayWavImage(MakeWavImage(std::string(500, 'b'), 22050, 2, 16));
  PlayWavImage("not a sound at all, but long enough for a header ...");
  PlayWavImage(WavBytes(samples, 11025, 1, 8).substr(0, 144));  // data cut short
  EXPECT_EQ(Played(false), (std::vector<std::string>{"8000 8 1 1000 [1000]", "11025 8 1 1000 [1000]",
                                                     "22050 16 2 500 [500]", "11025 8 1 256 [256]"}));
}

TEST_F(WavPlaybackTest, OddSizedChunksAreFollowedByAPadByte) {
  // A 3-byte LIST chunk takes 4 bytes in the file: the pad byte is skipped.
  const std::string samples(1000, 'a');
  const std::string wav = WavBytes(samples, 8000, 1, 8, Chunk("LIST", "abc") + std::string(1, '\0'));
  EXPECT_EQ(PlayFile(wav), 0);
  PlayWavImage(wav);
  EXPECT_EQ(Played(false), (std::vector<std::string>{"8000 8 1 1000 [1000]", "8000 8 1 1000 [1000]"}));
}

TEST_F(WavPlaybackTest, AKeyQueuedDuringALongFileStopsItAndStaysQueued) {
  UseAudioOutput(std::make_unique<FakeOutput>());
  // The key arrives while the player waits for a free slot.
  SetDelayHandler([](int milliseconds) {
    RecordDelay(milliseconds);
    if (delays.size() == 3) QueueKey('a');
  });
  EXPECT_EQ(PlayFile(WavBytes(std::string(10 * 65534, 'x'), 11025, 1, 8)), 0);
  EXPECT_EQ(delays, (std::vector<int>{10, 10, 10}));  // stopped at the first look after the key
  EXPECT_EQ(fake.writes.size(), 4u);
  EXPECT_EQ(fake.resets, 1);
  EXPECT_EQ(QueuedBuffers(), 0);
  EXPECT_FALSE(AudioOutputIsOpen());
  EXPECT_EQ(keyQueue.count, 1);
  // With the key still queued nothing more is played.
  EXPECT_EQ(PlayFile(WavBytes(std::string(100, 'x'), 11025, 1, 8)), 0);
  EXPECT_EQ(Play(std::string(100, 'x'), 11025, 1, 8), 0);
  EXPECT_EQ(fake.writes.size(), 4u);
  EXPECT_EQ(keyQueue.count, 1);
}

TEST_F(WavPlaybackTest, OutputClosesWhenPlaybackRunsOutOrIsStopped) {
  UseAudioOutput(std::make_unique<FakeOutput>());
  playbackFlags.waitForEnd = false;
  EXPECT_EQ(PlayFile(WavBytes(std::string(2 * 65534, 'x'), 11025, 1, 8)), 0);
  EXPECT_EQ(QueuedBuffers(), 2);
  FinishOne();
  EXPECT_TRUE(IsPlaying());
  EXPECT_TRUE(AudioOutputIsOpen());
  FinishOne();
  EXPECT_FALSE(IsPlaying());
  EXPECT_FALSE(AudioOutputIsOpen());
  EXPECT_EQ(fake.resets, 0);

  EXPECT_EQ(Play(std::string(1000, 'x'), 11025, 1, 8), 0);
  StopPlayback();
  EXPECT_EQ(fake.resets, 1);
  EXPECT_EQ(QueuedBuffers(), 0);
  EXPECT_FALSE(AudioOutputIsOpen());
}

TEST_F(WavPlaybackTest, BusyOutputIsRetriedEvery100MsAtMost100Times) {
  UseAudioOutput(std::make_unique<FakeOutput>());
  fake.hold = false;
  fake.openResults = {kAudioAllocated, kAudioAllocated, kAudioAllocated};
  EXPECT_EQ(Play(std::string(100, 'x'), 11025, 1, 8), 0);
  EXPECT_EQ(delays, (std::vector<int>{100, 100, 100}));
  EXPECT_EQ(fake.writes, (std::vector<int>{256}));

  StopPlayback();
  delays.clear();
  fake.openResults.assign(200, kAudioAllocated);
  EXPECT_EQ(PlayFile(WavBytes(std::string(100, 'x'), 8000, 1, 8)), kAudioAllocated);
  EXPECT_EQ(delays, std::vector<int>(99, 100));
  EXPECT_EQ(fake.writes.size(), 1u);
}

TEST_F(WavPlaybackTest, BufferDoneFailuresAreShownAndWaitForEnter) {
  UseAudioOutput(std::make_unique<FakeOutput>());
  fake.hold = false;
  static int keysRead;
  SetKeySource([] { return ++keysRead == 1 ? 'x' : 13; });
  for (const auto& [code, message] : std::vector<std::pair<int, std::string>>{
           {kAudioInvalidHandle, "Specified device handle is invalid."},
           {kAudioNoDriver, "No device driver is present."},
           {kAudioNoMemory, "Unable to allocate or lock memory."},
           {kAudioStillPlaying, "The data block pointed to by the pwh parameter is still in queue"},
           {99, ""}}) {
    ConsoleCapture console;
    keysRead = 0;
    fake.releaseResult = code;
    EXPECT_EQ(Play(std::string(100, 'x'), 11025, 1, 8), 0);
    EXPECT_FALSE(IsPlaying());
    EXPECT_EQ(console.Text(), message);
    EXPECT_EQ(keysRead, 2) << code;  // 'x' does not end the wait; Enter does
  }
  // A report after the output has closed: the count stays at zero.
  ConsoleCapture console;
  keysRead = 1;
  PostAudioDone(0);
  PumpMessages();
  EXPECT_EQ(QueuedBuffers(), 0);
  EXPECT_EQ(console.Text(), "Specified device handle is invalid.");
}

}  // namespace
