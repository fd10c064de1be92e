// The one WAV (RIFF/WAVE PCM) header writer and reader of the program, used
// by the audio outputs, the tones, WAV playback, the translator's letter
// sounds, the spoken numbers' pieces, the sound generators and the tests.
// Header-only, so the generators need no library for it.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

struct AudioFormat {
  int samplesPerSecond = 0;
  int bitsPerSample = 0;
  int channels = 0;
  bool operator==(const AudioFormat&) const = default;
};

// What a WAV file's "fmt " chunk says.
struct WavFormat {
  int formatTag = 0;  // 1 is PCM
  int channels = 0;
  int samplesPerSecond = 0;
  int bitsPerSample = 0;
};

// The 44-byte header of a PCM WAV file ("RIFF", "WAVE", a 16-byte "fmt "
// chunk, "data") for that many bytes of samples.
inline std::string PcmWavHeader(const AudioFormat& format, std::uint32_t dataBytes, int blockAlignment) {
  std::string header;
  auto put = [&header](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) header.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  const auto rate = static_cast<std::uint32_t>(format.samplesPerSecond);
  const auto channelCount = static_cast<std::uint32_t>(format.channels);
  const auto bits = static_cast<std::uint32_t>(format.bitsPerSample);
  header += "RIFF";
  put(dataBytes + 36, 4);
  header += "WAVEfmt ";
  put(16, 4);
  put(1, 2);  // PCM
  put(channelCount, 2);
  put(rate, 4);
  put(rate * channelCount * (bits / 8), 4);
  put(static_cast<std::uint32_t>(blockAlignment), 2);
  put(bits, 2);
  header += "data";
  put(dataBytes, 4);
  return header;
}

namespace wav_detail {

inline std::uint32_t Little(const unsigned char* p, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

// Chunk identifiers compare without regard to letter case.
inline bool SameChunkId(const unsigned char* id, const char* name) {
  for (int i = 0; i < 4; ++i) {
    if (std::tolower(id[i]) != std::tolower(static_cast<unsigned char>(name[i]))) return false;
  }
  return true;
}

// A chunk body of odd size is followed by one pad byte (RIFF rule).
inline std::uint64_t PaddedSize(std::uint32_t size) { return std::uint64_t{size} + (size & 1u); }

}  // namespace wav_detail

// Reads the RIFF header and the "fmt " chunk (which must come first) and
// walks the chunks after it to "data". Source offers Read(buffer, count),
// true when exactly count bytes were read, and Skip(count), true when that
// many bytes were passed. On success the source stands at the first sample
// and dataBytes is the size the data chunk declares.
template <class Source>
bool ReadWavHeader(Source& source, WavFormat& format, std::uint32_t& dataBytes) {
  using wav_detail::Little;
  using wav_detail::SameChunkId;
  unsigned char header[12];
  if (!source.Read(header, sizeof header) || !SameChunkId(header, "RIFF")) return false;
  unsigned char chunk[8];
  if (!source.Read(chunk, sizeof chunk) || !SameChunkId(chunk, "fmt ")) return false;
  const std::uint32_t formatBytes = Little(chunk + 4, 4);
  unsigned char body[16];
  if (formatBytes < sizeof body || !source.Read(body, sizeof body)) return false;
  if (!source.Skip(wav_detail::PaddedSize(formatBytes) - sizeof body)) return false;
  format = {static_cast<int>(Little(body, 2)), static_cast<int>(Little(body + 2, 2)),
            static_cast<int>(Little(body + 4, 4)), static_cast<int>(Little(body + 14, 2))};
  for (;;) {
    if (!source.Read(chunk, sizeof chunk)) return false;
    if (SameChunkId(chunk, "data")) {
      dataBytes = Little(chunk + 4, 4);
      return true;
    }
    if (!source.Skip(wav_detail::PaddedSize(Little(chunk + 4, 4)))) return false;
  }
}

// A WAV image held in memory, read by ReadWavHeader.
struct WavMemorySource {
  std::string_view bytes;
  std::size_t at = 0;
  bool Read(unsigned char* buffer, std::size_t count) {
    if (bytes.size() - at < count) return false;
    std::copy_n(bytes.data() + at, count, reinterpret_cast<char*>(buffer));
    at += count;
    return true;
  }
  bool Skip(std::uint64_t count) {
    if (bytes.size() - at < count) return false;
    at += static_cast<std::size_t>(count);
    return true;
  }
};

// The samples of a WAV image in memory: the data chunk, cut at the end of
// the image when it declares more than is there. False when the image is no
// WAV or has no data chunk.
inline bool FindWavImageSamples(std::string_view image, WavFormat& format, std::string_view& samples) {
  WavMemorySource source{image};
  std::uint32_t dataBytes = 0;
  if (!ReadWavHeader(source, format, dataBytes)) return false;
  samples = image.substr(source.at, std::min<std::size_t>(dataBytes, image.size() - source.at));
  return true;
}
