#include "formats/pef_embossing.h"

#include <string>

#include "braille/code_table.h"
#include "braille/job_user.h"
#include "braille/page_sink.h"
#include "formats/pef_reader.h"

namespace {

class PefEmbosser {
 public:
  PefEmbosser(int firstPage, int lastPage, PageSink& pages, JobUser& user)
      : firstPage_(firstPage), lastPage_(lastPage), pages_(pages), user_(user) {}

  bool Book(const PefBook& book) {
    for (const PefVolume& volume : book.volumes) {
      for (const PefSection& section : volume.sections) {
        for (const PefPage& page : section.pages) {
          if (!Page(page)) return false;
        }
        if (section.duplex && section.pages.size() % 2 != 0) BlankBack();
      }
    }
    return true;
  }

 private:
  bool InRange() const { return pageCount_ >= firstPage_ && pageCount_ <= lastPage_; }

  bool Page(const PefPage& page) {
    ++pageCount_;
    if (!InRange()) return true;
    pages_.BeginPage();
    for (const CellPatterns& row : page.rows) {
      std::string cells;
      cells.reserve(row.size());
      for (const unsigned char pattern : row) cells += static_cast<char>(DotPatternTable[pattern & 0x3F]);
      // Any answer but cancel goes on without the row that failed.
      if (!pages_.Line(cells) && !user_.ContinueAfterWriteError(pages_.Problem())) return false;
      if (!user_.KeepPrinting()) return false;
    }
    pages_.EndPage();
    return true;
  }

  void BlankBack() {
    ++pageCount_;
    if (InRange()) pages_.BlankBackPage();
  }

  int firstPage_;
  int lastPage_;
  PageSink& pages_;
  JobUser& user_;
  int pageCount_ = 0;
};

}  // namespace

CopyEnd EmbossPefBook(const PefBook& book, int firstPage, int lastPage, PageSink& pages, JobUser& user) {
  return PefEmbosser(firstPage, lastPage, pages, user).Book(book) ? CopyEnd::Complete : CopyEnd::Cancelled;
}
