#include "documents/layout_text.h"

#include <algorithm>

namespace {

// Lines are kept well under the reader's 160 characters, beyond which it
// divides them itself and says so.
constexpr std::size_t kWrapColumns = 100;
constexpr std::size_t kLongestLine = 150;
// The longest title the settings take.
constexpr std::size_t kLongestTitle = 80;
// A line that begins with ten blanks is centred.
constexpr std::string_view kCentring = "          ";
constexpr std::string_view kBullet = "\u2022";

std::size_t CodePoints(std::string_view text) {
  return static_cast<std::size_t>(
      std::ranges::count_if(text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The first code points of the text, cut at a character's start.
std::string_view FirstCodePoints(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (seen == count) return text.substr(0, i);
    ++seen;
  }
  return text;
}

// A continuation line must not begin a paragraph or a command.
bool MayBeginContinuation(std::string_view word) {
  return !word.starts_with('<') && !word.starts_with(kBullet);
}

}  // namespace

std::string SingleSpaced(std::string_view text) {
  std::string spaced;
  spaced.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (text.substr(i).starts_with(kPageBreakMark)) {
      i += kPageBreakMark.size() - 1;
      if (!spaced.empty() && spaced.back() != ' ') spaced += ' ';
      continue;
    }
    const bool blank = static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
    if (!blank) {
      spaced += c;
    } else if (!spaced.empty() && spaced.back() != ' ') {
      spaced += ' ';
    }
  }
  if (!spaced.empty() && spaced.back() == ' ') spaced.pop_back();
  return spaced;
}

LayoutText::LayoutText() {
  // Paragraphs of a document are joined and cut to the Braille line,
  // whatever the settings say about typed texts.
  Line("<F+>");
}

void LayoutText::Line(std::string_view line) {
  text_ += line;
  text_ += '\n';
}

void LayoutText::WrappedLines(std::string_view lead, std::string_view text) {
  std::string line(lead);
  std::size_t columns = CodePoints(lead);
  bool lineHasWord = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    // A word longer than a line (an address, a run of signs) is cut, as the
    // reader would cut it.
    const std::string_view word = FirstCodePoints(text.substr(start, end - start), kWrapColumns);
    const std::size_t wordColumns = CodePoints(word);
    if (lineHasWord && columns + 1 + wordColumns > kWrapColumns) {
      if (MayBeginContinuation(word)) {
        Line(line);
        line.clear();
        columns = 0;
        lineHasWord = false;
      } else if (columns + 1 + wordColumns > kLongestLine) {
        // No line of this paragraph can begin with the word: it begins
        // the next one.
        Line(line);
        line = " ";
        columns = 1;
        lineHasWord = false;
      }
    }
    if (lineHasWord) {
      line += ' ';
      ++columns;
    }
    line += word;
    columns += wordColumns;
    lineHasWord = true;
    start += word.size();
    if (start == end) ++start;
  }
  Line(line);
  wroteText_ = true;
}

void LayoutText::Title(std::string_view title) {
  const std::string spaced = SingleSpaced(title);
  if (spaced.empty()) return;
  Line("<T" + std::string(FirstCodePoints(spaced, kLongestTitle)) + ">");
}

void LayoutText::Heading(std::string_view text) {
  const std::string spaced = SingleSpaced(text);
  if (spaced.empty()) return;
  if (wroteText_) Line("");
  // Every piece of a long heading is a centred line of its own.
  std::size_t start = 0;
  while (start < spaced.size()) {
    std::string_view rest = std::string_view(spaced).substr(start);
    std::string_view piece = FirstCodePoints(rest, kWrapColumns);
    if (piece.size() < rest.size()) {
      const std::size_t blank = piece.rfind(' ');
      if (blank != std::string_view::npos && blank > 0) piece = piece.substr(0, blank);
    }
    Line(std::string(kCentring) + std::string(piece));
    start += piece.size();
    while (start < spaced.size() && spaced[start] == ' ') ++start;
  }
  wroteText_ = true;
}

void LayoutText::Paragraph(std::string_view text) {
  for (;;) {
    const std::size_t mark = text.find(kPageBreakMark);
    const std::string spaced = SingleSpaced(text.substr(0, mark));
    // One leading blank begins a paragraph; the reformatting drops it.
    if (!spaced.empty()) WrappedLines(" ", spaced);
    if (mark == std::string_view::npos) return;
    NewPage();
    text.remove_prefix(mark + kPageBreakMark.size());
  }
}

void LayoutText::Continuation(std::string_view text) {
  const std::string spaced = SingleSpaced(text);
  if (spaced.empty()) return;
  if (!MayBeginContinuation(spaced)) {
    Paragraph(spaced);
    return;
  }
  WrappedLines("", spaced);
}

void LayoutText::ListItem(std::string_view marker, std::string_view text) {
  const std::string spaced = SingleSpaced(text);
  const std::string item = spaced.empty() ? std::string(marker) : std::string(marker) + " " + spaced;
  // A bullet begins a paragraph of itself; a number needs the blank.
  WrappedLines(marker.starts_with(kBullet) ? "" : " ", item);
}

void LayoutText::TableRow(const std::vector<std::string>& cells) {
  std::string row;
  for (const std::string& cell : cells) {
    if (!row.empty()) row += kCellSeparator;
    row += SingleSpaced(cell);
  }
  if (SingleSpaced(row).empty()) return;
  WrappedLines(" ", row);
}

void LayoutText::KeptLines(std::string_view text) {
  Line("<F->");
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string rest(text.substr(start, end - start));
    for (char& c : rest) {
      if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = ' ';
    }
    // A long line is cut before the reader would; no piece of the text is
    // ever a command.
    do {
      std::string piece(FirstCodePoints(rest, kLongestLine));
      rest.erase(0, piece.size());
      if (piece.starts_with('<')) piece.insert(0, 1, ' ');
      Line(piece);
    } while (!rest.empty());
    start = end + 1;
  }
  Line("<F+>");
  wroteText_ = true;
}

void LayoutText::BlankLine() {
  if (wroteText_) Line("");
}

void LayoutText::NewPage() {
  if (wroteText_) Line("<P>");
}

void LayoutText::PrintPageNumber(int number) {
  if (number > 0) Line("<" + std::to_string(number) + ">");
}

void LayoutText::MarginCommand() { Line("<M" + std::string(static_cast<std::size_t>(2 * marginLevel_), ' ') + ">"); }

void LayoutText::PushMargin() {
  ++marginLevel_;
  MarginCommand();
}

void LayoutText::PopMargin() {
  marginLevel_ = std::max(marginLevel_ - 1, 0);
  MarginCommand();
}

void LayoutText::BeginList() {
  if (listLevel_++ == 0) Line("<R+>");
}

void LayoutText::EndList() {
  if (listLevel_ > 0 && --listLevel_ == 0) Line("<R->");
}
