// Line breaking rows: a line of text, a width and syllable separation on or
// off, and the line BreakLine cuts from the text with the rest it leaves,
// read from braille/testdata/line_breaking/ (the notation is described at
// the top of each file).
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "braille/braille_rows_test_support.h"
#include "braille/line_breaking.h"
#include "braille/print_settings.h"

namespace {

using braille_rows::RowsFile;

const std::vector<std::string> kFiles = {"line_breaking.txt", "portuguese_words.txt"};

struct Row {
  int width = 0;
  bool separationOn = false;
  bool separationOff = false;
  std::string text;
  std::string head;
  std::string rest;
};

// "WIDTH SEPARATION TEXT → HEAD ‖ REST"; false with the reason when the
// line is no such row.
bool ParseRow(std::string_view line, Row& row, std::string& problem) {
  std::string_view before;
  std::string_view after;
  if (!braille_rows::SplitAt(line, braille_rows::kArrow, before, after)) {
    problem = "no arrow \xE2\x86\x92 between the text and the line it gives";
    return false;
  }
  std::string_view head;
  std::string_view rest;
  if (!braille_rows::SplitAt(after, "\xE2\x80\x96", head, rest)) {
    problem = "no \xE2\x80\x96 between the line and the rest";
    return false;
  }
  before = braille_rows::TrimBlanks(before);
  const std::size_t widthEnd = before.find(' ');
  const std::string width(before.substr(0, widthEnd));
  if (widthEnd == std::string_view::npos || !ParseSettingsInteger(width, row.width) || width[0] == '+' ||
      width[0] == '-') {
    problem = "the row must begin with the width, a number";
    return false;
  }
  before = braille_rows::TrimBlanks(before.substr(widthEnd));
  const std::size_t separationEnd = before.find(' ');
  const std::string_view separation = before.substr(0, separationEnd);
  row.separationOn = separation == "on" || separation == "both";
  row.separationOff = separation == "off" || separation == "both";
  if (separationEnd == std::string_view::npos || !(row.separationOn || row.separationOff)) {
    problem = "the width must be followed by on, off or both (syllable separation), then the text";
    return false;
  }
  const std::string_view text = braille_rows::TrimBlanks(before.substr(separationEnd));
  return braille_rows::PrintText(text, row.text, problem) &&
         braille_rows::PrintText(braille_rows::TrimBlanks(head), row.head, problem) &&
         braille_rows::PrintText(braille_rows::TrimBlanks(rest), row.rest, problem);
}

TEST(BrailleRows, LineBreaking) {
  int rowCount = 0;
  for (const RowsFile& file : braille_rows::ReadRowsFiles("line_breaking", kFiles)) {
    int fileRows = 0;
    for (const braille_rows::SourceLine& line : file.lines) {
      if (braille_rows::IsCommentOrEmpty(line.text)) continue;
      Row row;
      std::string problem;
      if (!ParseRow(line.text, row, problem)) {
        BRAILLE_ROW_FAILURE(file, line.number) << "malformed row: " << problem;
        continue;
      }
      ++fileRows;
      for (const bool separation : {true, false}) {
        if (separation ? !row.separationOn : !row.separationOff) continue;
        ++rowCount;
        std::string rest = row.text;
        std::string head;
        BreakLine(rest, head, row.width, separation);
        if (head != row.head || rest != row.rest) {
          BRAILLE_ROW_FAILURE(file, line.number)
              << braille_rows::ShowPrint(row.text) << " (width " << row.width << ", separation "
              << (separation ? "on" : "off") << ")\n  expected " << braille_rows::ShowPrint(row.head)
              << " \xE2\x80\x96 " << braille_rows::ShowPrint(row.rest) << "\n  cut      "
              << braille_rows::ShowPrint(head) << " \xE2\x80\x96 " << braille_rows::ShowPrint(rest);
        }
      }
    }
    if (fileRows == 0) ADD_FAILURE() << file.path << " has no rows";
  }
  EXPECT_GT(rowCount, 0);
  std::cout << "[   ROWS   ] " << rowCount << " line breaks checked\n";
}

}  // namespace
