// Settings files come from the user's disk and may hold anything: the
// profile reader and writer must neither crash nor lose what they wrote.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_input_file.h"
#include "platform/profile.h"

namespace {

void WriteInput(const std::string& file, std::string_view bytes) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) std::abort();
  std::fclose(out);
}

void Exercise(const std::string& file, std::string_view text) {
  ReadProfileString(file, "RELEVIX", "COLUNAS", "32", 255);
  ReadProfileString(file, "SONARA", "PGMSONARA", "", 255);
  // A key named by the input's first bytes reaches names the fixed ones miss.
  const std::string_view key = text.substr(0, text.find_first_of("=\r\n"));
  ReadProfileString(file, "RELEVIX", key.substr(0, 8), "", 16);

  if (WriteProfileString(file, "RELEVIX", "DISPSAIDA", "LPT1") &&
      ReadProfileString(file, "RELEVIX", "DISPSAIDA", "", 255) != "LPT1") {
    std::abort();  // a write that reports success must read back
  }
}

}  // namespace

// Each input gets a scratch directory of its own, removed afterwards, since
// libFuzzer may end the process without running exit handlers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string directory = fuzzing::TemporaryFolder() + "/relevix-fuzz-XXXXXX";
  if (mkdtemp(directory.data()) == nullptr) std::abort();
  const std::string file = directory + "/SONARA.INI";
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  WriteInput(file, text);
  Exercise(file, text);
  std::remove(file.c_str());
  rmdir(directory.c_str());
  return 0;
}
