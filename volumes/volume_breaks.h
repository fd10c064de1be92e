// Where a volume may end, and how big the volumes of a run of pages are:
// the places between lines that a reader expects a volume to end at, the
// choice among them, and the plan that spreads a book evenly over the
// fewest volumes it can fill.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "braille/print_job.h"
#include "volumes/book_volumes.h"

// A place before a line where a volume may end: before a heading, a centred
// line or a new page or title the text asks for (VolumeEnd::Heading), or at
// the end of a paragraph. extraPage is 1 when ending there writes the
// paragraph's last line on a page of its own.
struct BreakPlace {
  VolumeEnd kind = VolumeEnd::Paragraph;
  int extraPage = 0;
};

// The place before line i of lines, with the composer standing there as s;
// none when a volume cannot end there without changing a line of the text
// or leaving a page with nothing but its header. rows is LINHAS.
std::optional<BreakPlace> BreakBefore(const ComposerState& s, const std::vector<std::string>& lines, std::size_t i,
                                      int rows);

// A place measured in pages from the start of its volume.
struct PlaceInVolume {
  double pages = 0;
  VolumeEnd kind = VolumeEnd::Paragraph;
};

// The place to end a volume of target pages at: the last heading in its
// last fifth, else the last paragraph end there; none when there is
// neither, and the volume ends at the page end after target pages.
std::optional<std::size_t> ChooseVolumeEnd(const std::vector<PlaceInVolume>& places, int target);

// The size a volume aims at: what is left spread over the volumes planned
// for it; the last takes all it can hold.
int VolumeTarget(double pagesLeft, int volumesLeft, int capacity);

// A place in the whole book, in pages from its start.
struct PlaceInBook {
  double page = 0;
  VolumeEnd kind = VolumeEnd::Paragraph;
};

// The fewest volumes of at most capacity pages that the text from page
// start to page end fills when each volume ends as ChooseVolumeEnd says;
// places are in the order of the text.
int PlanVolumes(const std::vector<PlaceInBook>& places, double start, double end, int capacity);
