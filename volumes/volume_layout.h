// The layout of a book in volumes, once the first layout has told where
// each line begins and where volumes may end: each volume is composed up to
// its target size, then taken back to the best place before it to end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "volumes/book_volumes.h"
#include "volumes/volume_breaks.h"

struct CodeTable;
struct PrintSettings;

// What the first layout, without a volume limit, tells of the book.
struct LineStarts {
  std::vector<double> page;                 // for each line, and one past the last
  std::vector<std::size_t> forcedVolumeAt;  // the lines of <V> that ended a volume
  std::vector<PlaceInBook> places;          // where volumes may end
  int pages = 0;
};

// Lays lines out into book in volumes of at most bodyPages pages, each run
// between <V>s in the number of volumes planned for it. every has the
// whole page range.
void LayOutInVolumes(const PrintSettings& every, const CodeTable& table, const std::vector<std::string>& lines,
                     const LineStarts& starts, std::vector<int> plannedVolumes, int bodyPages,
                     const std::string& inputName, Book& book);
