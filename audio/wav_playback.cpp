#include "audio/wav_playback.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "audio/pitch_compression.h"
#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"
#include "platform/paths.h"
#include "platform/wav_format.h"

PlaybackFlags playbackFlags;

namespace {

constexpr int kSlotCount = 4;
constexpr int kSlotBytes = 65534;
// A data chunk with 65535..65789 bytes left is cut short of a full slot, so
// that its last piece still holds at least 257 bytes.
constexpr int kShortenedPieceBytes = 65278;
constexpr int kShortenedPieceUpTo = 65789;
constexpr int kMinimumBufferBytes = 256;
constexpr unsigned char kSilence8 = 128;
constexpr int kPollMilliseconds = 10;
constexpr int kQueueWaitRounds = 40;
constexpr int kQueueWaitMilliseconds = 50;
constexpr int kOpenAttempts = 100;
constexpr int kOpenRetryMilliseconds = 100;

struct WavPlaybackState {
  AudioFormat format;                             // of the device, opened or last asked for
  std::vector<std::vector<unsigned char>> slots;  // data blocks, made on first use
  int lastSlot = kSlotCount - 1;                  // slots are used in rotation 0, 1, 2, 3, 0, ...
  int queuedCount = 0;                            // handed to the output and not yet back
  std::vector<unsigned char> readBuffer;          // pieces of a WAV file
  std::vector<unsigned char> cutBuffer;           // a piece being compressed
};

WavPlaybackState playback;

void AllocateBlocks() {
  if (!playback.slots.empty()) return;
  playback.slots.assign(kSlotCount, std::vector<unsigned char>(kSlotBytes));
  playback.readBuffer.resize(kSlotBytes);
  playback.cutBuffer.resize(kSlotBytes);
}

bool KeyCancels() { return playbackFlags.keyCancel && KeyPressed(); }

const char* BufferErrorMessage(int code) {
  switch (code) {
    case kAudioInvalidHandle:
      return "Specified device handle is invalid.";
    case kAudioNoDriver:
      return "No device driver is present.";
    case kAudioNoMemory:
      return "Unable to allocate or lock memory.";
    case kAudioStillPlaying:
      return "The data block pointed to by the pwh parameter is still in queue";
    default:
      return "";
  }
}

// Waits for Enter. ESC ends the wait too: it is what the console answers
// when there is no one at the keyboard, and the program must not hang then.
void WaitForEnter() {
  for (int key = ReadKey(); key != kEnterKey && key != kEscapeKey; key = ReadKey()) {
  }
}

// Runs on the main thread, from the event pump, for every buffer the output
// reports done.
void BufferDone(int slot) {
  const int result = ReleaseAudioBuffer(slot);
  if (result != kAudioOk) {
    WriteToConsole(BufferErrorMessage(result));
    FlushConsole();
    WaitForEnter();
  }
  playback.queuedCount = std::max(0, playback.queuedCount - 1);
}

int OpenWaveOutput(const AudioFormat& format) {
  if (!(format == playback.format)) {
    while (IsPlaying()) WaitForMessages(kPollMilliseconds);
  }
  playback.format = format;
  if (AudioOutputIsOpen()) return kAudioOk;
  SetAudioDoneHandler(BufferDone);
  int result = OpenAudioOutput(format, PostAudioDone);
  for (int attempt = 1; result == kAudioAllocated && attempt < kOpenAttempts; ++attempt) {
    Delay(kOpenRetryMilliseconds);
    result = OpenAudioOutput(format, PostAudioDone);
  }
  return result;
}

// Copies one piece into the next slot and hands it to the output: at least
// 256 bytes, the rest silence; 8-bit mono pieces end on silence unless they
// fill the slot.
int QueuePiece(const unsigned char* data, int length) {
  if (length <= 0) return kAudioOk;
  for (int round = 0; playback.queuedCount >= kSlotCount && round < kQueueWaitRounds; ++round) {
    PumpMessages();
    Delay(kQueueWaitMilliseconds);
  }
  // Every slot still busy: the piece would overwrite sound being played.
  if (playback.queuedCount >= kSlotCount) return kAudioStillPlaying;
  ++playback.queuedCount;
  playback.lastSlot = (playback.lastSlot + 1) % kSlotCount;
  std::vector<unsigned char>& block = playback.slots[static_cast<std::size_t>(playback.lastSlot)];
  const AudioFormat& format = playback.format;
  const int bufferLength = std::max(length, kMinimumBufferBytes);
  std::copy(data, data + length, block.begin());
  std::fill(block.begin() + length, block.begin() + bufferLength, format.bitsPerSample == 8 ? kSilence8 : 0);
  if (format.channels == 1 && format.bitsPerSample == 8 && length != kSlotBytes) {
    block[static_cast<std::size_t>(length - 1)] = kSilence8;
  }
  const int result = WriteAudioBuffer(playback.lastSlot, block.data(), bufferLength);
  // Not taken: no report will come back for it.
  if (result != kAudioOk) --playback.queuedCount;
  return result;
}

// PlaySamples without the log line, for the pieces of one file.
int QueueSamples(const unsigned char* samples, int byteCount, int samplesPerSecond, int channels, int bitsPerSample) {
  if (playbackFlags.fast) {
    samplesPerSecond = static_cast<int>(std::min<long long>(samplesPerSecond * 3LL / 2, INT_MAX));
  }
  const bool toEightBits = playbackFlags.cut && channels == 1 && bitsPerSample == 16;
  const int result = OpenWaveOutput({samplesPerSecond, toEightBits ? 8 : bitsPerSample, channels});
  if (result != kAudioOk) return result;
  AllocateBlocks();
  for (int offset = 0; offset < byteCount;) {
    for (;;) {
      if (KeyCancels()) {
        StopPlayback();
        return kAudioOk;
      }
      if (playback.queuedCount < kSlotCount) break;
      Delay(kPollMilliseconds);
    }
    const int piece = std::min(kSlotBytes, byteCount - offset);
    int queued;
    if (playbackFlags.cut && channels == 1) {
      std::copy(samples + offset, samples + offset + piece, playback.cutBuffer.begin());
      const int length = CompressPitchPeriods(playback.cutBuffer.data(), piece, bitsPerSample, samplesPerSecond);
      queued = QueuePiece(playback.cutBuffer.data(), length);
    } else {
      queued = QueuePiece(samples + offset, piece);
    }
    if (queued != kAudioOk) return queued;
    offset += piece;
  }
  return kAudioOk;
}

bool ReadExactly(std::FILE* file, unsigned char* buffer, std::size_t count) {
  return std::fread(buffer, 1, count, file) == count;
}

// An open WAV file, read by ReadWavHeader; skipping reads through the
// playback's buffer, so a pipe or a special file works as well as a disk file.
struct WavFileSource {
  std::FILE* file;
  bool Read(unsigned char* buffer, std::size_t count) { return ReadExactly(file, buffer, count); }
  bool Skip(std::uint64_t size) {
    while (size > 0) {
      const std::size_t step = static_cast<std::size_t>(std::min<std::uint64_t>(size, playback.readBuffer.size()));
      if (!ReadExactly(file, playback.readBuffer.data(), step)) return false;
      size -= step;
    }
    return true;
  }
};

// Plays the data chunk piece by piece; the last code, -1 if nothing played.
int PlayDataChunk(std::FILE* file, std::uint32_t dataBytes, const WavFormat& format) {
  int result = -1;
  std::uint32_t remaining = dataBytes;
  while (remaining > 0) {
    std::uint32_t piece = std::min<std::uint32_t>(remaining, kSlotBytes);
    if (remaining > kSlotBytes && remaining <= kShortenedPieceUpTo) piece = kShortenedPieceBytes;
    const std::size_t got = std::fread(playback.readBuffer.data(), 1, piece, file);
    if (got == 0) break;
    result = QueueSamples(playback.readBuffer.data(), static_cast<int>(got), format.samplesPerSecond, format.channels,
                          format.bitsPerSample);
    remaining -= static_cast<std::uint32_t>(got);
    if (result != kAudioOk || KeyCancels()) break;
  }
  return result;
}

}  // namespace

