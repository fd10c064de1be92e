// relevix-cli print, preview and transcribe as a user runs them: real
// files, the shipped current-rules code table (Braille ASCII), and the exit
// statuses scripts rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class CliPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Two pages of 3 lines: a header (title centred, page number right),
    // then two body lines; no reformatting.
    WriteFile(work.File("SONARA.INI"),
              "[RELEVIX]\nDISPSAIDA=saida.brf\nCOLUNAS=12\nLINHAS=3\nTITULA=S\nAUTOFORMATA=N\n");
  }

  CliResult Run(const std::string& arguments) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'", arguments);
  }

  TempDir work, windir;
};

TEST_F(CliPrintTest, PrintsABrailleFile) {
  WriteFile(work.File("texto.txt"), "casa\nrio\nponte\n");
  const CliResult result = Run("print --settings SONARA.INI --title Rio texto.txt");
  ASSERT_EQ(result.status, 0) << result.output;
  // Braille ASCII: capital sign (dots 4 6) is '.', number sign '#', the
  // digits 1 and 2 are the cells of a and b.
  EXPECT_EQ(ReadFile(work.File("saida.brf")),
            "   .RIO   #A\r\nCASA\r\nRIO\r\n\f"
            "   .RIO   #B\r\nPONTE\r\n\f");
  EXPECT_NE(result.output.find("Fim de impress\xC3\xA3o da copia \n\nFim de trabalho\n"), std::string::npos)
      << result.output;
}

TEST_F(CliPrintTest, OptionsSetCopiesPagesFirstNumberAndDevice) {
  WriteFile(work.File("texto.txt"), "casa\nrio\nponte\nmar\n");
  const CliResult result =
      Run("print --settings SONARA.INI --device outra.brf --copies 2 --pages 2-2 --first-number 7 texto.txt");
  ASSERT_EQ(result.status, 0) << result.output;
  // Page 2 of each copy, numbered 8; with no title the 10 filler cells
  // are split 5 and 5 around it.
  const std::string page = "          #H\r\nPONTE\r\nMAR\r\n\f";
  EXPECT_EQ(ReadFile(work.File("outra.brf")), page + page);
  EXPECT_NE(result.output.find("copia \n1\nFim de impress\xC3\xA3o da copia \n2\nFim de trabalho"),
            std::string::npos)
      << result.output;

  EXPECT_EQ(Run("print --settings SONARA.INI --pages 2 texto.txt").status, 64);
  EXPECT_EQ(Run("print --settings SONARA.INI --copies dois texto.txt").status, 64);
  EXPECT_EQ(Run("print --settings SONARA.INI").status, 64);
}

TEST_F(CliPrintTest, FailuresHaveTheirOwnStatus) {
  const CliResult missing = Run("print --settings SONARA.INI nada.txt");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("Arquivo n\xC3\xA3o foi achado\nImpress\xC3\xA3o cancelada.\n"), std::string::npos)
      << missing.output;

  WriteFile(work.File("texto.txt"), "casa\n");
  const CliResult device = Run("print --settings SONARA.INI --device sem/pasta/saida.brf texto.txt");
  EXPECT_EQ(device.status, 2);
  EXPECT_NE(device.output.find("Erro ao criar arquivo de impress\xC3\xA3o.  Programa cancelado."), std::string::npos)
      << device.output;

  // A device that refuses the bytes: with no terminal to answer, the job is
  // cancelled after the two messages.
  const CliResult full = Run("print --settings SONARA.INI --device /dev/full texto.txt");
  EXPECT_EQ(full.status, 3);
  EXPECT_NE(full.output.find("Erro de escrita no dispositivo de impress\xC3\xA3o\nENTER continua, ESC cancela\n"),
            std::string::npos)
      << full.output;
}

TEST_F(CliPrintTest, PreviewShowsThePagesInUnicodeBraille) {
  WriteFile(work.File("texto.txt"), "Casa\nrio\nponte\n");
  const CliResult result = RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
                                  "preview --settings SONARA.INI texto.txt", false);
  ASSERT_EQ(result.status, 0);
  // ⠨⠉⠁⠎⠁ is "Casa": capital sign, c, a, s, a. The header has no title.
  EXPECT_EQ(result.output,
            "--- p\xC3\xA1gina 1 ---\n"
            "\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u283C\u2801\n"
            "\u2828\u2809\u2801\u280E\u2801\n"
            "\u2817\u280A\u2815\n"
            "--- p\xC3\xA1gina 2 ---\n"
            "\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u283C\u2803\n"
            "\u280F\u2815\u281D\u281E\u2811\n");
  // Nothing is embossed by a preview.
  EXPECT_FALSE(std::ifstream(work.File("saida.brf")).good());
}

TEST_F(CliPrintTest, TranscribeShowsTheInternalTextAndTheCells) {
  const CliResult result = Run("transcribe 'Ação 25'");
  ASSERT_EQ(result.status, 0);
  // Capital sign, a, ç (dots 1 2 3 4 6), ã (dots 3 4 5), o; the number sign
  // and the cells of b and e.
  EXPECT_EQ(result.output, "{a\xC3\xA7\xC3\xA3o #25\n\u2828\u2801\u282F\u281C\u2815\u2800\u283C\u2803\u2811\n");
  EXPECT_EQ(Run("transcribe").status, 64);
}

}  // namespace
