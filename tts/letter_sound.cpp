#include "tts/letter_sound.h"

#include <fstream>
#include <cstdint>
#include <string_view>

#include "platform/text_encoding.h"

namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr std::size_t kFmtBody = 20;

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

bool IsChunk(std::string_view bytes, std::size_t at, std::string_view id) {
  return at + 4 <= bytes.size() && EqualsIgnoringCase(bytes.substr(at, 4), id);
}

}  // namespace

std::string ReadLetterSoundSamples(const std::string& linuxPath) {
  std::ifstream file(linuxPath, std::ios::binary);
  if (!file) return {};
  std::string bytes;
  bytes.resize(kMaxFileBytes);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));

  if (!IsChunk(bytes, 0, "RIFF") || !IsChunk(bytes, 12, "fmt ") || bytes.size() < kFmtBody + 16) return {};
  const std::string_view view(bytes);
  const bool outputFormat = Little(view, 20, 2) == 1 && Little(view, 22, 2) == 1 && Little(view, 24, 4) == 11025 &&
                            Little(view, 34, 2) == 8;
  if (!outputFormat) return {};
  // Chunks after the format's body, each skipped by its size, up to "data".
  std::size_t at = kFmtBody + Little(view, 16, 4);
  while (at + 8 <= bytes.size()) {
    const std::size_t size = Little(view, at + 4, 4);
    if (IsChunk(view, at, "data")) return bytes.substr(at + 8, std::min(size, bytes.size() - at - 8));
    at += 8 + size;
  }
  return {};
}
