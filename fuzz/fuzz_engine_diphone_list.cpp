// Feeds arbitrary bytes to the engine's diphone list loader, then asks for
// a few pairs.
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_input_file.h"
#include "tts/diphone_list.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  if (LoadDiphoneList(fuzzing::InputPath())) {
    HasDiphone("_", "a");
    HasDiphone("r2", "_");
    HasDiphone("", "");
  }
  return 0;
}