int PlayWavFile(std::string_view path) {
  if (KeyCancels()) return 0;
  AllocateBlocks();
  const std::string linuxPath = LinuxPath(path);
  std::FILE* file = std::fopen(linuxPath.c_str(), "rb");
  if (file == nullptr) return -1;
  WavFormat format;
  std::uint32_t dataBytes = 0;
  WavFileSource source{file};
  if (!ReadWavHeader(source, format, dataBytes)) {
    std::fclose(file);
    return -1;
  }
  const int result = PlayDataChunk(file, dataBytes, format);
  std::fclose(file);
  if (result == kAudioOk) LogAudioSound(linuxPath);
  if (playbackFlags.waitForEnd) {
    while (IsPlaying()) WaitForMessages(kPollMilliseconds);
  }
  return result;
}

void PlayWavImage(std::string_view image) {
  WavFormat format;
  std::string_view samples;
  if (!FindWavImageSamples(image, format, samples)) return;
  const std::size_t length = std::min(samples.size(), static_cast<std::size_t>(INT_MAX));
  PlaySamples(reinterpret_cast<const unsigned char*>(samples.data()), static_cast<int>(length),
              format.samplesPerSecond, format.channels, format.bitsPerSample);
}

int PlaySamples(const unsigned char* samples, int byteCount, int samplesPerSecond, int channels, int bitsPerSample) {
  const int result = QueueSamples(samples, byteCount, samplesPerSecond, channels, bitsPerSample);
  if (result == kAudioOk) LogAudioSound("memory");
  return result;
}

bool IsPlaying() {
  PumpMessages();
  if (KeyCancels() || playback.queuedCount == 0) StopPlayback();
  return playback.queuedCount > 0;
}

void StopPlayback() {
  if (!AudioOutputIsOpen()) return;
  if (playback.queuedCount > 0) ResetAudioOutput();
  PumpMessages();
  CloseAudioOutput();
  PumpMessages();
}

int QueuedBuffers() { return playback.queuedCount; }

void ResetWavPlayback() {
  StopPlayback();
  playbackFlags = PlaybackFlags{};
  playback.format = AudioFormat{};
  playback.lastSlot = kSlotCount - 1;
  playback.queuedCount = 0;
}

std::string MakeWavImage(std::string_view samples, int samplesPerSecond, int channels, int bitsPerSample) {
  const AudioFormat format{samplesPerSecond, bitsPerSample, channels};
  return PcmWavHeader(format, static_cast<std::uint32_t>(samples.size()), 1) + std::string(samples);
}
