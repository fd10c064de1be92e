#include "volumes/book_volumes.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>

#include "braille/brlebuf.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/print_settings.h"
#include "volumes/volume_breaks.h"
#include "volumes/volume_layout.h"
#include "volumes/volume_title_page.h"

namespace {

// The reports of composing reach the user; the pages go to memory, so there
// is no pacing, no write error and no reason to stop.
class NoticesOnly : public JobUser {
 public:
  explicit NoticesOnly(JobUser& user) : user_(user) {}
  void Notice(std::string_view messageKey, std::string_view detail) override { user_.Notice(messageKey, detail); }
  bool ContinueAfterWriteError(std::string_view) override { return false; }
  void Pause(int) override {}
  bool KeepPrinting() override { return true; }

 private:
  JobUser& user_;
};

std::vector<std::string> ReadLines(InputFile& input, JobUser& user, bool& readFailed) {
  TextReader reader(input, user);
  std::vector<std::string> lines;
  while (!reader.State().atEnd) lines.push_back(reader.ReadTextLine());
  readFailed = reader.State().readFailed;
  return lines;
}

// The whole range: the caller chooses the pages to hand on.
PrintSettings EveryPage(const PrintSettings& settings) {
  PrintSettings every = settings;
  every.BRPAGINI = 1;
  every.BRPAGFIN = INT_MAX;
  return every;
}

// The first layout, without a volume limit: how far into the book each
// line begins (in pages), and where <V> ends a volume.
class FirstLayout : public VolumeWatcher {
 public:
  bool EndVolumeBefore(int) override { return false; }
  void PageBegun(int) override {}
  void VolumeEnded(int) override { forcedEnd = true; }
  bool forcedEnd = false;
};

double PagePosition(const ComposerState& s, int rows) {
  if (s.lineOnPage == 0) return s.pageCount;
  return s.pageCount - 1 + std::min(1.0, (s.lineOnPage - 1) / static_cast<double>(rows));
}

// The first layout, into book's pages: where each line begins and where a
// volume may end, in pages.
LineStarts LayOutWhole(const PrintSettings& every, const CodeTable& table, const std::vector<std::string>& lines,
                       const std::string& inputName, JobUser& user, Book& book) {
  NoticesOnly notices(user);
  FirstLayout first;
  LineStarts starts;
  PrintJob job(every, table, book.pages, notices);
  job.BeginCopy(inputName);
  job.SetVolumeWatcher(&first);
  const int rows = std::max(every.LINHAS, 1);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const double page = PagePosition(job.State(), rows);
    starts.page.push_back(page);
    if (const std::optional<BreakPlace> place = BreakBefore(job.State(), lines, i, every.LINHAS)) {
      starts.places.push_back({page + place->extraPage, place->kind});
    }
    first.forcedEnd = false;
    job.ComposeLine(lines[i]);
    if (first.forcedEnd) starts.forcedVolumeAt.push_back(i);
  }
  starts.page.push_back(PagePosition(job.State(), rows));
  job.FinishCopy();
  book.pages.EndBook(every.FRENTEVERSO);
  book.anyContent = job.State().anyContent;
  book.title = job.State().openingTitle;
  starts.pages = book.pages.Pages();
  return starts;
}

// The volumes planned for each run of pages between <V>s.
std::vector<int> PlanRuns(const LineStarts& starts, std::size_t lineCount, int bodyPages) {
  std::vector<int> planned;
  double from = 0;
  for (std::size_t run = 0; run <= starts.forcedVolumeAt.size(); ++run) {
    const bool last = run == starts.forcedVolumeAt.size();
    const std::size_t command = last ? lineCount : starts.forcedVolumeAt[run];
    planned.push_back(PlanVolumes(starts.places, from, last ? starts.pages : starts.page[command], bodyPages));
    if (!last) from = starts.page[command + 1];
  }
  return planned;
}

}  // namespace

int VolumeBodyPages(const PrintSettings& settings) {
  if (settings.FOLHASPORVOLUME <= 0) return 0;
  const int sides = settings.FRENTEVERSO ? 2 : 1;
  // The title page's sheet is bound in the volume.
  return std::max(1, (settings.FOLHASPORVOLUME - 1) * sides);
}

Book ComposeBook(const PrintSettings& settings, const CodeTable& table, bool picturesAsCells, InputFile& input,
                 const std::string& fallbackTitle, JobUser& user) {
  Book book(picturesAsCells);
  const std::vector<std::string> lines = ReadLines(input, user, book.readFailed);
  const PrintSettings every = EveryPage(settings);
  const LineStarts starts = LayOutWhole(every, table, lines, input.Name(), user, book);
  if (book.title.empty()) book.title = fallbackTitle;

  // The first layout is the book when it needs no volumes.
  const int bodyPages = VolumeBodyPages(settings);
  const int sides = settings.FRENTEVERSO ? 2 : 1;
  const bool fits = starts.pages <= settings.FOLHASPORVOLUME * sides;
  if (bodyPages == 0 || (fits && starts.forcedVolumeAt.empty())) {
    BookVolume whole;
    whole.endEvent = book.pages.Where().events;
    whole.firstPage = 1;
    whole.lastPage = starts.pages;
    book.volumes.push_back(whole);
    return book;
  }

  Book volumes(picturesAsCells);
  volumes.readFailed = book.readFailed;
  volumes.anyContent = book.anyContent;
  volumes.title = book.title;
  LayOutInVolumes(every, table, lines, starts, PlanRuns(starts, lines.size(), bodyPages), bodyPages, input.Name(),
                  volumes);
  const int count = static_cast<int>(volumes.volumes.size());
  if (count > 1) {
    for (int v = 0; v < count; ++v) {
      volumes.volumes[v].titlePage = VolumeTitlePage(settings, volumes.title, v + 1, count, volumes.volumes[v]);
    }
  }
  return volumes;
}
