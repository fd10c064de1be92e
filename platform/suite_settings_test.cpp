#include "platform/suite_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedCwd;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

// A settings directory and a start-up directory of their own for each test.
class SuiteSettingsTest : public ::testing::Test {
 protected:
  SuiteSettingsTest()
      : windowsDirectory_("SONARA_WINDIR", settings_.path().c_str()), cwd_(startup_.path()) {
    InitStartupDirectory();
    SetSuiteSettingsFile("");
  }
  ~SuiteSettingsTest() override { SetSuiteSettingsFile(""); }

  std::string StartupPath() const { return std::filesystem::canonical(startup_.path()).string(); }
  void WriteSettings(std::string_view text) const { WriteFile(settings_.File("SONARA.INI"), text); }
  void WriteStartup(std::string_view text) const { WriteFile(startup_.File("SONARA.INI"), text); }

  TempDir settings_;
  TempDir startup_;

 private:
  ScopedEnv windowsDirectory_;
  ScopedCwd cwd_;
};

TEST_F(SuiteSettingsTest, SettingsDirectoryCopyComesFirst) {
  WriteStartup("[SONARA]\nQUAL=partida\n[RELEVIX]\nCOLUNAS=30\n");
  EXPECT_EQ(SuiteSettingsFile(), StartupPath() + "\\SONARA.INI");
  EXPECT_EQ(ReadSuiteSetting("", "QUAL"), "partida");  // empty section means SONARA
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "COLUNAS"), "30");
  EXPECT_EQ(ReadWindowsDirectorySetting("", "QUAL"), "");  // no fall-back there

  WriteSettings("[SONARA]\nQUAL=windows\n");
  EXPECT_EQ(SuiteSettingsFile(), settings_.File("SONARA.INI"));
  EXPECT_EQ(ReadSuiteSetting("SONARA", "QUAL"), "windows");
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "COLUNAS"), "");
  EXPECT_EQ(ReadWindowsDirectorySetting("SONARA", "QUAL"), "windows");
}

TEST_F(SuiteSettingsTest, ReplacesAtByProgramDirectory) {
  WriteSettings(
      "[SONARA]\n"
      "PGMSONARA=c:\\sonarw\n"
      "[T]\n"
      "INICIO=@\\som\n"
      "SO=@\n"
      "VARIOS=x;@\\a;@\\b\n"
      "MEIO=user@\\x\n"
      "SEMBARRA=a@b\n"
      "DUPLO=@@\\x\n"
      "VAZIO=\n"
      "LONGO=" + std::string(300, 'y') + "\n");
  EXPECT_EQ(ReadSuiteSetting("T", "INICIO"), "c:\\sonarw\\som");
  EXPECT_EQ(ReadSuiteSetting("T", "SO"), "c:\\sonarw");
  EXPECT_EQ(ReadSuiteSetting("T", "VARIOS"), "x;c:\\sonarw\\a;c:\\sonarw\\b");
  EXPECT_EQ(ReadSuiteSetting("T", "MEIO"), "userc:\\sonarw\\x");
  EXPECT_EQ(ReadSuiteSetting("T", "SEMBARRA"), "a@b");
  // The leading "@" first, then the "@\" that this leaves.
  EXPECT_EQ(ReadSuiteSetting("T", "DUPLO"), "c:\\sonarwc:\\sonarw\\x");
  EXPECT_EQ(ReadSuiteSetting("T", "VAZIO"), "");
  EXPECT_EQ(ReadSuiteSetting("T", "LONGO"), std::string(255, 'y'));
  EXPECT_EQ(ReadWindowsDirectorySetting("T", "INICIO"), "@\\som");
}

TEST_F(SuiteSettingsTest, ProgramDirectoryFallsBackToStartup) {
  WriteSettings("[SONARA]\nPGMSONARA=\n[RELEVIX]\nAMBCODE=@\\ambcode2.cfg\n");
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "AMBCODE"), StartupPath() + "\\ambcode2.cfg");
  WriteSettings("[SONARA]\nPGMSONARA=@\\prog\n[RELEVIX]\nAMBCODE=@\\ambcode2.cfg\n");
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "AMBCODE"), StartupPath() + "\\ambcode2.cfg");
  WriteSettings("[RELEVIX]\nAMBCODE=@\\ambcode2.cfg\n");
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "AMBCODE"), StartupPath() + "\\ambcode2.cfg");
}

