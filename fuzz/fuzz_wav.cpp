// Feeds arbitrary bytes to the WAV player, as a file and as an image in
// memory, on the null audio output.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/console.h"
#include "platform/audio_output.h"
#include "speech/wav_playback.h"

namespace {

std::string soundPath;

void RemoveSound() { unlink(soundPath.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/relevix-fuzz-sound-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) std::abort();
  close(fd);
  soundPath = pattern;
  std::atexit(RemoveSound);
  SetConsoleStream(std::fopen("/dev/null", "w"));
  ChooseAudioOutput("null:/dev/null");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(soundPath.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  PlayWavFile(soundPath);
  PlayWavImage(std::string_view(reinterpret_cast<const char*>(data), size));
  StopPlayback();
  return 0;
}
