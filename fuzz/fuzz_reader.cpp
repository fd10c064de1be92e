// Feeds arbitrary bytes to the input text reader as the input file and reads
// every line, checking what the reader promises of its lines.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "braille/brlebuf.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "fuzz/fuzz_input_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  InputFile file;
  if (!file.Open(fuzzing::InputPath())) std::abort();
  NobodyJobUser user;
  TextReader reader(file, user);
  // Every line takes at least one byte of the file.
  std::size_t lines = 0;
  while (!reader.State().atEnd) {
    const std::string line = reader.ReadTextLine();
    if (++lines > size) std::abort();
    if (line.size() > 187) std::abort();
    for (char c : line) {
      if (static_cast<unsigned char>(c) < 32) std::abort();
    }
  }
  return 0;
}
