#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

TEST(WholeFileTest, EveryByteIsReadAsItIs) {
  TempDir dir;
  const std::string bytes("a\r\n\0\xFF\x1A" "b", 7);
  WriteFile(dir.File("dados.bin"), bytes);
  std::string read = "antes";
  ASSERT_TRUE(ReadWholeFile(dir.File("dados.bin"), read));
  EXPECT_EQ(read, bytes);
}

TEST(WholeFileTest, AFileThatCannotBeOpenedIsFalse) {
  TempDir dir;
  std::string read;
  EXPECT_FALSE(ReadWholeFile(dir.File("nada.bin"), read));
}

}  // namespace