TEST_F(SuiteSettingsTest, SubstitutionEndsWhenProgramDirectoryHoldsAt) {
  WriteSettings("[SONARA]\nPGMSONARA=c:\\a@\\b\n[T]\nK=@\\x\n");
  EXPECT_EQ(ReadSuiteSetting("T", "K"), "c:\\a@\\b\\x");
  WriteSettings("[SONARA]\nPGMSONARA=c:\\p@\n[T]\nK=@\\x\n");
  EXPECT_EQ(ReadSuiteSetting("T", "K"), "c:\\p@\\x");
}

TEST_F(SuiteSettingsTest, WritesToSettingsDirectory) {
  WriteStartup("[RELEVIX]\nDISPSAIDA=COM1\n");
  EXPECT_TRUE(WriteSuiteSetting("RELEVIX", "DISPSAIDA", "LPT2"));
  EXPECT_EQ(ReadFile(settings_.File("SONARA.INI")), "[RELEVIX]\nDISPSAIDA=LPT2\n");
  EXPECT_EQ(ReadFile(startup_.File("SONARA.INI")), "[RELEVIX]\nDISPSAIDA=COM1\n");
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "DISPSAIDA"), "LPT2");
}

TEST_F(SuiteSettingsTest, AFirstWriteKeepsTheOtherSettingsReadFromTheStartupCopy) {
  WriteStartup("; impressora da sala\n[RELEVIX]\nCOLUNAS=40\nDISPSAIDA=COM1\n[TRADUTOR]\nVELOCIDADE=4\n");
  EXPECT_TRUE(WriteSuiteSetting("RELEVIX", "DISPSAIDA", "LPT2"));
  EXPECT_EQ(ReadFile(settings_.File("SONARA.INI")),
            "; impressora da sala\n[RELEVIX]\nCOLUNAS=40\nDISPSAIDA=LPT2\n[TRADUTOR]\nVELOCIDADE=4\n");
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "COLUNAS"), "40");
  EXPECT_EQ(ReadSuiteSetting("TRADUTOR", "VELOCIDADE"), "4");
  EXPECT_EQ(ReadFile(startup_.File("SONARA.INI")),
            "; impressora da sala\n[RELEVIX]\nCOLUNAS=40\nDISPSAIDA=COM1\n[TRADUTOR]\nVELOCIDADE=4\n");
  // Once the settings directory has its copy, only that copy changes.
  WriteStartup("[RELEVIX]\nCOLUNAS=20\n");
  EXPECT_TRUE(WriteSuiteSetting("RELEVIX", "DISPSAIDA", "PRN"));
  EXPECT_EQ(ReadSuiteSetting("RELEVIX", "COLUNAS"), "40");
}

TEST_F(SuiteSettingsTest, OverrideFileServesReadingAndWriting) {
  WriteSettings("[SONARA]\nK=padrao\n");
  const std::string other = startup_.File("outro.ini");
  WriteFile(other, "[SONARA]\nPGMSONARA=/opt/s\nK=@\\v\n");
  SetSuiteSettingsFile(other);
  EXPECT_EQ(SuiteSettingsFile(), other);
  EXPECT_EQ(ReadSuiteSetting("", "K"), "/opt/s\\v");
  EXPECT_EQ(ReadWindowsDirectorySetting("", "K"), "@\\v");
  EXPECT_TRUE(WriteSuiteSetting("", "NOVA", "1"));
  EXPECT_EQ(ReadFile(other), "[SONARA]\nPGMSONARA=/opt/s\nK=@\\v\nNOVA=1\n");
  SetSuiteSettingsFile("");
  EXPECT_EQ(ReadSuiteSetting("", "K"), "padrao");
}

}  // namespace
