// relevix-cli preview: the pages in Unicode Braille, cell by cell as a
// Braille file holds them, one page after another; a dot picture's rows are
// marked. A PEF document shows its own pages, so a PEF received from
// elsewhere can be checked before it is embossed. With --display the pages
// go to the Braille display instead, dot for dot as the embosser will
// receive them.
#include <cstdio>
#include <string>
#include <string_view>

#include "braille/braille_cells.h"
#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/print_job.h"
#include "braille/output_sink.h"
#include "braille/print_settings.h"
#include "braille_display/braille_display.h"
#include "catalogue/brmsg.h"
#include "driver/cli.h"
#include "driver/display_preview.h"
#include "driver/document_input.h"
#include "driver/pef_input.h"
#include "driver/preview_tables.h"
#include "driver/print_document.h"
#include "driver/print_volumes.h"
#include "formats/cell_pages.h"
#include "formats/pef_embossing.h"
#include "volumes/book_volumes.h"
#include "volumes/volume_output.h"

namespace {

constexpr int kPreviewDisplayWait = 10000;  // ms

class PreviewPages : public CellPages {
 public:
  using CellPages::CellPages;
  std::string Problem() const override { return {}; }

 protected:
  void OpenPage() override { PrintOut(GetMessageWith("PREVPAG", {std::to_string(++pageCount_)}) + "\n"); }
  bool Row(const CellPatterns& cells) override {
    std::string line;
    for (const unsigned char pattern : cells) AppendUnicodeCell(line, pattern);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
    return true;
  }
  void ClosePage() override {}
  void PictureBegins(char option) override {
    PrintOut(GetMessageWith("PREVDES", {std::string(1, option)}) + "\n");
  }
  void PictureEnds() override { PrintOut(GetMessage("PREVFIM") + "\n"); }

 private:
  int pageCount_ = 0;
};

int PreviewPef(const std::string& textFile) {
  PefBook book;
  if (const int status = ReadPefInput(textFile, book); status != kPrintDone) return status;
  CodeTable spare;
  const CodeTable* table = PefCodeTable(spare);
  if (table == nullptr) return kPrintDeviceFailed;
  PreviewPages preview(*table, false, SettingsPageSize(printSettings));
  NobodyJobUser nobody;
  EmbossPefBook(book, printSettings.BRPAGINI, printSettings.BRPAGFIN, preview, nobody);
  preview.Finish();
  return kPrintDone;
}

// The command-line tool does not talk: the number of the page reached on
// the display is printed.
void PrintPageReached(int page, int) {
  PrintOut(GetMessageWith("PREVPAG", {std::to_string(page)}) + "\n");
  std::fflush(stdout);
}

// A PEF's pages on the display, dot for dot as they are embossed.
int PreviewPefOnDisplay(const std::string& textFile) {
  if (const int status = CheckPrintable(textFile); status != kPrintDone) return status;
  if (!StartBrailleDisplay(MakeBrlapiLink, kPreviewDisplayWait)) {
    ShowMessage("BRLNAOHA", 1);
    return kPrintDeviceFailed;
  }
  std::vector<EmbossedPage> pages;
  ComposeEmbossedPages(textFile, printSettings, pages);
  BrowsePagesOnDisplay(pages, PrintPageReached);
  return kPrintDone;
}

// The book in volumes, each begun by a line that says which it is.
int PreviewVolumes(const std::string& textFile) {
  std::optional<Book> book;
  std::vector<std::size_t> volumes;
  if (const int status = ComposeChosenVolumes(textFile, true, book, volumes); status != kPrintDone) return status;
  ConsoleJobUser user;
  PreviewPages preview(codeTable, printSettings.USABRAILLEANTIGO, SettingsPageSize(printSettings));
  for (const std::size_t volume : volumes) {
    PrintOut(GetMessageWith("PREVVOL", {std::to_string(volume + 1), std::to_string(book->volumes.size())}) + "\n");
    EmbossVolume(*book, volume, printSettings, preview, user);
  }
  preview.Finish();
  return kPrintDone;
}

}  // namespace

int RunPreviewCommand(CliArguments args) {
  constexpr std::string_view usageKey = "USOPREVI";
  std::string error, textFile;
  const bool onDisplay = TakeFlag(args, "--display");
  if (const int status = TakeSettings(args, error); status != 0) return SettingsFailure(status, usageKey, error);
  if (!TakePageRange(args, error) || !TakeVolumeOptions(args, error) || !TakeTextFile(args, textFile, error)) {
    return CommandUsageError(usageKey, error);
  }
  NormalisePagination(printSettings);
  if (InputIsPef(textFile)) return onDisplay ? PreviewPefOnDisplay(textFile) : PreviewPef(textFile);
  if (!onDisplay && VolumesAsked()) return PreviewVolumes(textFile);
  // The display shows the dots the embosser will receive; the listing the
  // cells a Braille file holds.
  const OutputFormat format = onDisplay ? OutputFormat::Bytes : OutputFormat::Unicode;
  if (const int status = CheckDocument(textFile, format); status != kPrintDone) return status;
  // Asked for explicitly, the display is worth a longer wait than at the
  // talking program's start.
  if (onDisplay && !StartBrailleDisplay(MakeBrlapiLink, kPreviewDisplayWait)) {
    ShowMessage("BRLNAOHA", 1);
    return kPrintDeviceFailed;
  }
  InputFile input;
  if (!OpenJobInput(textFile, input)) {
    ShowMessageAbout("BRARQNAO", textFile);
    return kPrintInputMissing;
  }
  ConsoleJobUser user;
  CopyEnd end;
  int pagesInRange = 0;
  if (onDisplay) {
    std::string bytes;
    MemorySink memory(bytes);
    PrintJob job(printSettings, codeTable, memory, user);
    end = job.PrintCopy(input);
    pagesInRange = job.State().pagesInRange;
    BrowsePagesOnDisplay(EmbossedPagesOf(bytes, LoadPreviewTables()), PrintPageReached);
  } else {
    PreviewPages preview(codeTable, printSettings.USABRAILLEANTIGO, SettingsPageSize(printSettings));
    PrintJob job(printSettings, codeTable, preview, user);
    end = job.PrintCopy(input);
    pagesInRange = job.State().pagesInRange;
    preview.Finish();
  }
  input.Close();
  if (end == CopyEnd::ReadFailed) {
    ShowMessageAbout("BRIMPINC", textFile);
    return kPrintReadFailed;
  }
  if (end == CopyEnd::PageRangeEnded) ReportPageRangeEnd(pagesInRange);
  return kPrintDone;
}
