#include "tts/letter_sound.h"

#include <fstream>
#include <cstdint>
#include <string_view>

#include "platform/wav_format.h"

namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;

}  // namespace

std::string ReadLetterSoundSamples(const std::string& linuxPath) {
  std::ifstream file(linuxPath, std::ios::binary);
  if (!file) return {};
  std::string bytes;
  bytes.resize(kMaxFileBytes);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));

  WavFormat format;
  std::string_view samples;
  if (!FindWavImageSamples(bytes, format, samples)) return {};
  const bool outputFormat =
      format.formatTag == 1 && format.channels == 1 && format.samplesPerSecond == 11025 && format.bitsPerSample == 8;
  if (!outputFormat) return {};
  return std::string(samples);
}
