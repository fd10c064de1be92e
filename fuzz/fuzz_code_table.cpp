// Feeds arbitrary bytes to the code table loader as the current-rules table
// file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "braille/code_table.h"
#include "console/console.h"
#include "driver/print_settings.h"

namespace {

std::string tablePath;

void RemoveTable() { unlink(tablePath.c_str()); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/relevix-fuzz-table-XXXXXX";
  const int fd = mkstemp(pattern);
  if (fd < 0) std::abort();
  close(fd);
  tablePath = pattern;
  std::atexit(RemoveTable);
  SetConsoleStream(std::fopen("/dev/null", "w"));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(tablePath.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  printSettings.USABRAILLEANTIGO = false;
  printSettings.AMBCODE2 = tablePath;
  LoadCodeTable();
  return 0;
}
