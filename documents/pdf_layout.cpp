#include "documents/pdf_layout.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <memory>
#include <string_view>

#include "documents/layout_text.h"

namespace {

// A line shorter than this share of the page's longest line, ending a
// sentence, ends its paragraph.
constexpr double kShortLineShare = 0.8;

std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\n\f", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(SingleSpaced(text.substr(start, end - start)));
    start = end + 1;
  }
  return lines;
}

// The hyphens a word may be divided with at a line end: the ASCII one, the
// soft hyphen, the typographic hyphens and the minus sign some programs
// write for it.
constexpr std::string_view kHyphens[] = {"-", "\u00ad", "\u2010", "\u2011", "\u2212"};

// The length of the hyphen a line ends or begins with, 0 for none; a line
// of a hyphen alone has none.
std::size_t HyphenAtEnd(std::string_view line) {
  for (const std::string_view hyphen : kHyphens) {
    if (line.size() > hyphen.size() && line.ends_with(hyphen)) return hyphen.size();
  }
  return 0;
}

std::size_t HyphenAtStart(std::string_view line) {
  for (const std::string_view hyphen : kHyphens) {
    if (line.size() > hyphen.size() && line.starts_with(hyphen)) return hyphen.size();
  }
  return 0;
}

// An ASCII letter, or a byte of a letter beyond ASCII.
bool IsLetterByte(char c) { return std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80; }

bool BeginsLowerCase(std::string_view line) {
  if (line.empty()) return false;
  const auto first = static_cast<unsigned char>(line[0]);
  if (first >= 'a' && first <= 'z') return true;
  // Accented small letters of Latin-1: U+00DF to U+00FF.
  return first == 0xC3 && line.size() > 1 && static_cast<unsigned char>(line[1]) >= 0x9F;
}

// "pala-" at a line end and "vra" at the next line's start are one word;
// in Portuguese a compound word divided at its own hyphen repeats it on the
// next line ("guarda-" and "-chuva"), and keeps one.
bool JoinHyphenated(std::string& line, std::string& next) {
  const std::size_t hyphen = HyphenAtEnd(line);
  if (hyphen == 0 || !IsLetterByte(line[line.size() - hyphen - 1])) return false;
  if (const std::size_t repeated = HyphenAtStart(next); repeated != 0) {
    line.erase(line.size() - hyphen);
    next.replace(0, repeated, "-");
    return true;
  }
  if (!BeginsLowerCase(next)) return false;
  line.erase(line.size() - hyphen);
  return true;
}

bool EndsSentence(std::string_view line) {
  if (line.empty()) return true;
  const std::string_view enders = ".!?:;\"')";
  return enders.find(line.back()) != std::string_view::npos || line.ends_with("\u201d");
}

// A word divided at the end of one page and ended on the next moves whole
// to the first page. A line left empty by it goes: an empty line would end
// the paragraph.
void JoinAcrossPages(std::vector<std::vector<std::string>>& pages) {
  for (std::size_t p = 0; p + 1 < pages.size(); ++p) {
    if (pages[p].empty() || pages[p + 1].empty()) continue;
    std::string& last = pages[p].back();
    std::string& first = pages[p + 1].front();
    std::string joined = last;
    if (!JoinHyphenated(joined, first)) continue;
    const std::size_t blank = first.find(' ');
    last = joined + first.substr(0, blank);
    if (blank == std::string::npos) {
      pages[p + 1].erase(pages[p + 1].begin());
    } else {
      first.erase(0, blank + 1);
    }
  }
}

}  // namespace

std::string LayoutFromPdfPages(std::vector<PdfPage> pages) {
  std::vector<std::vector<std::string>> lines;
  for (const PdfPage& page : pages) lines.push_back(LinesOf(page.text));
  JoinAcrossPages(lines);
  LayoutText layout;
  bool paragraphOpen = false;  // the last page ended inside a paragraph
  for (std::size_t p = 0; p < pages.size(); ++p) {
    layout.PrintPageNumber(pages[p].number);
    std::size_t longest = 0;
    for (const std::string& line : lines[p]) longest = std::max(longest, line.size());
    std::string paragraph;
    const auto end = [&] {
      if (paragraph.empty()) return;
      if (paragraphOpen) {
        layout.Continuation(paragraph);
      } else {
        layout.Paragraph(paragraph);
      }
      paragraph.clear();
      paragraphOpen = false;
    };
    std::vector<std::string>& pageLines = lines[p];
    for (std::size_t i = 0; i < pageLines.size(); ++i) {
      std::string& line = pageLines[i];
      if (line.empty()) {
        end();
        paragraphOpen = false;
        continue;
      }
      if (i + 1 < pageLines.size() && JoinHyphenated(line, pageLines[i + 1])) {
        paragraph += line;
        continue;
      }
      paragraph += line + ' ';
      if (EndsSentence(line) && static_cast<double>(line.size()) < kShortLineShare * static_cast<double>(longest)) end();
    }
    // A paragraph the page ends in goes on on the next page: the number
    // command between them does not end it.
    const bool goesOn = !paragraph.empty() && !EndsSentence(SingleSpaced(paragraph));
    end();
    paragraphOpen = goesOn;
  }
  return layout.Text();
}

namespace {

// poppler's own messages about damaged files are not for the user.
void IgnorePopplerMessage(const std::string&, void*) {}

// A page label that is a plain number is the original's page number.
int LabelNumber(const std::string& label, int place) {
  int number = 0;
  const auto [end, error] = std::from_chars(label.data(), label.data() + label.size(), number);
  if (error == std::errc() && end == label.data() + label.size() && number > 0) return number;
  return place;
}

std::string Utf8(const poppler::ustring& text) {
  const poppler::byte_array bytes = text.to_utf8();
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

PdfText ReadPdfText(const std::string& linuxPath) {
  poppler::set_debug_error_function(IgnorePopplerMessage, nullptr);
  PdfText read;
  const std::unique_ptr<poppler::document> document(poppler::document::load_from_file(linuxPath));
  if (!document) return read;
  if (document->is_locked()) {
    read.result = PdfRead::Locked;
    return read;
  }
  bool anyText = false;
  for (int i = 0; i < document->pages(); ++i) {
    const std::unique_ptr<poppler::page> page(document->create_page(i));
    PdfPage text;
    text.number = i + 1;
    if (page) {
      text.text = Utf8(page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout));
      text.number = LabelNumber(Utf8(page->label()), i + 1);
    }
    anyText = anyText || !SingleSpaced(text.text).empty();
    read.pages.push_back(std::move(text));
  }
  read.result = anyText ? PdfRead::Done : PdfRead::NoText;
  return read;
}
