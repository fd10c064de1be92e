#include "braille/brlebuf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "braille/input_file.h"
#include "braille/job_user_test_support.h"
#include "tests/support/test_support.h"

namespace {

using job_user_testing::RecordingUser;
using testing_support::TempDir;
using testing_support::WriteFile;
using Lines = std::vector<std::string>;

constexpr const char* kLongLineMessage = "BRLINDIV\n";

// What the reader told its user, one notice a line.
std::string NoticesOf(const RecordingUser& user) {
  std::string text;
  for (const std::string& notice : user.notices) text += notice + "\n";
  return text;
}

// One pass of the reader over an open file, as the composer makes it; what
// it told the user goes to notices.
Lines ReadPass(InputFile& file, std::string& notices) {
  RecordingUser user;
  TextReader reader(file, user);
  Lines lines;
  while (!reader.State().atEnd && lines.size() < 100000) lines.push_back(reader.ReadTextLine());
  EXPECT_TRUE(reader.State().atEnd) << "the reader does not come to an end";
  notices = NoticesOf(user);
  return lines;
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

class ReaderTest : public ::testing::Test {
 protected:
  // Writes bytes as the input file and reads it once; the console output is
  // kept.
  Lines Read(const std::string& bytes) {
    WriteFile(dir_.File("input.txt"), bytes);
    InputFile file;
    EXPECT_TRUE(file.Open(dir_.File("input.txt")));
    return ReadPass(file, console_);
  }

  TempDir dir_;
  std::string console_;  // what the reader told its user
};

TEST_F(ReaderTest, LineEndsOfEveryKind) {
  // CR LF, LF, CR and LF CR: the last gives a line end and an empty line.
  EXPECT_EQ(Read("a\r\nb\nc\rd\n\re"), (Lines{"a", "b", "c", "d", "", "e"}));
  EXPECT_EQ(Read("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(Read("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(console_, "");
}

TEST_F(ReaderTest, EndOfFile) {
  EXPECT_EQ(Read("one\ntwo"), (Lines{"one", "two"}));
  EXPECT_EQ(Read("one\n"), (Lines{"one"}));
  EXPECT_EQ(Read("one\r"), (Lines{"one"}));
  // CR and one further character: the character is a last line of its own.
  EXPECT_EQ(Read("one\rx"), (Lines{"one", "x"}));
  EXPECT_EQ(Read("x"), (Lines{"x"}));
}

TEST_F(ReaderTest, EmptyFileIsAtEndAtOnce) {
  WriteFile(dir_.File("empty.txt"), "");
  InputFile file;
  ASSERT_TRUE(file.Open(dir_.File("empty.txt")));
  RecordingUser user;
  TextReader reader(file, user);
  EXPECT_TRUE(reader.State().atEnd);
  EXPECT_EQ(NoticesOf(user), "");
}

TEST_F(ReaderTest, TabsAndControlBytes) {
  EXPECT_EQ(Read("a\tb\n"), (Lines{"a        b"}));
  EXPECT_EQ(Read(std::string("\x00\x01\x1A\x1B\x1F|\x7F\x80\xFF", 9)), (Lines{"#####|\x7F\x80\xFF"}));
}

TEST_F(ReaderTest, LineWithoutBlanksIsCutAt180) {
  EXPECT_EQ(Read(std::string(200, 'a') + "\r\n"), (Lines{std::string(180, 'a'), std::string(20, 'a')}));
  EXPECT_EQ(console_, kLongLineMessage);
}

TEST_F(ReaderTest, LineOf170IsWholeButWarned) {
  EXPECT_EQ(Read(std::string(170, 'a') + "\r\nnext"), (Lines{std::string(170, 'a'), "next"}));
  EXPECT_EQ(console_, kLongLineMessage);
}

TEST_F(ReaderTest, LongLineIsDividedAtTheFirstBlankAfter160) {
  const std::string head(164, 'a');
  // The blank at 165 ends the line; the blanks after it are dropped.
  EXPECT_EQ(Read(head + "    word\r\nend"), (Lines{head + " ", "word", "end"}));
  EXPECT_EQ(console_, kLongLineMessage);
  // A line end after the dropped blanks is consumed with them, CR LF whole.
  EXPECT_EQ(Read(head + "   \r\nnext"), (Lines{head + " ", "next"}));
  EXPECT_EQ(Read(head + "   \n\nnext"), (Lines{head + " ", "", "next"}));
  // Blanks at the very end of the file are dropped.
  EXPECT_EQ(Read(head + "     "), (Lines{head + " "}));
  // A blank at 161 divides; one at 160 does not.
  EXPECT_EQ(Read(std::string(160, 'b') + " rest"), (Lines{std::string(160, 'b') + " ", "rest"}));
  const std::string blankAt160 = std::string(159, 'c') + " " + std::string(10, 'c');
  EXPECT_EQ(Read(blankAt160), (Lines{blankAt160}));
}

TEST_F(ReaderTest, TabAfter179CharactersGivesTheLongestLine) {
  const Lines lines = Read(std::string(179, 'a') + "\tx");
  EXPECT_EQ(lines, (Lines{std::string(179, 'a') + std::string(8, ' '), "x"}));
  EXPECT_EQ(lines[0].size(), 187u);
}

TEST_F(ReaderTest, LongLineMessageOncePerCopy) {
  const std::string text = std::string(200, 'a') + "\n" + std::string(170, 'b') + "\n";
  WriteFile(dir_.File("input.txt"), text);
  for (int copy = 1; copy <= 2; ++copy) {
    SCOPED_TRACE(copy);
    InputFile file;
    ASSERT_TRUE(file.Open(dir_.File("input.txt")));
    std::string notices;
    EXPECT_EQ(ReadPass(file, notices), (Lines{std::string(180, 'a'), std::string(20, 'a'), std::string(170, 'b')}));
    EXPECT_EQ(Count(notices, kLongLineMessage), 1);
  }
}

TEST_F(ReaderTest, ReadErrorEndsTheInput) {
  // The process's own memory opens, but reading its first page fails.
  InputFile file;
  ASSERT_TRUE(file.Open("/proc/self/mem"));
  RecordingUser user;
  TextReader reader(file, user);
  EXPECT_TRUE(reader.State().atEnd);
  EXPECT_EQ(NoticesOf(user), "BRERRLEI\n");
}

TEST_F(ReaderTest, Utf8AndWindows1252GiveTheSameLines) {
  const Lines expected{"A\xE7\xE3o, cora\xE7\xE3o e p\xE3o.", "\xC9 \xFAtil \xE0 crian\xE7" "a."};
  EXPECT_EQ(Read("A\xC3\xA7\xC3\xA3o, cora\xC3\xA7\xC3\xA3o e p\xC3\xA3o.\n\xC3\x89 \xC3\xBAtil \xC3\xA0 crian\xC3\xA7" "a."),
            expected);
  EXPECT_EQ(Read("A\xE7\xE3o, cora\xE7\xE3o e p\xE3o.\n\xC9 \xFAtil \xE0 crian\xE7" "a."), expected);
  EXPECT_EQ(Read("\xEF\xBB\xBFplain\r\n"), (Lines{"plain"}));
}

// Lines of at most 99 letters that fill exactly length bytes, so that the
// text after them starts at a chosen place in the first block.
std::string Prefix(std::size_t length, Lines& expected) {
  std::string text;
  for (char letter = 'a'; text.size() < length; ++letter) {
    const std::size_t size = std::min<std::size_t>(99, length - text.size() - 1);
    expected.push_back(std::string(size, letter));
    text += expected.back() + "\n";
  }
  return text;
}

TEST_F(ReaderTest, BlockBoundaries) {
  // CR as byte 1023, LF as byte 1024: still one line end.
  Lines expected;
  std::string text = Prefix(1000, expected) + std::string(23, 'y') + "\r\nz";
  expected.insert(expected.end(), {std::string(23, 'y'), "z"});
  EXPECT_EQ(Read(text), expected);

  // A line across the boundary.
  expected.clear();
  text = Prefix(1000, expected) + std::string(60, 'y') + "\nz";
  expected.insert(expected.end(), {std::string(60, 'y'), "z"});
  EXPECT_EQ(Read(text), expected);

  // A long line divided at a blank in byte 1023: the blanks that follow and
  // the word pushed back lie in the next block.
  expected.clear();
  text = Prefix(863, expected) + std::string(160, 'i') + "    word";
  expected.insert(expected.end(), {std::string(160, 'i') + " ", "word"});
  EXPECT_EQ(Read(text), expected);
}

TEST_F(ReaderTest, Utf8SequenceAcrossBlockBoundary) {
  // "ç" as bytes 1023 and 1024.
  Lines expected;
  const std::string text = Prefix(1000, expected) + std::string(23, 'y') + "\xC3\xA7" "a\n";
  expected.push_back(std::string(23, 'y') + "\xE7" "a");
  EXPECT_EQ(Read(text), expected);

  // Seven bytes a line puts sequences across boundaries at every offset.
  std::string many;
  for (int i = 0; i < 3000; ++i) many += "a\xC3\xA7\xC3\xA3o\n";
  EXPECT_EQ(Read(many), Lines(3000, "a\xE7\xE3o"));
}

TEST_F(ReaderTest, ManyBlocksReadWhole) {
  std::string text;
  Lines expected;
  for (int i = 0; i < 2000; ++i) {
    expected.push_back("line " + std::to_string(i));
    text += expected.back() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
  }
  EXPECT_EQ(Read(text), expected);
}

}  // namespace
