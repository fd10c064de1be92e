#include "volumes/recorded_pages.h"

#include "braille/print_job.h"

void RecordedPages::BeginPage() {
  ++pages_;
  events_.push_back({Event::BeginPage, {}, 0, pages_});
}

bool RecordedPages::Line(std::string_view cells) {
  events_.push_back({Event::Line, std::string(cells), 0, pages_});
  return true;
}

void RecordedPages::Picture(const DotPicture& picture, char option, const CodeTable* deviceTable) {
  StoredPicture stored{std::make_unique<DotPicture>(picture), option, std::nullopt};
  if (deviceTable != nullptr) stored.deviceTable = *deviceTable;
  pictures_.push_back(std::move(stored));
  events_.push_back({Event::Picture, {}, pictures_.size() - 1, pages_});
}

void RecordedPages::BlankBackPage() {
  ++pages_;
  events_.push_back({Event::BlankBackPage, {}, 0, pages_});
}

void RecordedPages::EndBook(bool interpoint) {
  if (!events_.empty() && events_.back().kind == Event::BeginPage) {
    events_.pop_back();
    --pages_;
  }
  if (interpoint && pages_ % 2 != 0) BlankBackPage();
}

void RecordedPages::TakeBackTo(const Mark& mark) {
  events_.resize(mark.events);
  pictures_.resize(mark.pictures);
  pages_ = mark.pages;
}

bool RecordedPages::Replay(std::size_t first, std::size_t end, int firstPage, int lastPage, PageSink& pages,
                           JobUser& user, int pauseMilliseconds) const {
  for (std::size_t i = first; i < end && i < events_.size(); ++i) {
    const Event& event = events_[i];
    if (event.page < firstPage || event.page > lastPage) continue;
    switch (event.kind) {
      case Event::BeginPage:
        pages.BeginPage();
        break;
      case Event::Line:
        if (!DeliverLine(pages, user, pauseMilliseconds, event.cells)) return false;
        break;
      case Event::Picture: {
        const StoredPicture& picture = pictures_[event.picture];
        pages.Picture(*picture.dots, picture.option, picture.deviceTable ? &*picture.deviceTable : nullptr);
        break;
      }
      case Event::EndPage:
        pages.EndPage();
        break;
      case Event::BlankBackPage:
        pages.BlankBackPage();
        break;
    }
  }
  return true;
}
