#include "volumes/book_volumes.h"

#include <climits>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "braille/brlebuf.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/print_settings.h"
#include "volumes/volume_breaks.h"
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

struct LineStarts {
  std::vector<double> page;                 // for each line, and one past the last
  std::vector<std::size_t> forcedVolumeAt;  // the lines of <V> that ended a volume
  std::vector<PlaceInBook> places;          // where volumes may end
  int pages = 0;
};

double PagePosition(const ComposerState& s, int rows) {
  if (s.lineOnPage == 0) return s.pageCount;
  return s.pageCount - 1 + std::min(1.0, (s.lineOnPage - 1) / static_cast<double>(rows));
}

// A place before a line where a volume may end, and how to get back there.
struct Candidate {
  std::size_t line = 0;
  PlaceInVolume place;
  PrintJob::Mark job;
  RecordedPages::Mark pages;
  BookVolume volume;  // the volume's record as it stood there
};

// The second layout, volume by volume: a volume is composed up to its
// target size, then taken back to the best place to end it before it.
class VolumeLayout : public VolumeWatcher {
 public:
  VolumeLayout(const PrintSettings& settings, const CodeTable& table, const std::vector<std::string>& lines,
               const LineStarts& starts, std::vector<int> plannedVolumes, int bodyPages, const std::string& inputName,
               Book& book)
      : settings_(settings),
        lines_(lines),
        starts_(starts),
        planned_(std::move(plannedVolumes)),
        bodyPages_(bodyPages),
        book_(book),
        job_(settings_, table, book.pages, nobody_) {
    job_.BeginCopy(inputName);
    job_.SetVolumeWatcher(this);
  }

  void Run() {
    OpenVolume(0);
    std::size_t i = 0;
    for (;;) {
      while (i < lines_.size()) {
        NoteCandidate(i);
        lineNow_ = i;
        job_.ComposeLine(lines_[i]);
        ++i;
        if (overflow_) i = GoBack();
      }
      lineNow_ = lines_.size();
      job_.FinishCopy();
      book_.pages.EndBook(settings_.FRENTEVERSO);
      if (!overflow_) break;
      i = GoBack();
    }
    pendingEnd_ = VolumeEnd::BookEnd;
    CloseRecord(book_.pages.Pages());
  }

 private:
  bool EndVolumeBefore(int pagesBegun) override {
    if (overflow_) return false;
    if (pagesBegun - volumeStart_ < target_) return false;
    std::vector<PlaceInVolume> places;
    for (const Candidate& candidate : candidates_) places.push_back(candidate.place);
    chosen_ = ChooseVolumeEnd(places, target_);
    if (chosen_) {
      // Composed on past it: taken back once the line is done.
      overflow_ = true;
      return false;
    }
    pendingEnd_ = VolumeEnd::Page;
    return true;
  }

  void PageBegun(int pageNumber) override {
    const ComposerState& s = job_.State();
    const int printed = pageNumber + settings_.BRNUMINI - 1;
    if (current_.firstPage == 0) {
      current_.firstPage = s.pageCount;
      current_.firstNumber = printed;
    }
    current_.lastNumber = printed;
    if (current_.firstPrintPage == 0) current_.firstPrintPage = s.printPageNumber;
  }

  void VolumeEnded(int pagesBegun) override {
    const VolumeEnd end = pendingEnd_;
    CloseRecord(pagesBegun);
    // Until the limit or a chosen place says otherwise, a volume ends by <V>.
    pendingEnd_ = VolumeEnd::Command;
    if (end == VolumeEnd::Command) {
      // The next run of volumes, planned on its own, begins after <V>.
      ++segment_;
      volumesInSegment_ = 0;
      OpenVolume(lineNow_ + 1);
    } else {
      OpenVolume(lineNow_);
    }
  }

  void CloseRecord(int pagesBegun) {
    if (current_.firstPage == 0) return;  // a volume that began no page
    current_.lastPage = pagesBegun;
    current_.endEvent = book_.pages.Where().events;
    // The page of its last text: a print page whose number was read just
    // before the volume ended begins in the next volume.
    current_.lastPrintPage = job_.State().lastLinePrintPage;
    current_.end = pendingEnd_;
    book_.volumes.push_back(current_);
  }

  // A volume begins before line: its target size spreads what is left of
  // the run of volumes up to the next <V> over the volumes planned for it.
  void OpenVolume(std::size_t line) {
    current_ = BookVolume{};
    current_.firstEvent = book_.pages.Where().events;
    volumeStart_ = book_.pages.Pages();
    candidates_.clear();
    ++volumesInSegment_;
    const double end =
        segment_ < starts_.forcedVolumeAt.size() ? starts_.page[starts_.forcedVolumeAt[segment_]] : starts_.pages;
    const double left = std::max(0.0, end - starts_.page[std::min(line, lines_.size())]);
    const int planned = segment_ < planned_.size() ? planned_[segment_] : 1;
    target_ = VolumeTarget(left, planned - volumesInSegment_ + 1, bodyPages_);
  }

  void NoteCandidate(std::size_t i) {
    const ComposerState& s = job_.State();
    const std::optional<BreakPlace> place = BreakBefore(s, lines_, i, settings_.LINHAS);
    if (!place) return;
    candidates_.push_back({i, {static_cast<double>(s.pageCount - volumeStart_ + place->extraPage), place->kind},
                           job_.Where(), book_.pages.Where(), current_});
  }

  // Back to the chosen place: the volume ends there, and composing goes on
  // from its line.
  std::size_t GoBack() {
    const Candidate chosen = candidates_[*chosen_];
    job_.GoBackTo(chosen.job);
    book_.pages.TakeBackTo(chosen.pages);
    current_ = chosen.volume;
    overflow_ = false;
    chosen_.reset();
    lineNow_ = chosen.line;
    pendingEnd_ = chosen.place.kind;
    job_.EndVolume();
    return chosen.line;
  }

  const PrintSettings& settings_;
  const std::vector<std::string>& lines_;
  const LineStarts& starts_;
  const std::vector<int> planned_;  // volumes planned for each run between <V>s
  const int bodyPages_;
  Book& book_;
  NobodyJobUser nobody_;  // the first layout has said what there was to say
  PrintJob job_;

  BookVolume current_;
  int volumeStart_ = 0;  // pages of the book before the current volume
  int target_ = 1;
  std::size_t segment_ = 0;   // runs of volumes ended by <V> before this one
  int volumesInSegment_ = 0;  // this one included
  std::vector<Candidate> candidates_;
  std::optional<std::size_t> chosen_;
  bool overflow_ = false;  // composing past the target, to be taken back
  std::size_t lineNow_ = 0;
  VolumeEnd pendingEnd_ = VolumeEnd::Command;  // how the next volume to close ended
};

}  // namespace

int VolumeBodyPages(const PrintSettings& settings) {
  if (settings.FOLHASPORVOLUME <= 0) return 0;
  const int sides = settings.FRENTEVERSO ? 2 : 1;
  // The title page's sheet is bound in the volume.
  return std::max(1, (settings.FOLHASPORVOLUME - 1) * sides);
}

namespace {

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
  VolumeLayout(every, table, lines, starts, PlanRuns(starts, lines.size(), bodyPages), bodyPages, input.Name(),
               volumes)
      .Run();
  const int count = static_cast<int>(volumes.volumes.size());
  if (count > 1) {
    for (int v = 0; v < count; ++v) {
      volumes.volumes[v].titlePage = VolumeTitlePage(settings, volumes.title, v + 1, count, volumes.volumes[v]);
    }
  }
  return volumes;
}
