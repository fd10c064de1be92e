// Feeds arbitrary bytes to the input text reader as the input file and reads
// every line, checking what the reader promises of its lines.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "braille/brlebuf.h"
#include "braille/input_file.h"
#include "console/console.h"

namespace {

std::string inputPath;

void RemoveInput() { unlink(inputPath.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/relevix-fuzz-input-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) std::abort();
  close(fd);
  inputPath = pattern;
  std::atexit(RemoveInput);
  SetConsoleStream(std::fopen("/dev/null", "w"));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(inputPath.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  if (!OpenInputFile(inputPath)) std::abort();
  InitReader();
  // Every line takes at least one byte of the file.
  std::size_t lines = 0;
  while (!readerState.atEnd) {
    const std::string line = ReadTextLine();
    if (++lines > size) std::abort();
    if (line.size() > 187) std::abort();
    for (char c : line) {
      if (static_cast<unsigned char>(c) < 32) std::abort();
    }
  }
  CloseInputFile();
  return 0;
}
