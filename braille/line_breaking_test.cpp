#include "braille/line_breaking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_encoding.h"

namespace {

// Texts are written here in UTF-8 for reading; BreakLine sees Windows-1252.
std::string Ansi(std::string_view utf8) { return Windows1252FromUtf8(utf8); }

// Single cuts are rows of braille/testdata/line_breaking/ (test
// BrailleRows.LineBreaking); here, whole paragraphs cut line by line.

// The page composer's loop: cut lines until the rest fits, with the
// continuation indent of two blanks before every rest when it is on.
std::vector<std::string> ComposeLines(std::string text, int width, bool syllableSeparation, bool indent) {
  const std::size_t enough = 4 * text.size();
  std::vector<std::string> lines;
  while (static_cast<int>(text.size()) > width && lines.size() <= enough) {
    std::string head;
    BreakLine(text, head, width, syllableSeparation);
    lines.push_back(head);
    if (indent) text.insert(0, "  ");
  }
  lines.push_back(text);
  return lines;
}

std::string WithoutBlanksAndHyphens(std::string_view text) {
  std::string kept;
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [](char c) { return c != ' ' && c != '-'; });
  return kept;
}

TEST(BreakLine, ContinuationIndentAtTheNarrowestWidthsEnds) {
  const std::string text = Ansi("a menina canta muito bem nas noites de verão");
  for (int width = 2; width <= 5; ++width) {
    for (bool separation : {true, false}) {
      const std::vector<std::string> lines = ComposeLines(text, width, separation, true);
      ASSERT_LE(lines.size(), 2 * text.size()) << "width " << width;
      std::string joined;
      for (const std::string& line : lines) {
        EXPECT_LE(line.size(), static_cast<std::size_t>(width)) << line;
        joined += line;
      }
      EXPECT_EQ(WithoutBlanksAndHyphens(joined), WithoutBlanksAndHyphens(text)) << "width " << width;
    }
  }
}

// Property test over the Brazilian word list.

constexpr const char* kWordListPath = "/usr/share/dict/brazilian";

char LowerWindows1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  const bool capital = (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7);
  return capital ? static_cast<char>(u + 32) : c;
}

std::vector<std::string> LoadWordList() {
  std::ifstream in(kWordListPath, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string utf8 = bytes.str();
  EXPECT_TRUE(IsUtf8WithMultibyte(utf8)) << kWordListPath << " is expected in UTF-8";
  std::string text = Windows1252FromUtf8(utf8);
  std::transform(text.begin(), text.end(), text.begin(), LowerWindows1252);
  std::vector<std::string> words;
  std::istringstream lines(text);
  for (std::string word; std::getline(lines, word);) {
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

// Texts of many words, most joined by one blank and some by two.
std::vector<std::string> BuildTexts(const std::vector<std::string>& words, std::size_t stride) {
  constexpr std::size_t kWordsPerText = 40;
  std::vector<std::string> texts;
  std::string text;
  std::size_t count = 0;
  for (std::size_t i = 0; i < words.size(); i += stride) {
    if (count > 0) text += (count % 7 == 0) ? "  " : " ";
    text += words[i];
    if (++count == kWordsPerText) {
      texts.push_back(text);
      text.clear();
      count = 0;
    }
  }
  if (!text.empty()) texts.push_back(text);
  return texts;
}

bool SplitsDigraph(char before, char after) {
  return (before == 'n' || before == 'l' || before == 'c') && after == 'h';
}

// One cut of the composer's loop: before -> head + rest.
testing::AssertionResult IsSoundCut(const std::string& before, const std::string& head, const std::string& rest,
                                    std::size_t width) {
  auto failure = [&](std::string_view what) {
    return testing::AssertionFailure() << what << " at width " << width << "\n text: [" << Utf8FromWindows1252(before)
                                       << "]\n head: [" << Utf8FromWindows1252(head) << "]\n rest: ["
                                       << Utf8FromWindows1252(rest) << "]";
  };
  if (head.size() > width) return failure("line wider than the width");
  if (rest.size() >= before.size() || before.compare(before.size() - rest.size(), rest.size(), rest) != 0) {
    return failure("rest is not a shorter tail of the text");
  }
  if (!rest.empty() && rest.front() == ' ') return failure("rest begins with a blank");
  std::string taken = before.substr(0, before.size() - rest.size());
  const bool insideWord = !rest.empty() && taken.back() != ' ';
  if (insideWord) {
    if (head != taken + "-") return failure("divided word not closed by the hyphen, or text lost");
    if (SplitsDigraph(taken.back(), rest.front())) return failure("digraph divided");
    if (width > 10 && head.size() <= 10) return failure("divided line shorter than ten cells");
  } else {
    taken.erase(taken.find_last_not_of(' ') + 1);
    if (head != taken) return failure("text lost at a word end");
  }
  return testing::AssertionSuccess();
}

TEST(BreakLine, WordListTextsCutSoundly) {
  if (!std::ifstream(kWordListPath)) GTEST_SKIP() << kWordListPath << " missing (Debian package wbrazilian)";
  const std::vector<std::string> texts = BuildTexts(LoadWordList(), 1);
  ASSERT_GT(texts.size(), 100u);
  int failures = 0;
  for (int width : {12, 15, 20, 28, 34, 40}) {
    for (bool separation : {true, false}) {
      for (const std::string& original : texts) {
        std::string text = original;
        while (text.size() > static_cast<std::size_t>(width) && failures < 10) {
          const std::string before = text;
          std::string head;
          BreakLine(text, head, width, separation);
          const testing::AssertionResult sound = IsSoundCut(before, head, text, width);
          if (!sound) ++failures;
          EXPECT_TRUE(sound) << (separation ? "separation on" : "separation off");
        }
      }
    }
  }
}

}  // namespace
