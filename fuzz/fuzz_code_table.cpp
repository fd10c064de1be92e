// Feeds arbitrary bytes to the code table loader as the current-rules table
// file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "braille/code_table.h"
#include "fuzz/fuzz_input_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  CodeTable table;
  const CodeTableLoad load = LoadCodeTable(fuzzing::InputPath(), table);
  if (!load.opened || load.badLine < 0) std::abort();
  return 0;
}
