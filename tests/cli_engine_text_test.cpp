// relevix-cli normalise and phonemes with the installed language data, with
// data files the settings point to, and through the real MBROLA when the
// br4 voice is installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

class CliEngineTextTest : public ::testing::Test {
 protected:
  // No settings of the user's own: the installed SONARA.INI and data apply.
  CliResult Run(const std::string& arguments, bool mergeStderr = true) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "' RELEVIX_CONSOLE=headless", arguments,
                  mergeStderr);
  }
  TempDir work, windir;
};

}  // namespace

TEST_F(CliEngineTextTest, NormalisesWithTheInstalledAbbreviations) {
  const CliResult result = Run("normalise 'A Sra. tem 21 anos.'");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output, "A senhora tem vinte e um  anos.\n");
  EXPECT_EQ(Run("normalise").status, 64);
}

TEST_F(CliEngineTextTest, PhonemesAreTheMbrolaLinesOfTheText) {
  const CliResult result = Run("phonemes casa", false);
  EXPECT_EQ(result.status, 0) << result.output;
  // A sentence's first word rises from level 6 (108 per cent of 220 Hz) to
  // 7 (118 per cent) on its stress and ends on 5 (220 Hz).
  EXPECT_EQ(result.output,
            ";\n_ 250 50 220\n;casa\nk 70 50 237\na 123 80 259\nz 101\na 123 50 220\n_ 250 50 220\n");
  EXPECT_EQ(Run("phonemes '  '", false).output, "");
}

TEST_F(CliEngineTextTest, DataFilesNamedByTheSettings) {
  const std::string data = std::filesystem::path(RELEVIX_SOURCE_DIR) / "data" / "tavelatts";
  for (const char* extension : {".nrl", ".exc", ".pro"}) {
    std::filesystem::copy_file(data + "/portug" + extension, work.File(std::string("voz") + extension));
  }
  WriteFile(work.File("config.ini"), "[TAVELATTS]\r\nDIR=" + work.path() + "\r\nBASE=voz\r\n");
  CliResult result = Run("phonemes --settings config.ini casa");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.output.find("Erro no arquivo de abreviaturas"), std::string::npos) << result.output;
  EXPECT_EQ(Run("normalise --settings config.ini casa").status, 2);

  WriteFile(work.File("voz.abr"), "dr=doutor\n");
  result = Run("phonemes --settings config.ini casa");
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.output.find("Erro no arquivo de pros\xC3\xB3" "dia"), std::string::npos) << result.output;

  WriteFile(work.File("voz.dfn"), "_-k\nk-a\n");
  result = Run("phonemes --settings config.ini 'Dr. Sousa'", false);
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find(";doutor\n"), std::string::npos) << result.output;
  // Pairs missing from this short list get fillers.
  EXPECT_NE(result.output.find("_ 50\n"), std::string::npos) << result.output;
}

TEST_F(CliEngineTextTest, TheRealMbrolaTakesTheLines) {
  if (!std::filesystem::exists("/usr/share/mbrola/br4/br4") || std::system("command -v mbrola >/dev/null") != 0) {
    GTEST_SKIP() << "MBROLA with the br4 voice is not installed";
  }
  const std::string text =
      "O Sr. Jo\xC3\xA3o disse: \"Amanh\xC3\xA3 \xC3\xA0s 8 horas, vamos \xC3\xA0 praia!\" "
      "Voc\xC3\xAA vem? Talvez... O advogado trouxe 3,5 kg de p\xC3\xA3o e 1.250 reais.";
  WriteFile(work.File("texto.txt"), text);
  const CliResult result = RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
                                  "phonemes \"$(cat texto.txt)\" > linhas.pho && mbrola /usr/share/mbrola/br4/br4 "
                                  "linhas.pho fala.wav");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output.find("rror"), std::string::npos) << result.output;
  EXPECT_GT(std::filesystem::file_size(work.File("fala.wav")), 20000u);
}
