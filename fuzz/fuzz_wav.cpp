// Feeds arbitrary bytes to the WAV player, as a file and as an image in
// memory, on the null audio output.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "audio/wav_playback.h"
#include "fuzz/fuzz_input_file.h"
#include "platform/audio_output.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  ChooseAudioOutput("null:/dev/null");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  PlayWavFile(fuzzing::InputPath());
  PlayWavImage(std::string_view(reinterpret_cast<const char*>(data), size));
  StopPlayback();
  return 0;
}
