#include "driver/display_preview.h"

#include "braille/braille_cells.h"
#include "braille/code_table.h"
#include "braille/embosser_pages.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/output_sink.h"
#include "braille/print_job.h"
#include "braille_display/braille_display.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "console/console_events.h"
#include "driver/document_input.h"
#include "driver/pef_input.h"
#include "driver/print_document.h"
#include "formats/pef_embossing.h"
#include "speech/speech.h"

namespace {

// The next key, from the keyboard or the display. Without the window (the
// command-line tool) only the display's keys come.
int NextKey() {
  while (!KeyPressed()) WaitForMessages(-1);
  return TakeKey();
}

class PageBrowser {
 public:
  PageBrowser(const std::vector<EmbossedPage>& pages, void (*announcePage)(int, int))
      : pages_(pages), announcePage_(announcePage) {}

  void Run() {
    AnnouncePage();
    for (;;) {
      ShowRow();
      const int key = NextKey();
      if (key == kEscapeKey) return;
      if (key == kExtendedKey) Move(NextKey());
    }
  }

 private:
  void Move(int code) {
    const int rows = static_cast<int>(pages_[page_].size());
    const int pages = static_cast<int>(pages_.size());
    switch (code) {
      case kDownKey: Step(row_, 1, rows); break;
      case kUpKey: Step(row_, -1, rows); break;
      case kPageDownKey:
      case kPageUpKey:
        if (Step(page_, code == kPageDownKey ? 1 : -1, pages)) {
          row_ = 0;
          AnnouncePage();
        }
        break;
      default: break;
    }
  }

  // Moves the index within 0..count-1; a beep at either end.
  static bool Step(std::size_t& index, int by, int count) {
    const int to = static_cast<int>(index) + by;
    if (to < 0 || to >= count) {
      PlayBeep();
      return false;
    }
    index = static_cast<std::size_t>(to);
    return true;
  }

  void AnnouncePage() const { announcePage_(static_cast<int>(page_) + 1, static_cast<int>(pages_.size())); }

  void ShowRow() const {
    const EmbossedPage& rows = pages_[page_];
    ShowDotsOnBrailleDisplay(row_ < rows.size() ? rows[row_] : DotRow());
  }

  const std::vector<EmbossedPage>& pages_;
  void (*announcePage_)(int, int);
  std::size_t page_ = 0;
  std::size_t row_ = 0;
};

// A PEF's own pages in the page range, with the table its rows are sent
// with.
bool EmbossedPefPages(const std::string& inputFile, const PrintSettings& settings, std::vector<EmbossedPage>& pages) {
  PefBook book;
  if (ReadPefInput(inputFile, book) != kPrintDone) return false;
  CodeTable spare;
  const CodeTable* table = PefCodeTable(spare);
  if (table == nullptr) return false;
  std::string bytes;
  MemorySink memory(bytes);
  EmbosserPages embosser(*table, memory);
  NobodyJobUser nobody;
  EmbossPefBook(book, settings.BRPAGINI, settings.BRPAGFIN, embosser, nobody);
  const DotsOfByte dots = CellsOfTable(*table, false);
  pages = EmbossedPagesOf(bytes, PreviewTables{dots, dots});
  return true;
}

}  // namespace

void BrowsePagesOnDisplay(const std::vector<EmbossedPage>& pages, void (*announcePage)(int, int)) {
  if (!pages.empty()) PageBrowser(pages, announcePage).Run();
}

// A document is read as the print job reads it: converted, not as its
// file's bytes; a PEF gives its own pages, as it is embossed.
bool ComposeEmbossedPages(const std::string& inputFile, const PrintSettings& settings,
                          std::vector<EmbossedPage>& pages) {
  if (InputIsPef(inputFile)) return EmbossedPefPages(inputFile, settings, pages);
  InputFile input;
  if (!OpenJobInput(inputFile, input)) return false;
  std::string bytes;
  MemorySink memory(bytes);
  NobodyJobUser nobody;
  PrintJob job(settings, codeTable, memory, nobody);
  job.PrintCopy(input);
  input.Close();
  pages = EmbossedPagesOf(bytes, LoadPreviewTables());
  return true;
}

void PreviewFileOnDisplay(const std::string& inputFile) {
  if (!BrailleDisplayTaken()) {
    ShowMessage("BRLNAOHA", 1);
    return;
  }
  PrintSettings settings = printSettings;
  NormalisePagination(settings);
  std::vector<EmbossedPage> pages;
  if (!ComposeEmbossedPages(inputFile, settings, pages)) {
    ShowMessage("BRARQNAO", 1);
    return;
  }
  BrowsePagesOnDisplay(pages, [](int page, int count) {
    SpeakText(GetMessageWith("BRLPAGIN", {std::to_string(page), std::to_string(count)}));
  });
}
