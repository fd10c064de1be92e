#include "platform/program_start.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

// Waits a little for a file the started program writes.
std::string WaitForFile(const std::string& path) {
  for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return std::filesystem::exists(path) ? ReadFile(path) : "";
}

TEST(ProgramStartTest, EveryArgumentArrivesAsOneWordAndNoShellRunsIt) {
  TempDir dir;
  // printf writes each argument on its own line; a shell would have run the
  // command inside the second one and split the words.
  const std::vector<std::string> arguments{"sh", "-c", "printf '%s\\n' \"$@\" > out.txt", "sh", "a;touch x", "$(id)",
                                           "it's \"quoted\""};
  ASSERT_TRUE(StartProgram(arguments, dir.path()));
  EXPECT_EQ(WaitForFile(dir.File("out.txt")), "a;touch x\n$(id)\nit's \"quoted\"\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("x")));
}

TEST(ProgramStartTest, AProgramThatCannotBeStartedIsAFailure) {
  TempDir dir;
  EXPECT_FALSE(StartProgram({"relevix-no-such-program"}, dir.path()));
  EXPECT_FALSE(StartProgram({"true"}, dir.File("no-such-directory")));
  EXPECT_FALSE(StartProgram({}, dir.path()));
  EXPECT_TRUE(StartProgram({"true"}, ""));
}

}  // namespace
