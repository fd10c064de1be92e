#include "tests/support/novel_text.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace testing_support {

namespace {

constexpr const char* kFortunes = "/usr/share/games/fortunes/brasil";
constexpr std::size_t kWrap = 70;
constexpr int kPrintLinesPerPage = 40;

// Each fortune made one paragraph: its lines joined, the author's line left
// out.
std::vector<std::string> Paragraphs() {
  std::ifstream file(kFortunes);
  std::vector<std::string> paragraphs;
  std::string line, paragraph;
  const auto finish = [&] {
    if (paragraph.size() > 40) paragraphs.push_back(paragraph);
    paragraph.clear();
  };
  while (std::getline(file, line)) {
    if (line == "%") {
      finish();
      continue;
    }
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 2, "--") == 0) continue;
    const std::size_t end = line.find_last_not_of(" \t\r");
    if (!paragraph.empty()) paragraph += ' ';
    paragraph += line.substr(start, end - start + 1);
  }
  finish();
  return paragraphs;
}

std::size_t CountWords(const std::string& text) {
  std::istringstream words(text);
  std::size_t count = 0;
  for (std::string word; words >> word;) ++count;
  return count;
}

}  // namespace

std::string MakeNovel(const NovelShape& shape) {
  const std::vector<std::string> paragraphs = Paragraphs();
  if (paragraphs.empty()) return {};
  std::string novel = "<TMem\xC3\xB3rias de um Almanaque>\n";
  std::size_t words = 0, next = 0;
  int chapter = 0, printLines = 0, printPage = 1;
  while (words < static_cast<std::size_t>(shape.words)) {
    ++chapter;
    novel += "\n";
    if (shape.headings) novel += "            CAP\xC3\x8DTULO " + std::to_string(chapter) + "\n\n";
    // Chapters of 4 to 24 paragraphs, in a fixed order.
    const int length = 4 + (chapter * 7) % 21;
    for (int p = 0; p < length && words < static_cast<std::size_t>(shape.words); ++p) {
      const std::string& paragraph = paragraphs[next++ % paragraphs.size()];
      words += CountWords(paragraph);
      std::string line = "  ";
      std::istringstream in(paragraph);
      for (std::string word; in >> word;) {
        if (line.size() + word.size() + 1 > kWrap && line.size() > 2) {
          novel += line + "\n";
          line.clear();
          if (shape.printPageNumbers && ++printLines == kPrintLinesPerPage) {
            printLines = 0;
            novel += "<" + std::to_string(++printPage) + ">\n";
          }
        }
        if (!line.empty() && line != "  ") line += ' ';
        line += word;
      }
      novel += line + "\n";
    }
  }
  return novel;
}

}  // namespace testing_support
