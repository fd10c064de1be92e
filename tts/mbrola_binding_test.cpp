#include "tts/mbrola_binding.h"

#include <chrono>
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <sys/wait.h>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

int OpenDescriptors() {
  int count = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (readdir(dir) != nullptr) ++count;
  closedir(dir);
  return count;
}

bool NoChildLeft() {
  errno = 0;
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// Reads every sample of the flushed speech.
std::vector<short> ReadAll() {
  std::vector<short> all;
  short block[16000];
  for (int got; (got = gMbrola.read_MBR(block, 16000)) > 0;) all.insert(all.end(), block, block + got);
  return all;
}

class MbrolaBindingTest : public ::testing::Test {
 protected:
  void TearDown() override { UnloadMbrola(); }
  TempDir dir;
  ScopedEnv program{"RELEVIX_MBROLA", STAND_IN_MBROLA};
};

TEST_F(MbrolaBindingTest, PhonemeLinesBecomeSamplesOfTheirDurations) {
  WriteFile(dir.File("br4"), "voice");
  const int descriptors = OpenDescriptors();
  ASSERT_TRUE(LoadMbrola());
  ASSERT_GE(gMbrola.init_MBR(dir.File("br4").c_str()), 0);
  gMbrola.setNoError_MBR(1);
  EXPECT_EQ(gMbrola.getNoError_MBR(), 1);
  short block[16000];
  const auto before = std::chrono::steady_clock::now();
  EXPECT_EQ(gMbrola.read_MBR(block, 16000), 0);  // nothing written: nothing ready, no wait
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(100));
  for (const char* line : {"a 100 50 120\r\n", "_ 50\r\n", "o 150\r\n"}) EXPECT_GE(gMbrola.write_MBR(line), 0);
  EXPECT_GE(gMbrola.flush_MBR(), 0);
  // 300 ms at 16 kHz; the pause's 50 ms (800 samples after the first 1600) are silent.
  const std::vector<short> samples = ReadAll();
  ASSERT_EQ(samples.size(), 4800u);
  EXPECT_NE(samples[0], 0);
  EXPECT_EQ(samples[1600], 0);
  EXPECT_EQ(samples[2399], 0);
  EXPECT_NE(samples[2400], 0);
  EXPECT_EQ(gMbrola.lastError_MBR(), 0);
  // A second utterance after a reset comes out whole too.
  gMbrola.reset_MBR();
  gMbrola.write_MBR("e 20\r\n");
  gMbrola.flush_MBR();
  EXPECT_EQ(ReadAll().size(), 320u);
  gMbrola.close_MBR();
  EXPECT_TRUE(NoChildLeft());
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST_F(MbrolaBindingTest, MissingProgramOrVoiceFails) {
  EXPECT_TRUE(LoadMbrola());
  EXPECT_LT(gMbrola.init_MBR(dir.File("absent").c_str()), 0);
  EXPECT_NE(gMbrola.lastError_MBR(), 0);
  EXPECT_LT(gMbrola.write_MBR("a 100\r\n"), 0);  // never started
  UnloadMbrola();
  EXPECT_EQ(gMbrola.init_MBR, nullptr);
  {
    ScopedEnv missing("RELEVIX_MBROLA", "/nonexistent/mbrola");
    EXPECT_FALSE(LoadMbrola());
    EXPECT_FALSE(gMbrola.loaded);
    EXPECT_EQ(gMbrola.read_MBR, nullptr);
  }
  EXPECT_TRUE(NoChildLeft());
}

TEST_F(MbrolaBindingTest, AnEndedSynthesizerIsAnErrorThenStartsAgain) {
  WriteFile(dir.File("br4"), "voice");
  const int descriptors = OpenDescriptors();
  ASSERT_TRUE(LoadMbrola());
  ASSERT_GE(gMbrola.init_MBR(dir.File("br4").c_str()), 0);
  // Writing to a child that ends while it reads fails without a SIGPIPE
  // ending this program.
  EXPECT_LT(gMbrola.write_MBR(("die 10\n" + std::string(200000, 'a') + " 10\r\n").c_str()), 0);
  EXPECT_NE(gMbrola.lastError_MBR(), 0);
  // After the reset the synthesizer speaks again.
  gMbrola.reset_MBR();
  EXPECT_EQ(gMbrola.lastError_MBR(), 0);
  gMbrola.write_MBR("e 20\r\n");
  gMbrola.flush_MBR();
  EXPECT_EQ(ReadAll().size(), 320u);
  // An utterance it ends in is reported, with no wait; the next line starts
  // it again, and the error stays until the reset.
  gMbrola.write_MBR("die 10\r\n");
  gMbrola.flush_MBR();
  const auto before = std::chrono::steady_clock::now();
  EXPECT_TRUE(ReadAll().empty());
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
  EXPECT_NE(gMbrola.lastError_MBR(), 0);
  EXPECT_GE(gMbrola.write_MBR("a 20\r\n"), 0);
  gMbrola.flush_MBR();
  EXPECT_EQ(ReadAll().size(), 320u);
  EXPECT_NE(gMbrola.lastError_MBR(), 0);
  UnloadMbrola();
  EXPECT_TRUE(NoChildLeft());
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST_F(MbrolaBindingTest, TheNoErrorFlagMakesAMissingDiphoneRecovered) {
  WriteFile(dir.File("br4"), "voice");
  ASSERT_TRUE(LoadMbrola());
  ASSERT_GE(gMbrola.init_MBR(dir.File("br4").c_str()), 0);
  gMbrola.write_MBR("a 20\r\n");
  gMbrola.write_MBR("gap 20\r\n");
  gMbrola.flush_MBR();
  EXPECT_LT(ReadAll().size(), 640u);  // without the flag the synthesizer stops there
  EXPECT_NE(gMbrola.lastError_MBR(), 0);
  gMbrola.setNoError_MBR(1);
  gMbrola.reset_MBR();
  for (const char* line : {"a 20\r\n", "gap 20\r\n", "o 20\r\n"}) gMbrola.write_MBR(line);
  gMbrola.flush_MBR();
  EXPECT_EQ(ReadAll().size(), 960u);
  EXPECT_EQ(gMbrola.lastError_MBR(), 0);
}

// The real synthesizer with the Brazilian voice, when installed.
TEST(MbrolaRealVoiceTest, SpeaksForTheDurationsWritten) {
  const char* voice = "/usr/share/mbrola/br4/br4";
  ScopedEnv program("RELEVIX_MBROLA", nullptr);
  if (access(voice, R_OK) != 0 || !LoadMbrola()) GTEST_SKIP() << "mbrola and its br4 voice are not installed";
  ASSERT_GE(gMbrola.init_MBR(voice), 0);
  for (const char* line : {"_ 50\r\n", "o 100\r\n", "l 80\r\n", "a 120 50 130\r\n", "_ 50\r\n"}) {
    gMbrola.write_MBR(line);
  }
  gMbrola.flush_MBR();
  const size_t samples = ReadAll().size();
  EXPECT_NEAR(static_cast<double>(samples), 400 * 16, 400 * 16 * 0.2);
  EXPECT_EQ(gMbrola.lastError_MBR(), 0);
  // br4 lacks the pair _-s2 ("doutor Stênio" with a pause after the r): the
  // synthesizer recovers it and says the whole utterance.
  gMbrola.setNoError_MBR(1);
  gMbrola.reset_MBR();
  for (const char* line : {"d 60\r\n", "o 100\r\n", "r2 60\r\n", "_ 50\r\n", "s2 80\r\n", "t 60\r\n",
                           "e 120\r\n", "_ 50\r\n"}) {
    gMbrola.write_MBR(line);
  }
  gMbrola.flush_MBR();
  EXPECT_NEAR(static_cast<double>(ReadAll().size()), 580 * 16, 580 * 16 * 0.2);
  EXPECT_EQ(gMbrola.lastError_MBR(), 0);
  UnloadMbrola();
  EXPECT_TRUE(NoChildLeft());
}

}  // namespace
