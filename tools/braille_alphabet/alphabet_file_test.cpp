#include "tools/braille_alphabet/alphabet_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ShippedText() {
  std::ifstream file(RELEVIX_ALPHABET_FILE, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

int LineCount(const std::string& text) { return static_cast<int>(std::ranges::count(text, '\n')); }

// "1246" -> the pattern of dots 1 2 4 6.
int Pattern(std::string_view dots) {
  int pattern = 0;
  for (const char dot : dots) pattern |= 1 << (dot - '1');
  return pattern;
}

std::string Messages(const AlphabetReading& reading) {
  std::string text;
  for (const AlphabetError& error : reading.errors) text += std::to_string(error.line) + ": " + error.message + "\n";
  return text;
}

TEST(BrailleAlphabetFile, TheShippedFileIsWhole) {
  const std::string text = ShippedText();
  ASSERT_FALSE(text.empty()) << RELEVIX_ALPHABET_FILE;
  const AlphabetReading reading = ReadAlphabet(text);
  EXPECT_TRUE(reading.errors.empty()) << Messages(reading);
  const Alphabet& alphabet = reading.alphabet;
  EXPECT_EQ(alphabet.cellCharacters[0], ' ');
  EXPECT_EQ(alphabet.cellCharacters[Pattern("12346")], 0xE7);  // ç
  EXPECT_EQ(alphabet.cellCharacters[Pattern("3456")], '#');
  EXPECT_EQ(alphabet.currentRulesDots[0xE9], Pattern("123456"));  // é
  EXPECT_EQ(alphabet.currentRulesDots['7'], Pattern("1245"));
  // { is the capital sign's cell, 4 6; the old rules write the opening quote with it.
  EXPECT_EQ(alphabet.currentRulesDots['{'], Pattern("46"));
  EXPECT_EQ(alphabet.oldRulesDots['{'], Pattern("236"));
  // The full stop: dot 3 now, dots 2 5 6 in the old rules.
  EXPECT_EQ(alphabet.currentRulesDots['.'], Pattern("3"));
  EXPECT_EQ(alphabet.oldRulesDots['.'], Pattern("256"));
  EXPECT_EQ(alphabet.currentRulesDots['A'], -1);
  EXPECT_EQ(alphabet.oldRulesDots['%'], -1);
}

TEST(BrailleAlphabetFile, DotsOrCellAloneAndCharactersByNumber) {
  const AlphabetReading reading = ReadAlphabet(ShippedText() +
                                               "ñ 12456 atual\n"
                                               "ñ ⠻ antiga\n"
                                               "U+00B1 235\t⠖ atual  # plus-minus\n");
  ASSERT_TRUE(reading.errors.empty()) << Messages(reading);
  EXPECT_EQ(reading.alphabet.currentRulesDots[0xF1], Pattern("12456"));
  EXPECT_EQ(reading.alphabet.oldRulesDots[0xF1], Pattern("12456"));
  const AlphabetLine& last = reading.alphabet.lines.back();
  EXPECT_EQ(last.character, "\xC2\xB1");
  EXPECT_EQ(last.internal, 0xB1);
  EXPECT_EQ(last.dots, Pattern("235"));
  EXPECT_EQ(last.group, AlphabetGroup::kCurrent);
}

struct Malformed {
  std::string line;
  std::string message;  // a part of the error
};

TEST(BrailleAlphabetFile, AMalformedLineIsAnErrorOnItsLine) {
  const std::string shipped = ShippedText();
  const int line = LineCount(shipped) + 1;
  const std::vector<Malformed> cases = {
      {"ç 1234 ⠯ ambas", "the dots 1234 are the cell ⠏, not ⠯"},
      {"ç 12346 ⠯ nova", "unknown group 'nova'"},
      {"ç 12346 ⠯", "without its group"},
      {"ç ambas", "gives no cell"},
      {"ab 1 ⠁ ambas", "'ab' is not one character"},
      {"ﬁ 1 ⠁ ambas", "no Windows-1252 form"},
      {"U+2022x 1 ambas", "is not one character"},
      {"ç 12347 atual", "there is no dot 7"},
      {"ç 1223 atual", "the dot 2 is written twice"},
      {"ç 00 atual", "there is no dot 0"},
      {"ç ⣿ atual", "eight dots"},
      {"ç 1 2 atual", "the dots twice"},
      {"ç ⠁ ⠃ atual", "the cell twice"},
      {"ç 12346 x atual", "'x' is neither the dots"},
      {"a 1 ⠁ ambas", "'a' is already on line"},
      {"ß 1 ⠁ base", "the cell 1 (⠁) already has its base character"},
      {"ç \xFF atual", "not UTF-8"},
  };
  for (const Malformed& malformed : cases) {
    const AlphabetReading reading = ReadAlphabet(shipped + malformed.line + "\n");
    ASSERT_EQ(reading.errors.size(), 1u) << malformed.line << "\n" << Messages(reading);
    EXPECT_EQ(reading.errors[0].line, line) << malformed.line;
    EXPECT_NE(reading.errors[0].message.find(malformed.message), std::string::npos)
        << malformed.line << ": " << reading.errors[0].message;
  }
}

TEST(BrailleAlphabetFile, EachRuleSetHasItsOwnLineOfACharacter) {
  const std::string shipped = ShippedText();
  const AlphabetReading twice = ReadAlphabet(shipped + "\\ 6 atual\n");
  ASSERT_EQ(twice.errors.size(), 1u) << Messages(twice);
  EXPECT_NE(twice.errors[0].message.find("(atual)"), std::string::npos) << twice.errors[0].message;
  EXPECT_TRUE(ReadAlphabet(shipped + "× 236 atual\n× 236 antiga\n").errors.empty());
}

TEST(BrailleAlphabetFile, EveryBaseCellNeedsItsCharacter) {
  std::string text = ShippedText();
  const std::string line = "à       1246    ⠫   base\n";
  const std::size_t at = text.find(line);
  ASSERT_NE(at, std::string::npos);
  text.erase(at, line.size());
  const AlphabetReading reading = ReadAlphabet(text);
  ASSERT_EQ(reading.errors.size(), 1u) << Messages(reading);
  EXPECT_EQ(reading.errors[0].line, 0);
  EXPECT_EQ(reading.errors[0].message, "the cell 1246 (⠫) has no base character");
}

TEST(BrailleAlphabetFile, WindowsLineEndsAndAByteOrderMark) {
  std::string text = ShippedText();
  std::string windows = "\xEF\xBB\xBF";
  for (const char c : text) {
    if (c == '\n') windows += '\r';
    windows += c;
  }
  const AlphabetReading reading = ReadAlphabet(windows);
  EXPECT_TRUE(reading.errors.empty()) << Messages(reading);
  EXPECT_EQ(reading.alphabet.currentRulesDots, ReadAlphabet(text).alphabet.currentRulesDots);
}

TEST(BrailleAlphabetFile, DotNumbers) {
  EXPECT_EQ(DotNumbers(0), "0");
  EXPECT_EQ(DotNumbers(Pattern("1246")), "1246");
  EXPECT_EQ(DotNumbers(63), "123456");
}

}  // namespace
