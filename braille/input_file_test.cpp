#include "braille/input_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCwd;
using testing_support::TempDir;
using testing_support::WriteFile;

class InputFileTest : public ::testing::Test {
 protected:
  // Opens bytes written as a file and reads all its text in blocks of size.
  std::string ReadAll(const std::string& bytes, int size = 1024) {
    WriteFile(dir_.File("input.txt"), bytes);
    EXPECT_TRUE(file_.Open(dir_.File("input.txt")));
    std::string text;
    std::string block(static_cast<std::size_t>(size), '\0');
    int count;
    while (!file_.AtEnd() && (count = file_.ReadBlock(block.data(), size)) > 0) text.append(block.data(), count);
    EXPECT_EQ(file_.ReadBlock(block.data(), size), 0);
    file_.Close();
    return text;
  }

  TempDir dir_;
  InputFile file_;
};

TEST_F(InputFileTest, OpeningFollowsTheSystemPath) {
  EXPECT_FALSE(file_.Open(dir_.File("missing.txt")));
  EXPECT_FALSE(file_.IsOpen());
  // The name is Windows-1252 text; on disk it is UTF-8.
  WriteFile(dir_.File("a\xC3\xA7\xC3\xA3o.txt"), "x");
  EXPECT_TRUE(file_.Open(dir_.File("a\xE7\xE3o.txt")));
  EXPECT_TRUE(file_.IsOpen());
  file_.Close();
  EXPECT_FALSE(file_.IsOpen());
  // Windows separators.
  ScopedCwd cwd(dir_.path());
  std::filesystem::create_directory(dir_.File("sub"));
  WriteFile(dir_.File("sub/text.txt"), "x");
  EXPECT_TRUE(file_.Open("sub\\text.txt"));
}

TEST_F(InputFileTest, BlocksAreFullUntilTheEnd) {
  WriteFile(dir_.File("input.txt"), std::string(2500, 'x'));
  ASSERT_TRUE(file_.Open(dir_.File("input.txt")));
  char block[1024];
  EXPECT_FALSE(file_.AtEnd());
  EXPECT_EQ(file_.ReadBlock(block, 1024), 1024);
  EXPECT_FALSE(file_.AtEnd());
  EXPECT_EQ(file_.ReadBlock(block, 1024), 1024);
  EXPECT_FALSE(file_.AtEnd());
  EXPECT_EQ(file_.ReadBlock(block, 1024), 452);
  EXPECT_TRUE(file_.AtEnd());
  EXPECT_EQ(file_.ReadBlock(block, 1024), 0);

  // A file of exactly one block is at its end after that block.
  WriteFile(dir_.File("block.txt"), std::string(1024, 'y'));
  ASSERT_TRUE(file_.Open(dir_.File("block.txt")));
  EXPECT_EQ(file_.ReadBlock(block, 1024), 1024);
  EXPECT_TRUE(file_.AtEnd());

  WriteFile(dir_.File("empty.txt"), "");
  ASSERT_TRUE(file_.Open(dir_.File("empty.txt")));
  EXPECT_TRUE(file_.AtEnd());
  EXPECT_EQ(file_.ReadBlock(block, 1024), 0);
}

TEST_F(InputFileTest, BytesThatAreNotUtf8PassUnchanged) {
  EXPECT_EQ(ReadAll("A\xE7\xE3o \x80\x81\xFF"), "A\xE7\xE3o \x80\x81\xFF");
  EXPECT_EQ(ReadAll("plain ASCII\r\n"), "plain ASCII\r\n");
  // A sequence cut off by the end of the file is no UTF-8.
  EXPECT_EQ(ReadAll("a\xC3\xA7\xE2\x82"), "a\xC3\xA7\xE2\x82");
}

TEST_F(InputFileTest, Utf8IsConvertedToWindows1252) {
  EXPECT_EQ(ReadAll("A\xC3\xA7\xC3\xA3o \xE2\x82\xAC"), "A\xE7\xE3o \x80");
  // A byte-order mark is dropped; it alone makes the file UTF-8.
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF" "abc"), "abc");
  EXPECT_EQ(ReadAll("\xEF\xBB\xBF"), "");
}

TEST_F(InputFileTest, TextInMemoryIsReadAsAFileWouldBe) {
  InputFile input;
  input.OpenText("carta.docx", "A\xC3\xA7\xC3\xA3o \xE2\x82\xAC\n<P>\n");
  EXPECT_TRUE(input.IsOpen());
  EXPECT_EQ(input.Name(), "carta.docx");
  char buffer[4];
  ASSERT_EQ(input.ReadBlock(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "A\xE7\xE3o");
  EXPECT_FALSE(input.AtEnd());
  ASSERT_EQ(input.ReadBlock(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), " \x80\n<");
  ASSERT_EQ(input.ReadBlock(buffer, 4), 3);
  EXPECT_TRUE(input.AtEnd());
  EXPECT_EQ(input.ReadBlock(buffer, 4), 0);
  input.Close();
  EXPECT_FALSE(input.IsOpen());
  EXPECT_EQ(input.ReadBlock(buffer, 4), -1);
}

TEST_F(InputFileTest, TheWholeFileDecidesTheEncoding) {
  const std::string ascii(200 * 1024, 'a');
  // Only a late multi-byte sequence: UTF-8.
  EXPECT_EQ(ReadAll(ascii + "\xC3\xA9"), ascii + "\xE9");
  // Valid UTF-8 early, a Windows-1252 byte late: bytes.
  const std::string mixed = "\xC3\xA9" + ascii + "\xE9";
  EXPECT_EQ(ReadAll(mixed), mixed);
}

TEST_F(InputFileTest, Utf8InSmallBlocks) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 500; ++i) {
    text += "p\xC3\xA3o \xE2\x82\xAC ";
    expected += "p\xE3o \x80 ";
  }
  for (int size : {1, 2, 3, 7, 1024, 5000}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(ReadAll(text, size), expected);
  }
}

TEST_F(InputFileTest, AFolderIsNoFileToRead) {
  EXPECT_FALSE(file_.Open(dir_.path()));
  EXPECT_FALSE(file_.IsOpen());
  EXPECT_FALSE(InputFileFound(dir_.path()));
  WriteFile(dir_.File("texto.txt"), "x");
  EXPECT_TRUE(InputFileFound(dir_.File("texto.txt")));
}

TEST_F(InputFileTest, ReadErrorIsReported) {
  // The process's own memory opens, but reading its first page fails.
  ASSERT_TRUE(file_.Open("/proc/self/mem"));
  char block[16];
  EXPECT_FALSE(file_.AtEnd());
  EXPECT_EQ(file_.ReadBlock(block, sizeof block), -1);
  EXPECT_EQ(file_.ReadBlock(block, sizeof block), -1);
  file_.Close();
  EXPECT_EQ(file_.ReadBlock(block, sizeof block), -1);
}

}  // namespace
