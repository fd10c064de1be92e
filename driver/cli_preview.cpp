// relevix-cli preview: the pages exactly as the embosser will receive them,
// in Unicode Braille. The document is composed into memory, then the device
// bytes are read back: one page for every form feed, one line for every line
// end, and each byte shown as the cell it stands for in the code table.
// A dot picture's rows are marked, since they reach the embosser in its
// graphic mode. With --display the pages go to the Braille display instead,
// dot for dot.
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "braille/braille_cells.h"
#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/output_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "braille_display/braille_display.h"
#include "catalogue/brmsg.h"
#include "driver/cli.h"
#include "driver/display_preview.h"
#include "driver/document_input.h"
#include "driver/preview_tables.h"
#include "driver/print_document.h"

namespace {

constexpr int kPreviewDisplayWait = 10000;  // ms

constexpr char kEscape = 27;
constexpr char kGraphicEndMark = ']';

// U+2800 + pattern in UTF-8, or U+FFFD.
std::string UnicodeCell(int pattern) {
  if (pattern < 0) return "\xEF\xBF\xBD";
  return {'\xE2', static_cast<char>(0xA0 + (pattern >> 6)), static_cast<char>(0x80 + (pattern & 0x3F))};
}

class PreviewWriter {
 public:
  explicit PreviewWriter(const PreviewTables& tables) : tables_(tables) {}

  void Show(std::string_view bytes) {
    while (!bytes.empty()) {
      const std::size_t feed = bytes.find('\f');
      ShowPage(bytes.substr(0, feed));
      if (feed == std::string_view::npos) break;
      bytes.remove_prefix(feed + 1);
    }
  }

 private:
  void ShowPage(std::string_view page) {
    PrintOut(GetMessageWith("PREVPAG", {std::to_string(++pageCount_)}) + "\n");
    while (!page.empty()) {
      const std::size_t end = page.find("\r\n");
      ShowLine(page.substr(0, end));
      if (end == std::string_view::npos) break;
      page.remove_prefix(end + 2);
    }
  }

  void ShowLine(std::string_view line) {
    std::string cells;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == kEscape && i + 1 < line.size()) {
        // The mode changes where the sequence stands; a line begun before it
        // is shown first.
        if (!cells.empty()) Emit(cells);
        cells.clear();
        ++i;
        inGraphicMode_ = line[i] != kGraphicEndMark;
        PrintOut((inGraphicMode_ ? GetMessageWith("PREVDES", {std::string(1, line[i])}) : GetMessage("PREVFIM")) +
                 "\n");
        if (i + 1 == line.size()) return;
        continue;
      }
      const DotsOfByte& dots = inGraphicMode_ ? tables_.picture : tables_.text;
      cells += UnicodeCell(dots[static_cast<unsigned char>(line[i])]);
    }
    Emit(cells);
  }

  static void Emit(const std::string& cells) {
    std::fwrite(cells.data(), 1, cells.size(), stdout);
    std::fputc('\n', stdout);
  }

  const PreviewTables& tables_;
  int pageCount_ = 0;
  bool inGraphicMode_ = false;
};

}  // namespace

int RunPreviewCommand(CliArguments args) {
  constexpr std::string_view usageKey = "USOPREVI";
  std::string error, textFile;
  const bool onDisplay = TakeFlag(args, "--display");
  if (const int status = TakeSettings(args, error); status != 0) return SettingsFailure(status, usageKey, error);
  if (!TakePageRange(args, error) || !TakeTextFile(args, textFile, error)) return CommandUsageError(usageKey, error);
  NormalisePagination(printSettings);
  if (const int status = CheckDocument(textFile); status != kPrintDone) return status;
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
  std::string bytes;
  MemorySink memory(bytes);
  ConsoleJobUser user;
  PrintJob job(printSettings, codeTable, memory, user);
  const CopyEnd end = job.PrintCopy(input);
  input.Close();
  if (onDisplay) {
    // The command-line tool does not talk: the page's number is printed.
    BrowsePagesOnDisplay(EmbossedPagesOf(bytes, LoadPreviewTables()), [](int page, int) {
      PrintOut(GetMessageWith("PREVPAG", {std::to_string(page)}) + "\n");
      std::fflush(stdout);
    });
  } else {
    PreviewWriter(LoadPreviewTables()).Show(bytes);
  }
  if (end == CopyEnd::ReadFailed) {
    ShowMessageAbout("BRIMPINC", textFile);
    return kPrintReadFailed;
  }
  if (end == CopyEnd::PageRangeEnded) ReportPageRangeEnd(job.State().pagesInRange);
  return kPrintDone;
}
