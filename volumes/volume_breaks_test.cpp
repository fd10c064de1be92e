// Where a volume may end and how big the volumes are, case by case.
#include "volumes/volume_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum VolumeEnd;

TEST(VolumeBreaks, AHeadingInTheLastFifthWinsOverALaterParagraphEnd) {
  // Target 40 pages: the last fifth begins at page 32.
  const std::vector<PlaceInVolume> places = {{20, Heading}, {33, Heading}, {36, Heading}, {39, Paragraph}};
  EXPECT_EQ(ChooseVolumeEnd(places, 40), 2u) << "the last heading there";
  // A heading before the last fifth does not count: the last paragraph end.
  const std::vector<PlaceInVolume> early = {{20, Heading}, {31, Heading}, {34, Paragraph}, {38, Paragraph}};
  EXPECT_EQ(ChooseVolumeEnd(early, 40), 3u);
  // Nothing in the last fifth: the volume ends at the page end.
  const std::vector<PlaceInVolume> none = {{10, Heading}, {25, Paragraph}};
  EXPECT_FALSE(ChooseVolumeEnd(none, 40));
  // Past the target is past the limit.
  EXPECT_FALSE(ChooseVolumeEnd({{41, Heading}}, 40));
  EXPECT_EQ(ChooseVolumeEnd({{40, Paragraph}}, 40), 0u);
}

TEST(VolumeBreaks, TargetsSpreadWhatIsLeftAndTheLastVolumeTakesAllItCan) {
  EXPECT_EQ(VolumeTarget(300, 4, 78), 75);
  EXPECT_EQ(VolumeTarget(301, 4, 78), 76);
  EXPECT_EQ(VolumeTarget(500, 4, 78), 78) << "never past the limit";
  EXPECT_EQ(VolumeTarget(30, 1, 78), 78);
  EXPECT_EQ(VolumeTarget(0.5, 3, 78), 1);
}

TEST(VolumeBreaks, AVolumePlanIsTheFewestVolumesThePlacesAllow) {
  // A heading on every page: 200 pages in volumes of 78 take three.
  std::vector<PlaceInBook> everyPage;
  for (int page = 1; page < 200; ++page) everyPage.push_back({static_cast<double>(page), Heading});
  EXPECT_EQ(PlanVolumes(everyPage, 0, 200, 78), 3);
  EXPECT_EQ(PlanVolumes(everyPage, 0, 78, 78), 1);
  // Headings only at pages 50 and 100 of 200: volumes of 78 ending at a
  // heading or a page end still take three.
  EXPECT_EQ(PlanVolumes({{50, Heading}, {100, Heading}}, 0, 200, 78), 3);
  // Places only early in each target: volumes end short of it, and one
  // more is planned so that the last one does not run past its limit.
  std::vector<PlaceInBook> early;
  for (int page = 0; page < 230; page += 62) early.push_back({page + 61.0, Paragraph});
  const int planned = PlanVolumes(early, 0, 230, 78);
  EXPECT_GE(planned, 3);
  EXPECT_LE(planned, 4);
}

TEST(VolumeBreaks, PlacesBeforeHeadingsParagraphsAndNotInsideAParagraph) {
  ComposerState s;
  s.lineOnPage = 10;
  s.pageCount = 3;
  s.pageHasBody = true;
  const std::vector<std::string> lines = {
      "um par\xE1grafo", "que continua", "", "  outro", "            T\xCDTULO", "<TNovo>", "<V>", "<12>", "fim"};
  // Inside a paragraph, after a blank line, at an indented line, before a
  // centred line and before a title command.
  EXPECT_FALSE(BreakBefore(s, lines, 1, 28));
  EXPECT_FALSE(BreakBefore(s, lines, 2, 28)) << "a blank line: the place is after it";
  EXPECT_EQ(BreakBefore(s, lines, 3, 28)->kind, Paragraph);
  EXPECT_EQ(BreakBefore(s, lines, 4, 28)->kind, Heading);
  EXPECT_EQ(BreakBefore(s, lines, 5, 28)->kind, Heading);
  EXPECT_FALSE(BreakBefore(s, lines, 6, 28)) << "<V> ends its volume itself";
  EXPECT_EQ(BreakBefore(s, lines, 8, 28)->kind, Paragraph) << "after a command";
  // A page with only its header, and a volume with no page yet: no place.
  s.pageHasBody = false;
  EXPECT_FALSE(BreakBefore(s, lines, 3, 28));
  s.lineOnPage = 0;
  EXPECT_FALSE(BreakBefore(s, lines, 3, 28));
  // Reformatting with a paragraph open: a line that opens the next one is a
  // place (its end is written first), one that goes on or is centred is not.
  s.lineOnPage = 29;
  s.pageHasBody = true;
  s.pendingText = "fim do par\xE1grafo ";
  const std::optional<BreakPlace> opening = BreakBefore(s, lines, 3, 28);
  ASSERT_TRUE(opening);
  EXPECT_EQ(opening->extraPage, 1) << "the page is full: the paragraph's end goes on the next";
  EXPECT_FALSE(BreakBefore(s, lines, 1, 28));
  EXPECT_FALSE(BreakBefore(s, lines, 4, 28));
  EXPECT_FALSE(BreakBefore(s, lines, 7, 28)) << "<12> does not end the paragraph";
}

}  // namespace
