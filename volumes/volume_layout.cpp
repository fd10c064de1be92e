#include "volumes/volume_layout.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "braille/job_user.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"

namespace {

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

void LayOutInVolumes(const PrintSettings& every, const CodeTable& table, const std::vector<std::string>& lines,
                     const LineStarts& starts, std::vector<int> plannedVolumes, int bodyPages,
                     const std::string& inputName, Book& book) {
  VolumeLayout(every, table, lines, starts, std::move(plannedVolumes), bodyPages, inputName, book).Run();
}
