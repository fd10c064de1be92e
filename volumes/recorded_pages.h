// Composed pages kept in memory as the composer handed them over, so that a
// book can be laid out whole, taken back to an earlier line, cut into
// volumes, and each volume handed on to the real output afterwards.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "braille/code_table.h"
#include "braille/page_sink.h"

class JobUser;

class RecordedPages : public PageSink {
 public:
  // picturesAsCells as the output the pages go to will answer: the layout
  // depends on it.
  explicit RecordedPages(bool picturesAsCells) : picturesAsCells_(picturesAsCells) {}

  void BeginPage() override;
  bool Line(std::string_view cells) override;
  void Picture(const DotPicture& picture, char option, const CodeTable* deviceTable) override;
  void EndPage() override { events_.push_back({Event::EndPage, {}, 0, pages_}); }
  void BlankBackPage() override;
  bool PicturesAsCells() const override { return picturesAsCells_; }
  std::string Problem() const override { return {}; }

  // How far the recording has come; TakeBackTo forgets what came after.
  struct Mark {
    std::size_t events = 0;
    std::size_t pictures = 0;
    int pages = 0;
  };
  Mark Where() const { return {events_.size(), pictures_.size(), pages_}; }
  void TakeBackTo(const Mark& mark);

  // The book's end: a page begun last that holds nothing and was not ended
  // (a <P> at the end of the text) is forgotten, and with interpoint the
  // last sheet is completed by a blank back page.
  void EndBook(bool interpoint);

  // Pages begun so far (blank back pages included): the page a later event
  // belongs to is counted from 1.
  int Pages() const { return pages_; }

  // Hands the events from first up to end to pages, lines through
  // DeliverLine (pacing, write errors, a user who stops), leaving out the
  // pages outside firstPage..lastPage. False when the user gave the job up.
  bool Replay(std::size_t first, std::size_t end, int firstPage, int lastPage, PageSink& pages, JobUser& user,
              int pauseMilliseconds) const;

 private:
  struct Event {
    enum Kind { BeginPage, Line, Picture, EndPage, BlankBackPage } kind;
    std::string cells;   // Line
    std::size_t picture = 0;  // Picture: index in pictures_
    int page = 0;        // the page it belongs to
  };
  struct StoredPicture {
    std::unique_ptr<DotPicture> dots;
    char option = 0;
    std::optional<CodeTable> deviceTable;
  };

  bool picturesAsCells_;
  std::vector<Event> events_;
  std::vector<StoredPicture> pictures_;
  int pages_ = 0;
};
