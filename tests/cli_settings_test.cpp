// relevix-cli settings against good, broken and missing settings files and
// code tables.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class CliSettingsTest : public ::testing::Test {
 protected:
  // Runs the tool with an empty settings directory and the test's own data
  // directory, so nothing of the machine's set-up is read.
  CliResult Run(const std::string& arguments) {
    return RunCli(work.path(),
                  "SONARA_WINDIR='" + windir.path() + "' RELEVIX_DATA_DIR='" + data.path() + "'",
                  "settings " + arguments);
  }

  TempDir work, windir, data;
};

TEST_F(CliSettingsTest, ShowsTheSettingsOfTheFileAndTheTableLoaded) {
  WriteFile(data.File("ambcode2.cfg"), "* tabela de teste\n61=41\n");
  WriteFile(work.File("config.ini"),
            "[RELEVIX]\r\nDISPSAIDA=sa\xC3\xAD" "da.brf\r\nCOLUNAS=40\r\nFRENTEVERSO=sim\r\n"
            "TITULOATRAS=S\r\nLINHASPORMINUTO=40\r\n");
  const CliResult result = Run("--settings config.ini");
  EXPECT_EQ(result.status, 0) << result.output;
  const std::string& out = result.output;
  EXPECT_NE(out.find("config.ini"), std::string::npos) << out;
  // UTF-8 on the way in and out: the name survives the Windows-1252 inside.
  EXPECT_NE(out.find("DISPSAIDA=sa\xC3\xAD" "da.brf\n"), std::string::npos) << out;
  EXPECT_NE(out.find("COLUNAS=40\n"), std::string::npos);
  EXPECT_NE(out.find("LINHAS=28\n"), std::string::npos);
  EXPECT_NE(out.find("FRENTEVERSO=S\n"), std::string::npos);
  EXPECT_NE(out.find("AUTOFORMATA=N\n"), std::string::npos);
  EXPECT_NE(out.find("TITULOATRAS=2\n"), std::string::npos);
  EXPECT_NE(out.find("LINHASPORMINUTO=1500\n"), std::string::npos);
  EXPECT_NE(out.find("BRNCOP=1\n"), std::string::npos);
  EXPECT_NE(out.find("BRPAGFIN=9999\n"), std::string::npos);
  EXPECT_NE(out.find("BRTIT=\n"), std::string::npos);
  EXPECT_NE(out.find("AMBCODE2=" + data.File("ambcode2.cfg") + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Tabela lida por inteiro."), std::string::npos) << out;
}

TEST_F(CliSettingsTest, BrokenSettingsFilesGiveTheDefaults) {
  WriteFile(data.File("ambcode2.cfg"), "61=41\n");
  std::string garbage = "\x7F" "ELF\x01\x02";
  garbage += std::string(1, '\0') + "[RELEVIX\n=\n==\n[]\nCOLUNAS\n\xFF\xFE[RELEVIX]COLUNAS=3";
  for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 37) % 256);
  WriteFile(work.File("lixo.ini"), garbage);
  const CliResult result = Run("--settings lixo.ini");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("COLUNAS=34\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("DISPSAIDA=LPT1\n"), std::string::npos);
  EXPECT_NE(result.output.find("TITULOATRAS=1\n"), std::string::npos);

  const CliResult missing = Run("--settings nao-existe.ini");
  EXPECT_EQ(missing.status, 0) << missing.output;
  EXPECT_NE(missing.output.find("Nenhum arquivo de configura\xC3\xA7\xC3\xA3o encontrado"), std::string::npos)
      << missing.output;
  EXPECT_NE(missing.output.find("LINHAS=28\n"), std::string::npos);
}

TEST_F(CliSettingsTest, AMalformedTableLineIsReportedWithItsNumber) {
  WriteFile(data.File("ambcode2.cfg"), "* linha 1\n\n61=41\n6x41\n62=42\n");
  const CliResult result = Run("");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("Erro no arquivo de configura\xC3\xA7\xC3\xA3o na linha 4"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Tabela lida s\xC3\xB3 em parte"), std::string::npos) << result.output;
}

TEST_F(CliSettingsTest, AMissingTableEndsWithItsPathAndStatusTwo) {
  WriteFile(work.File("config.ini"), "[RELEVIX]\nUSABRAILLEANTIGO=S\nAMBCODE=tabelas\\velha.cfg\n");
  const CliResult result = Run("--settings config.ini");
  EXPECT_EQ(result.status, 2) << result.output;
  EXPECT_NE(result.output.find("USABRAILLEANTIGO=S\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("tabelas/velha.cfg\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Arquivo de configura\xC3\xA7\xC3\xA3o inexistente, programa cancelado"),
            std::string::npos)
      << result.output;
}

TEST_F(CliSettingsTest, TheReportNamesTheFileAndTheTableInPortuguese) {
  WriteFile(data.File("ambcode2.cfg"), "61=41\n");
  WriteFile(work.File("config.ini"), "[RELEVIX]\nCOLUNAS=30\n");
  const CliResult found = Run("--settings config.ini");
  EXPECT_EQ(found.status, 0) << found.output;
  EXPECT_EQ(found.output.find(Utf8(u8"Arquivo de configuração: config.ini\n")), 0u) << found.output;
  EXPECT_NE(found.output.find("\nTabela Braille: " + data.File("ambcode2.cfg") + "\nTabela lida por inteiro.\n"),
            std::string::npos)
      << found.output;

  const CliResult missing = Run("--settings nada.ini");
  EXPECT_EQ(missing.status, 0) << missing.output;
  EXPECT_EQ(missing.output.find(Utf8(u8"Nenhum arquivo de configuração encontrado (procurado em ") + windir.path() +
                                "/SONARA.INI e nada.ini); " + Utf8(u8"valem os valores padrão.\n")),
            0u)
      << missing.output;

  WriteFile(data.File("ambcode2.cfg"), "61=41\n6x41\n");
  const CliResult part = Run("--settings config.ini");
  EXPECT_NE(part.output.find(Utf8(u8"Tabela lida só em parte: o resto fica sem tradução.\n")), std::string::npos)
      << part.output;
}

TEST_F(CliSettingsTest, BadUsageIsRefused) {
  EXPECT_EQ(Run("--settings").status, 64);
  EXPECT_EQ(Run("demais").status, 64);
}

}  // namespace
