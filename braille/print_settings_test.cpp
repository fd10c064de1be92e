#include "braille/print_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCwd;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

// Reads the print settings from a SONARA.INI holding the given RELEVIX
// lines, in a settings directory of its own.
class PrintSettingsTest : public ::testing::Test {
 protected:
  PrintSettingsTest() { InitStartupDirectory(); }

  void Read(const std::string& relevixLines, const std::string& otherSections = "") {
    WriteFile(settingsDir.File("SONARA.INI"), otherSections + "[RELEVIX]\r\n" + relevixLines);
    printSettings = ReadPrintSettings(replaced);
  }

  // What the last reading gave.
  PrintSettings printSettings;
  std::vector<ReplacedSetting> replaced;

  TempDir settingsDir;
  TempDir startDir;
  ScopedEnv windir{"SONARA_WINDIR", settingsDir.path().c_str()};
  ScopedCwd cwd{startDir.path()};
};

TEST_F(PrintSettingsTest, MissingFileGivesTheDefaults) {
  printSettings.FRENTEVERSO = true;  // nothing of an earlier record is kept
  printSettings.COLUNAS = 99;
  printSettings = ReadPrintSettings(replaced);
  EXPECT_EQ(printSettings.DISPSAIDA, "LPT1");
  EXPECT_EQ(printSettings.COLUNAS, 34);
  EXPECT_EQ(printSettings.LINHAS, 28);
  EXPECT_FALSE(printSettings.FRENTEVERSO);
  EXPECT_FALSE(printSettings.AUTOFORMATA);
  EXPECT_FALSE(printSettings.TITULA);
  EXPECT_EQ(printSettings.TITULOATRAS, 1);
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 0);
  EXPECT_EQ(printSettings.BRNCOP, 1);
  EXPECT_EQ(printSettings.BRPAGINI, 1);
  EXPECT_EQ(printSettings.BRPAGFIN, 9999);
  EXPECT_EQ(printSettings.BRNUMINI, 1);
  EXPECT_EQ(printSettings.BRTIT, "");
  // No PGMSONARA: the default tables are root-relative names.
  EXPECT_EQ(printSettings.AMBCODE, "\\ambcode.cfg");
  EXPECT_EQ(printSettings.AMBCODE2, "\\ambcode2.cfg");
}

TEST_F(PrintSettingsTest, NumberRuleTakesOnlyWholeIntegers) {
  Read("COLUNAS=40\r\nLINHAS=28\r\n");
  EXPECT_EQ(printSettings.COLUNAS, 40);
  EXPECT_EQ(printSettings.LINHAS, 28);
  EXPECT_TRUE(replaced.empty());

  for (const char* bad : {"COLUNAS=\r\n", "COLUNAS=40abc\r\n", "COLUNAS=4 0\r\n", "COLUNAS=+\r\n",
                          "COLUNAS=99999999999\r\n", "OUTRA=1\r\n"}) {
    Read(bad);
    EXPECT_EQ(printSettings.COLUNAS, 34) << bad;
  }
  Read("COLUNAS=+41\r\n");
  EXPECT_EQ(printSettings.COLUNAS, 41);
}

TEST_F(PrintSettingsTest, ValuesThatMakeNoSenseAreReplacedAndNoted) {
  // No columns, a negative page length and rate, a number past 32 bits:
  // each keeps its default, as a value that is no number does.
  Read("COLUNAS=0\r\nLINHAS=-3\r\nLINHASPORMINUTO=-60\r\n");
  EXPECT_EQ(printSettings.COLUNAS, 34);
  EXPECT_EQ(printSettings.LINHAS, 28);
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 0);
  ASSERT_EQ(replaced.size(), 3u);
  EXPECT_EQ(replaced[0].key, "COLUNAS");
  EXPECT_EQ(replaced[0].written, "0");
  EXPECT_EQ(replaced[0].used, 34);
  EXPECT_EQ(replaced[1].key, "LINHAS");
  EXPECT_EQ(replaced[1].used, 28);
  EXPECT_EQ(replaced[2].key, "LINHASPORMINUTO");
  // One cell is too narrow to cut a line; two is the narrowest line.
  Read("COLUNAS=1\r\n");
  EXPECT_EQ(printSettings.COLUNAS, 34);
  Read("COLUNAS=-5\r\nLINHAS=0\r\n");
  EXPECT_EQ(printSettings.COLUNAS, 34);
  EXPECT_EQ(printSettings.LINHAS, 0);  // no pages, as the setting means
  ASSERT_EQ(replaced.size(), 1u);

  Read("COLUNAS=4294967330\r\nLINHAS=trinta\r\n");
  EXPECT_EQ(printSettings.COLUNAS, 34);
  EXPECT_EQ(printSettings.LINHAS, 28);
  ASSERT_EQ(replaced.size(), 2u);
  EXPECT_EQ(replaced[0].written, "4294967330");
  EXPECT_EQ(replaced[0].used, 34);
  EXPECT_EQ(replaced[1].written, "trinta");

  // Each reading starts afresh.
  Read("COLUNAS=2\r\n");
  EXPECT_TRUE(replaced.empty());
}

