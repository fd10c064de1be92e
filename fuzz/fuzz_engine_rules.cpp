// Feeds arbitrary bytes to the engine's letter-to-sound rules loader, then
// applies the rules to words that reach every context symbol.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_input_file.h"
#include "tts/letter_to_sound_rules.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  if (LoadRules(fuzzing::InputPath())) {
    std::vector<std::string> list;
    for (const char* word : {"A", "CASAS", "QUE", "ARTE", "\xC1GUA", "HOMEM", "(#%&*+[\\]_|)", "ZZZZZZ"}) {
      ApplyRules(word, 2, list);
    }
    // The rules text itself as a word, so the loader's characters meet them.
    ApplyRules(std::string(reinterpret_cast<const char*>(data), size), 1, list);
  }
  return 0;
}
