// The whole page composer on arbitrary input: settings, a document with its
// layout commands, and a dot picture the document may name ("<G d>"). The
// device bytes go to memory; nobody is asked anything.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/output_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "fuzz/fuzz_input_file.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"

namespace {

std::string folder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = fuzzing::MakeWorkFolder();
  SetSuiteSettingsFile(folder + "/SONARA.INI");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int firstPage = input.ConsumeIntegral<int>();
  const int lastPage = input.ConsumeIntegral<int>();
  const int firstNumber = input.ConsumeIntegral<int>();
  fuzzing::WriteFileOf(folder + "/SONARA.INI", "[RELEVIX]\n" + input.ConsumeRandomLengthString(300));
  fuzzing::WriteFileOf(folder + "/d", input.ConsumeRandomLengthString(600));
  fuzzing::WriteFileOf(folder + "/texto.txt", input.ConsumeRemainingBytesAsString());

  std::vector<ReplacedSetting> replaced;
  PrintSettings settings = ReadPrintSettings(replaced);
  // The shipped tables.
  settings.AMBCODE = JoinPath(DataDirectory(), "ambcode.cfg");
  settings.AMBCODE2 = JoinPath(DataDirectory(), "ambcode2.cfg");
  CodeTable table;
  LoadCodeTable(CodeTablePath(settings), table);
  settings.BRPAGINI = firstPage;
  settings.BRPAGFIN = lastPage;
  settings.BRNUMINI = firstNumber;
  NormalisePagination(settings);

  std::string bytes;
  MemorySink memory(bytes);
  NobodyJobUser user;
  PrintJob job(settings, table, memory, user);
  InputFile file;
  if (!file.Open(folder + "/texto.txt")) std::abort();
  job.PrintCopy(file);
  return 0;
}
