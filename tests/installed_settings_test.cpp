// The settings file installed with the program: the speech server keys it
// documents, read through the profile reader past their comments.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/paths.h"
#include "platform/profile.h"
#include "tests/support/test_support.h"

namespace {

const std::string kInstalled = std::string(RELEVIX_SOURCE_DIR) + "/data/SONARA.INI";

std::string Read(const char* section, const char* key) {
  return ReadProfileString(kInstalled, section, key, "<ausente>", 255);
}

TEST(InstalledSettingsTest, TheSpeechServerKeysHaveTheirDefaultsPastTheirComments) {
  EXPECT_EQ(Read("TRADUTOR", "SAPI"), "N");
  // The comments above TIPOSAPI show other values as "TIPOSAPI=3": they are
  // comments, not keys, so the key below them is the one read.
  EXPECT_EQ(Read("SERVFALA", "TIPOSAPI"), "4");
  // Voice, rate and pitch are left out (shown commented): speech-dispatcher
  // keeps the desktop's own, the other servers their normal ones.
  EXPECT_EQ(Read("SERVFALA", "VOZ"), "<ausente>");
  EXPECT_EQ(Read("SERVFALA", "VELOCIDADE"), "<ausente>");
  EXPECT_EQ(Read("SERVFALA", "TOM"), "<ausente>");
  EXPECT_EQ(Read("TAVELATTS", "MBROLA_DB"), "br4");
  EXPECT_EQ(Read("TAVELATTS", "BASE"), "portug");
  // The engine's files are found in the data directory's tavelatts folder.
  const std::string dir = Read("TAVELATTS", "DIR");
  EXPECT_EQ(dir, "\\sonarw\\tavelatts\\");
  testing_support::ScopedEnv data("RELEVIX_DATA_DIR", "/usr/share/sonara");
  EXPECT_EQ(LinuxPath(dir + Read("TAVELATTS", "BASE") + ".nrl"), "/usr/share/sonara/tavelatts/portug.nrl");
}

TEST(InstalledSettingsTest, EverySpeechServerKeyHasAComment) {
  std::istringstream file(testing_support::ReadFile(kInstalled));
  std::string section, previous;
  int keys = 0;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("[", 0) == 0) {
      section = line;
    } else if ((section == "[SERVFALA]" || section == "[TAVELATTS]" || line.rfind("SAPI=", 0) == 0) &&
               !line.empty() && line.front() != ';') {
      EXPECT_EQ(previous.rfind(";", 0), 0u) << line << " has no comment above it";
      ++keys;
    }
    previous = line;
  }
  EXPECT_EQ(keys, 5) << "SAPI, TIPOSAPI of SERVFALA, three of TAVELATTS";
}

}  // namespace