TEST_F(PrintSettingsTest, YesRuleWantsAnSFirst) {
  Read("FRENTEVERSO=s\r\nAUTOFORMATA=Sim\r\nTEXTODOEDIT=N\r\nTITULA=1\r\nNUMERAORIG=yes\r\nSEPARASILABAS=S\r\n");
  EXPECT_TRUE(printSettings.FRENTEVERSO);
  EXPECT_TRUE(printSettings.AUTOFORMATA);
  EXPECT_FALSE(printSettings.TEXTODOEDIT);
  EXPECT_FALSE(printSettings.TITULA);
  EXPECT_FALSE(printSettings.NUMERAORIG);
  EXPECT_TRUE(printSettings.SEPARASILABAS);
  EXPECT_FALSE(printSettings.USABRAILLEANTIGO);
}

TEST_F(PrintSettingsTest, TitleModeIsOneOrTwoNeverZero) {
  Read("");
  EXPECT_EQ(printSettings.TITULOATRAS, 1);
  Read("TITULOATRAS=Sim\r\n");
  EXPECT_EQ(printSettings.TITULOATRAS, 2);
  Read("TITULOATRAS=0\r\n");
  EXPECT_EQ(printSettings.TITULOATRAS, 1);
}

TEST_F(PrintSettingsTest, PacingTurnsLinesPerMinuteIntoMilliseconds) {
  Read("LINHASPORMINUTO=60\r\n");
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 1000);
  Read("LINHASPORMINUTO=40\r\n");
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 1500);
  Read("LINHASPORMINUTO=7\r\n");
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 8571);
  Read("LINHASPORMINUTO=0\r\n");
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 0);
  Read("LINHASPORMINUTO=depressa\r\n");
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 0);
  Read("LINHASPORMINUTO=-30\r\n");
  EXPECT_EQ(printSettings.LINHASPORMINUTO, 0);
}

TEST_F(PrintSettingsTest, EnglishStyleOfHeadersStaysOffAfterReading) {
  Read("TEXTOINGLES=S\r\n");
  EXPECT_TRUE(printSettings.TEXTOINGLES);
  EXPECT_FALSE(printSettings.BRINGLES_CABECALHO);
}

TEST_F(PrintSettingsTest, DeviceAndTablePaths) {
  Read("DISPSAIDA=saida.brf\r\n", "[SONARA]\r\nPGMSONARA=/opt/sonara\r\n");
  EXPECT_EQ(printSettings.DISPSAIDA, "saida.brf");
  EXPECT_EQ(printSettings.AMBCODE, "/opt/sonara\\ambcode.cfg");
  EXPECT_EQ(printSettings.AMBCODE2, "/opt/sonara\\ambcode2.cfg");
  EXPECT_EQ(LinuxPath(printSettings.AMBCODE2), "/opt/sonara/ambcode2.cfg");

  Read("DISPSAIDA=\r\nAMBCODE=@\\tabelas\\velha.cfg\r\nAMBCODE2=c:\\braille\\nova.cfg\r\n",
       "[SONARA]\r\nPGMSONARA=/opt/sonara\r\n");
  EXPECT_EQ(printSettings.DISPSAIDA, "LPT1");
  EXPECT_EQ(printSettings.AMBCODE, "/opt/sonara\\tabelas\\velha.cfg");
  EXPECT_EQ(printSettings.AMBCODE2, "c:\\braille\\nova.cfg");
}

TEST_F(PrintSettingsTest, StartupDirectoryCopyIsReadWhenTheSettingsDirectoryHasNone) {
  WriteFile(startDir.File("SONARA.INI"), "[relevix]\nlinhas=25\n");
  printSettings = ReadPrintSettings(replaced);
  EXPECT_EQ(printSettings.LINHAS, 25);
}

}  // namespace
