// A book in volumes from arbitrary text and settings: the volumes never pass
// their limit, and their text lines, taken in order, are the lines of the
// same text laid out without volumes. A difference aborts.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/page_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "fuzz/fuzz_input_file.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "volumes/book_volumes.h"

namespace {

std::string folder;

// The lines that hold text, in order.
class TextLines : public PageSink {
 public:
  void BeginPage() override {}
  bool Line(std::string_view cells) override {
    if (cells.find_first_not_of(' ') != std::string_view::npos) lines.emplace_back(cells);
    return true;
  }
  void Picture(const DotPicture&, char, const CodeTable*) override {}
  void EndPage() override {}
  void BlankBackPage() override {}
  bool PicturesAsCells() const override { return picturesAsCells; }
  std::string Problem() const override { return {}; }

  bool picturesAsCells = false;
  std::vector<std::string> lines;
};

// What would tell the two layouts apart but their pages: headers, by
// their page numbers, and a margin's own text on the blank lines that the
// composer drops where a page begins. Every <T...> line, which may turn
// headers on, and every <M...> line begin a page instead.
std::string Comparable(const std::string& text) {
  std::string changed;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool lineStart = i == 0 || text[i - 1] == '\n' || text[i - 1] == '\r';
    const bool replaced = text.compare(i, 2, "<T") == 0 || text.compare(i, 2, "<t") == 0 ||
                          text.compare(i, 2, "<M") == 0 || text.compare(i, 2, "<m") == 0;
    if (lineStart && replaced) {
      // "<Tx" becomes "<P>", then "<-x", which names no command.
      changed += "<P>\n<-";
      ++i;
    } else {
      changed += text[i];
    }
  }
  return changed;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = fuzzing::MakeWorkFolder();
  SetSuiteSettingsFile(folder + "/SONARA.INI");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int sheets = input.ConsumeIntegralInRange<int>(2, 12);
  const bool picturesAsCells = input.ConsumeBool();
  fuzzing::WriteFileOf(folder + "/SONARA.INI", "[RELEVIX]\n" + input.ConsumeRandomLengthString(200));
  fuzzing::WriteFileOf(folder + "/d", input.ConsumeRandomLengthString(300));
  fuzzing::WriteFileOf(folder + "/texto.txt", Comparable(input.ConsumeRemainingBytesAsString()));

  std::vector<ReplacedSetting> replaced;
  PrintSettings settings = ReadPrintSettings(replaced);
  settings.AMBCODE = JoinPath(DataDirectory(), "ambcode.cfg");
  settings.AMBCODE2 = JoinPath(DataDirectory(), "ambcode2.cfg");
  settings.TITULA = false;
  settings.BRPAGINI = 1;
  settings.BRPAGFIN = INT_MAX;
  settings.FOLHASPORVOLUME = sheets;
  NormalisePagination(settings);
  CodeTable table;
  LoadCodeTable(CodeTablePath(settings), table);
  NobodyJobUser nobody;

  TextLines whole;
  whole.picturesAsCells = picturesAsCells;
  {
    InputFile file;
    if (!file.Open(folder + "/texto.txt")) std::abort();
    PrintJob job(settings, table, whole, nobody);
    job.PrintCopy(file);
  }
  InputFile file;
  if (!file.Open(folder + "/texto.txt")) std::abort();
  const Book book = ComposeBook(settings, table, picturesAsCells, file, "texto", nobody);
  TextLines inVolumes;
  inVolumes.picturesAsCells = picturesAsCells;
  const int sides = settings.FRENTEVERSO ? 2 : 1;
  for (const BookVolume& volume : book.volumes) {
    book.pages.Replay(volume.firstEvent, volume.endEvent, 1, INT_MAX, inVolumes, nobody, 0);
    const int used = (volume.Pages() + sides - 1) / sides + (book.volumes.size() > 1 ? 1 : 0);
    if (book.volumes.size() > 1 && used > sheets) std::abort();
  }
  // <V> without volumes begins a page; with them a volume: the same lines.
  if (inVolumes.lines != whole.lines) std::abort();
  return 0;
}
