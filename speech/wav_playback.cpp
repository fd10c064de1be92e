#include "speech/wav_playback.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"
#include "platform/paths.h"
#include "speech/pitch_compression.h"

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
constexpr int kEnter = 13;
constexpr int kEscape = 27;

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
  for (int key = ReadKey(); key != kEnter && key != kEscape; key = ReadKey()) {
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

std::uint32_t Little16(const unsigned char* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }

std::uint32_t Little32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Chunk identifiers compare without regard to letter case.
bool SameChunkId(const unsigned char* id, const char* name) {
  for (int i = 0; i < 4; ++i) {
    if (std::tolower(id[i]) != std::tolower(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

struct SoundFormat {
  int samplesPerSecond = 0;
  int channels = 0;
  int bitsPerSample = 0;
};

// The format fields of a "fmt " body (at least 16 bytes).
SoundFormat FormatOf(const unsigned char* body) {
  return {static_cast<int>(Little32(body + 4)), static_cast<int>(Little16(body + 2)),
          static_cast<int>(Little16(body + 14))};
}

bool ReadExactly(std::FILE* file, unsigned char* buffer, std::size_t count) {
  return std::fread(buffer, 1, count, file) == count;
}

// A chunk body of odd size is followed by one pad byte (RIFF rule), as
// written by every tool that adds LIST or other odd-sized chunks.
std::uint64_t PaddedSize(std::uint32_t size) { return std::uint64_t{size} + (size & 1u); }

// Reads past a chunk body; false when the file ends first.
bool SkipChunkBody(std::FILE* file, std::uint64_t size) {
  while (size > 0) {
    const std::size_t step = static_cast<std::size_t>(std::min<std::uint64_t>(size, playback.readBuffer.size()));
    if (!ReadExactly(file, playback.readBuffer.data(), step)) return false;
    size -= step;
  }
  return true;
}

// Reads the RIFF header and the "fmt " chunk and walks the chunks after it
// to "data"; the file is left at the start of the sound.
bool FindDataChunk(std::FILE* file, SoundFormat& format, std::uint32_t& dataBytes) {
  unsigned char header[12];
  if (!ReadExactly(file, header, sizeof header) || !SameChunkId(header, "RIFF")) return false;
  unsigned char chunk[8];
  if (!ReadExactly(file, chunk, sizeof chunk) || !SameChunkId(chunk, "fmt ")) return false;
  const std::uint32_t formatBytes = Little32(chunk + 4);
  unsigned char body[16];
  if (formatBytes < sizeof body || !ReadExactly(file, body, sizeof body)) return false;
  if (!SkipChunkBody(file, PaddedSize(formatBytes) - sizeof body)) return false;
  format = FormatOf(body);
  for (;;) {
    if (!ReadExactly(file, chunk, sizeof chunk)) return false;
    if (SameChunkId(chunk, "data")) {
      dataBytes = Little32(chunk + 4);
      return true;
    }
    if (!SkipChunkBody(file, PaddedSize(Little32(chunk + 4)))) return false;
  }
}

// Plays the data chunk piece by piece; the last code, -1 if nothing played.
int PlayDataChunk(std::FILE* file, std::uint32_t dataBytes, const SoundFormat& format) {
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
  SoundFormat format;
  std::uint32_t dataBytes = 0;
  if (!FindDataChunk(file, format, dataBytes)) {
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
  const auto* bytes = reinterpret_cast<const unsigned char*>(image.data());
  // The "fmt " fields end at byte 36.
  if (image.size() < 36 || !SameChunkId(bytes, "RIFF") || !SameChunkId(bytes + 12, "fmt ")) return;
  const SoundFormat format = FormatOf(bytes + 20);
  std::uint64_t offset = 20 + PaddedSize(Little32(bytes + 16));
  while (offset + 8 <= image.size()) {
    const std::size_t size = Little32(bytes + offset + 4);
    if (SameChunkId(bytes + offset, "data")) {
      // A size past the end of the image plays what is there.
      const std::size_t available = std::min({size, image.size() - offset - 8, static_cast<std::size_t>(INT_MAX)});
      PlaySamples(bytes + offset + 8, static_cast<int>(available), format.samplesPerSecond, format.channels,
                  format.bitsPerSample);
      return;
    }
    offset += 8 + PaddedSize(static_cast<std::uint32_t>(size));
  }
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
