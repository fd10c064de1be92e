// The whole page composer on arbitrary input: settings, a document with its
// layout commands, and a dot picture the document may name ("<G d>"). The
// device bytes go to memory; pauses and keys are answered at once.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "braille/brImprim.h"
#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/print_settings.h"
#include "console/console.h"
#include "devices/brdevice.h"
#include "driver/print_job.h"
#include "fuzz/fuzz_input_file.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"

namespace {

std::string folder;

void WriteFileOf(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void NoPause(int) {}
int Enter() { return 13; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("RELEVIX_AUDIO", "null:/dev/null", 1);
  folder = fuzzing::TemporaryFolder() + "/relevix-fuzz-XXXXXX";
  if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) std::abort();
  SetConsoleStream(std::fopen("/dev/null", "w"));
  SetDelayHandler(NoPause);
  SetKeySource(Enter);
  SetSuiteSettingsFile(folder + "/SONARA.INI");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int firstPage = input.ConsumeIntegral<int>();
  const int lastPage = input.ConsumeIntegral<int>();
  const int firstNumber = input.ConsumeIntegral<int>();
  WriteFileOf(folder + "/SONARA.INI", "[RELEVIX]\n" + input.ConsumeRandomLengthString(300));
  WriteFileOf(folder + "/d", input.ConsumeRandomLengthString(600));
  WriteFileOf(folder + "/texto.txt", input.ConsumeRemainingBytesAsString());

  ReadPrintSettingsValues();
  // The shipped tables: a missing table would end the program.
  printSettings.AMBCODE = JoinPath(DataDirectory(), "ambcode.cfg");
  printSettings.AMBCODE2 = JoinPath(DataDirectory(), "ambcode2.cfg");
  LoadCodeTable();
  printSettings.BRPAGINI = firstPage;
  printSettings.BRPAGFIN = lastPage;
  printSettings.BRNUMINI = firstNumber;
  NormalisePagination();

  std::string bytes;
  DirectNextDeviceToMemory(bytes);
  DeviceOpen("memoria");
  if (!OpenInputFile(folder + "/texto.txt")) std::abort();
  PrintCopy();
  CloseInputFile();
  DeviceClose();
  return 0;
}
