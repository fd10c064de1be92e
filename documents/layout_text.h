// The text a document becomes: UTF-8 lines with this program's own layout
// commands, laid out by the print job exactly as a text typed by hand. The
// text is written so that reformatting joins what belongs together: every
// paragraph, list item and table row starts a line of its own with a blank
// or a bullet, its continuation lines start with neither, and no line of the
// document's words can be taken for a layout command.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class LayoutText {
 public:
  LayoutText();

  // The header title of the pages from here on (blanks and line ends made
  // single blanks; cut to the longest title the settings take).
  void Title(std::string_view title);
  // A centred line with a blank line before it.
  void Heading(std::string_view text);
  // Running text, reformatted to the Braille line; a page break mark in it
  // begins a new page there.
  void Paragraph(std::string_view text);
  // Running text that goes on the paragraph before it (a layout command
  // that ends no paragraph may stand between them).
  void Continuation(std::string_view text);
  // One item of a list: its bullet or number, then the text; its
  // continuation lines indented.
  void ListItem(std::string_view marker, std::string_view text);
  // One table row a line, its cells separated by kCellSeparator.
  void TableRow(const std::vector<std::string>& cells);
  // Lines kept as they are (code, poems).
  void KeptLines(std::string_view text);
  // An empty line: the end of a section.
  void BlankLine();
  void NewPage();
  // The page number of the printed original from here on.
  void PrintPageNumber(int number);
  // Margins nest: two cells more for each level of quotation or inner list.
  void PushMargin();
  void PopMargin();
  // List items' continuation lines indented, for as long as lists nest.
  void BeginList();
  void EndList();

  const std::string& Text() const { return text_; }

 private:
  void Line(std::string_view line);
  void WrappedLines(std::string_view lead, std::string_view text);
  void MarginCommand();

  std::string text_;
  int marginLevel_ = 0;
  int listLevel_ = 0;
  bool wroteText_ = false;  // a blank line before the first text would only waste a Braille line
};

// A page break inside a paragraph, where a converter would drop it: a
// private-use character, which no document's text is made of.
inline constexpr std::string_view kPageBreakMark = "\uE000";

// What separates the cells of a table row.
inline constexpr std::string_view kCellSeparator = "; ";

// Blanks, tabs, line ends, control characters and page break marks of a
// document's text made single blanks, and the blanks at either end removed.
std::string SingleSpaced(std::string_view text);
