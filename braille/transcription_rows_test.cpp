// Transcription rows: print text and the Braille it must give, read from
// braille/testdata/transcription/ (the notation is described at the top of
// each file). Every row is transcribed from a fresh state, as the first line
// of a copy, and the internal text is compared cell by cell.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "braille/braille_cells.h"
#include "braille/braille_rows_test_support.h"
#include "braille/transcription.h"

namespace {

using braille_rows::RowsFile;

const std::vector<std::string> kFiles = {"current_rules.txt", "old_rules.txt", "portuguese_text.txt"};

// What a section header sets: the rule set and the styles its rows are
// checked in.
struct Section {
  bool set = false;
  bool oldRules = false;
  bool portugueseStyle = false;
  bool englishStyle = false;
  int line = 0;
  int rows = 0;
};

// "[current rules, Portuguese style]" and the like; false when the line is
// no valid header.
bool ParseSection(std::string_view line, Section& section) {
  line = braille_rows::TrimBlanks(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
  std::string_view rules;
  std::string_view style;
  if (!braille_rows::SplitAt(line.substr(1, line.size() - 2), ",", rules, style)) return false;
  rules = braille_rows::TrimBlanks(rules);
  style = braille_rows::TrimBlanks(style);
  if (rules == "current rules") {
    section.oldRules = false;
  } else if (rules == "old rules") {
    section.oldRules = true;
  } else {
    return false;
  }
  section.portugueseStyle = style == "Portuguese style" || style == "both styles";
  section.englishStyle = style == "English style" || style == "both styles";
  section.set = true;
  section.rows = 0;
  return section.portugueseStyle || section.englishStyle;
}

void EndSection(const RowsFile& file, const Section& section) {
  if (section.set && section.rows == 0) BRAILLE_ROW_FAILURE(file, section.line) << "a section without rows";
}

TEST(BrailleRows, Transcription) {
  int rowCount = 0;
  for (const RowsFile& file : braille_rows::ReadRowsFiles("transcription", kFiles)) {
    int fileRows = 0;
    Section section;
    for (const braille_rows::SourceLine& line : file.lines) {
      if (braille_rows::IsCommentOrEmpty(line.text)) continue;
      std::string_view print;
      std::string_view braille;
      if (!braille_rows::SplitAt(line.text, braille_rows::kArrow, print, braille)) {
        EndSection(file, section);
        if (!ParseSection(line.text, section)) {
          BRAILLE_ROW_FAILURE(file, line.number)
              << "neither a row (print \xE2\x86\x92 Braille), a comment (#) nor a section header such as "
                 "[current rules, Portuguese style], [old rules, English style], [current rules, both styles]";
          section = Section{};
        }
        section.line = line.number;
        continue;
      }
      if (!section.set) {
        BRAILLE_ROW_FAILURE(file, line.number) << "a row before any section header";
        continue;
      }
      std::string text;
      std::string expected;
      std::string problem;
      if (!braille_rows::PrintText(braille_rows::TrimBlanks(print), text, problem) ||
          !braille_rows::BrailleCells(braille_rows::TrimBlanks(braille), expected, problem)) {
        BRAILLE_ROW_FAILURE(file, line.number) << "malformed row: " << problem;
        continue;
      }
      ++section.rows;
      ++fileRows;
      for (const bool englishStyle : {false, true}) {
        if (englishStyle ? !section.englishStyle : !section.portugueseStyle) continue;
        ++rowCount;
        TranscriptionState state;
        const std::string internal = Transcribe(text, englishStyle, section.oldRules, state);
        const std::string cells = UnicodeBrailleFromInternal(internal, section.oldRules);
        if (cells != expected) {
          BRAILLE_ROW_FAILURE(file, line.number)
              << braille_rows::ShowPrint(text) << " (" << (section.oldRules ? "old rules, " : "current rules, ")
              << (englishStyle ? "English style" : "Portuguese style") << ")\n  expected " << expected
              << "\n  written  " << cells << "\n  internal " << braille_rows::ShowPrint(internal);
        }
      }
    }
    EndSection(file, section);
    if (fileRows == 0) ADD_FAILURE() << file.path << " has no rows";
  }
  EXPECT_GT(rowCount, 0);
  std::cout << "[   ROWS   ] " << rowCount << " transcriptions checked\n";
}

}  // namespace
