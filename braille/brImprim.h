// The page composer: makes one copy of the Braille document, from the lines
// of the open input file to the device bytes: paragraphs, body lines, pages
// with their headers, the page range and front-and-back printing.
#pragma once

#include <string>
#include <string_view>

// Per-copy state, reset by PrintCopy; embedded commands change it too.
struct ComposerState {
  int pageNumber = 0;       // numbering counter: printed as pageNumber + BRNUMINI - 1
  int pageCount = 0;        // pages begun in this copy: page range, sides, form feeds
  int lineOnPage = 0;       // 0 before the first page, else 1 + lines passed on this page
  std::string pendingText;  // the open paragraph, transcribed, not yet cut into lines
  bool centerLine = false;  // the current input line is to be centred
  int lineWidth = 0;        // body width: columns less the margin
  std::string marginPrefix;
  std::string currentTitle;
  int printPageNumber = 0;  // ink-print page number for the header; 0 = none
  bool titlesOn = false;
  bool autoReformat = false;
  bool syllableSeparation = false;
  bool englishStyle = false;
  bool continuationIndent = false;
  int pagesInRange = 0;     // pages begun within the page range: the pages embossed
  bool textPastRange = false;  // text was laid out on a page after the range
};

extern ComposerState composerState;

// Control bytes, written by DeviceWrite calls of their own and never mapped
// through the code table.
inline constexpr std::string_view kFormFeed = "\f";
inline constexpr std::string_view kLineEnd = "\r\n";

// The full width of a line: COLUNAS, but never below 2, since a narrower
// line could not be cut and the cutting would not end.
int ComposerColumns();

// Composer state as a copy starts, from the settings.
void ResetComposerState();

// How a copy ended.
enum class CopyEnd {
  Complete,        // the whole text was laid out
  PageRangeEnded,  // the text goes on past the last page of the range
  ReadFailed,      // the input could not be read to its end
};

// Prints one copy of the open input file.
CopyEnd PrintCopy();

// Lays out one input line that is not a command (the empty line included).
void ProcessTextLine(const std::string& line);

// Cuts pendingText into body lines; with force false the last partial line
// stays pending.
void FlushPending(bool force);

// Ends the current page (form feed) and begins the next with its header.
void StartNewPage();

// Counts the line on the page and, within the page range, writes it with
// the margin through the code table; asks the user after a write error.
void WriteBrailleLine(std::string_view text);
