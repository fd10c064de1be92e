#include "filter/embosser_ppd.h"

#include <cups/ppd.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "filter/queue_options.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

// The choice the PPD marks by default for an option, read by the print
// server's own PPD library.
std::string DefaultChoice(const std::string& ppdPath, const char* option) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  ppd_file_t* ppd = ppdOpenFile(ppdPath.c_str());
  if (ppd == nullptr) return "(no PPD)";
  ppdMarkDefaults(ppd);
  const ppd_choice_t* choice = ppdFindMarkedChoice(ppd, option);
  std::string value = choice != nullptr ? choice->choice : "(none)";
  ppdClose(ppd);
#pragma GCC diagnostic pop
  return value;
}

TEST(EmbosserPpd, ThePrintServersCheckerPassesItAndItsDefaultsAreTheSettings) {
  PrintSettings settings;
  settings.COLUNAS = 50;  // wider than the listed choices: listed too
  settings.FOLHASPORVOLUME = 45;  // between two listed choices: listed too
  settings.LINHAS = 27;
  settings.FRENTEVERSO = true;
  settings.AUTOFORMATA = false;
  TempDir dir;
  const std::string path = dir.File("relevix.ppd");
  WriteFile(path, EmbosserPpd(settings));

  if (access("/usr/bin/cupstestppd", X_OK) == 0) {
    // The filter itself is checked where it is installed, not here.
    const std::string command = "cupstestppd -I filters '" + path + "' 2>&1";
    std::FILE* checker = popen(command.c_str(), "r");
    ASSERT_NE(checker, nullptr);
    std::string report;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, checker) != nullptr) report += buffer;
    EXPECT_EQ(pclose(checker), 0) << report;
  }

  EXPECT_EQ(DefaultChoice(path, "COLUNAS"), "50");
  EXPECT_EQ(DefaultChoice(path, "LINHAS"), "27");
  EXPECT_EQ(DefaultChoice(path, "FOLHASPORVOLUME"), "45");
  EXPECT_EQ(DefaultChoice(path, "FRENTEVERSO"), "S");
  EXPECT_EQ(DefaultChoice(path, "AUTOFORMATA"), "N");
  EXPECT_EQ(DefaultChoice(path, "TITULODOTRABALHO"), "N");
  // No format in the settings: the embosser's bytes; one written there is
  // the queue's default.
  EXPECT_EQ(DefaultChoice(path, "FORMATO"), "bytes");
  settings.FORMATO = "brf";
  WriteFile(path, EmbosserPpd(settings));
  EXPECT_EQ(DefaultChoice(path, "FORMATO"), "brf");
  // Every setting the queue offers is an option of the PPD.
  for (const QueueSetting& setting : QueueSettings()) {
    EXPECT_NE(DefaultChoice(path, std::string(setting.key).c_str()), "(none)") << setting.key;
  }
}

}  // namespace
