// Feeds arbitrary bytes to the engine's exceptions loader, then looks up
// words with and without the stripped S and M endings.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input_file.h"
#include "tts/pronunciation_exceptions.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  if (LoadExceptions(fuzzing::InputPath())) {
    for (const char* word : {"", "S", "MSMS", "CASAS", "=", "|"}) LookupException(word);
    LookupException(std::string(reinterpret_cast<const char*>(data), size < 64 ? size : 64));
  }
  return 0;
}
