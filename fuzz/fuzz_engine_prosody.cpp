// Feeds arbitrary bytes to the engine's prosody file loader, then runs the
// tokens, intonation and prosody stages on a short phrase with the tables
// it loaded.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_input_file.h"
#include "tts/intonation.h"
#include "tts/prosody.h"
#include "tts/prosody_tables.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  setenv("RELEVIX_CONSOLE", "headless", 1);  // loader messages go to standard error
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  if (LoadProsody(fuzzing::InputPath())) {
    const std::vector<std::string> intonation = AssignIntonation(Tokenise("Quem vem, Maria? Sim... Ol\xE1!"), true);
    std::vector<std::string> phonemes;
    for (const std::string& line : intonation) {
      phonemes.push_back(";" + line);
      phonemes.insert(phonemes.end(), {"b", ">a", "_,", "__", ""});
    }
    ApplyProsody(phonemes, 1.0, 1.0);
  }
  return 0;
}
