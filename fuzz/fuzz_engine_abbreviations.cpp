// Feeds arbitrary bytes to the engine's abbreviations loader, then
// normalises a text that reaches the abbreviations and number readings.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_input_file.h"
#include "tts/abbreviations.h"
#include "tts/text_normalisation.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  if (LoadAbbreviations(fuzzing::InputPath())) NormaliseText("O Sr. e a Dra. SP. 1.000,5 2as. 3-4 etc.");
  return 0;
}
