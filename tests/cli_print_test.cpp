// relevix-cli print, preview and transcribe as a user runs them: real
// files, the shipped current-rules code table (Braille ASCII), and the exit
// statuses scripts rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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
  EXPECT_NE(missing.output.find("Arquivo n\xC3\xA3o foi achado: nada.txt\nImpress\xC3\xA3o cancelada.\n"),
            std::string::npos)
      << missing.output;

  WriteFile(work.File("texto.txt"), "casa\n");
  const CliResult device = Run("print --settings SONARA.INI --device sem/pasta/saida.brf texto.txt");
  EXPECT_EQ(device.status, 2);
  EXPECT_NE(device.output.find("Erro ao criar arquivo de impress\xC3\xA3o.  Programa cancelado.\n"
                               "sem/pasta/saida.brf: a pasta n\xC3\xA3o existe\n"),
            std::string::npos)
      << device.output;
  EXPECT_EQ(device.output.find("Fim de"), std::string::npos) << device.output;

  // A device that refuses the bytes: with no terminal to answer, the job is
  // cancelled after the two messages.
  const CliResult full = Run("print --settings SONARA.INI --device /dev/full texto.txt");
  EXPECT_EQ(full.status, 3);
  EXPECT_NE(full.output.find("Erro de escrita no dispositivo de impress\xC3\xA3o: /dev/full: disco cheio\n"
                             "ENTER continua, ESC cancela\n"),
            std::string::npos)
      << full.output;
}

TEST_F(CliPrintTest, DeviceFailuresNameTheDeviceWhereItLeadsAndWhy) {
  WriteFile(work.File("texto.txt"), "casa\n");
  std::filesystem::create_directory(work.File("pasta"));
  const CliResult folder = Run("print --settings SONARA.INI --device pasta texto.txt");
  EXPECT_EQ(folder.status, 2);
  EXPECT_NE(folder.output.find("\npasta: \xC3\xA9 uma pasta\n"), std::string::npos) << folder.output;

  // A port leads to its device node; here one that does not exist.
  WriteFile(work.File("SONARA.INI"), "[RELEVIX]\nDISPSAIDA=LPT3\nLPT3=" + work.File("sem-lp") + "\n");
  const CliResult port = Run("print --settings SONARA.INI texto.txt");
  EXPECT_EQ(port.status, 2);
  EXPECT_NE(port.output.find("\nLPT3 (" + work.File("sem-lp") + "): n\xC3\xA3o existe\n"), std::string::npos)
      << port.output;

  // The spooler with no CUPS server to answer.
  const CliResult spooler =
      RunCli(work.path(),
             "SONARA_WINDIR='" + windir.path() + "' CUPS_SERVER='" + work.File("sem-cups.sock") + "' CUPS_SERVERROOT='" +
                 windir.path() + "'",
             "print --settings SONARA.INI --device prn texto.txt");
  EXPECT_EQ(spooler.status, 2);
  EXPECT_NE(spooler.output.find("\nprn: o servidor de impress\xC3\xA3o CUPS n\xC3\xA3o responde\n"), std::string::npos)
      << spooler.output;
}

TEST_F(CliPrintTest, OutputThatIsTheInputIsRefusedBeforeItIsTouched) {
  const std::string text = "casa\nrio\n";
  WriteFile(work.File("texto.txt"), text);
  std::filesystem::create_symlink("texto.txt", work.File("atalho.txt"));
  std::filesystem::create_hard_link(work.File("texto.txt"), work.File("outro-nome.txt"));
  for (const std::string& device : {std::string("texto.txt"), std::string("./texto.txt"), work.File("texto.txt"), std::string("atalho.txt"),
                                   std::string("outro-nome.txt")}) {
    const CliResult result = Run("print --settings SONARA.INI --device '" + device + "' texto.txt");
    EXPECT_EQ(result.status, 2) << device;
    EXPECT_NE(result.output.find("Nada foi gravado: o arquivo de sa\xC3\xAD" "da \xC3\xA9 o pr\xC3\xB3prio arquivo a "
                                 "imprimir: " + device + "\n"),
              std::string::npos)
        << result.output;
    EXPECT_EQ(ReadFile(work.File("texto.txt")), text) << device;
  }
  // A file of the same name in another folder is another file.
  std::filesystem::create_directory(work.File("copia"));
  WriteFile(work.File("copia/texto.txt"), text);
  EXPECT_EQ(Run("print --settings SONARA.INI --device copia/texto.txt texto.txt").status, 0);
}

TEST_F(CliPrintTest, AJobThatCannotReadItsInputDoesNotEndWell) {
  // The process's own memory opens, but cannot be read from its start.
  WriteFile(work.File("saida.brf"), "anterior");
  for (const char* command : {"print --settings SONARA.INI /proc/self/mem", "preview --settings SONARA.INI /proc/self/mem"}) {
    const CliResult result = Run(command);
    EXPECT_EQ(result.status, 4) << command;
    EXPECT_NE(result.output.find("Erro de leitura do arquivo\n"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Impress\xC3\xA3o incompleta; n\xC3\xA3o foi poss\xC3\xADvel ler at\xC3\xA9 o fim o "
                                 "arquivo: /proc/self/mem\n"),
              std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.find("Fim de"), std::string::npos) << result.output;
  }
  // Known before the output was opened: the last output is kept.
  EXPECT_EQ(ReadFile(work.File("saida.brf")), "anterior");
}

TEST_F(CliPrintTest, AFolderIsNoFileToPrint) {
  std::filesystem::create_directory(work.File("pasta"));
  WriteFile(work.File("saida.brf"), "anterior");
  for (const char* command : {"print --settings SONARA.INI pasta", "preview --settings SONARA.INI pasta"}) {
    const CliResult result = Run(command);
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_NE(result.output.find("Arquivo n\xC3\xA3o foi achado: pasta\n"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Fim de"), std::string::npos) << result.output;
  }
  EXPECT_EQ(ReadFile(work.File("saida.brf")), "anterior");
}

TEST_F(CliPrintTest, TextPastTheLastPageOfTheRangeIsReported) {
  // Two pages of a header and two lines each.
  WriteFile(work.File("texto.txt"), "casa\nrio\nponte\nmar\n");
  const std::string cut = "O texto continua al\xC3\xA9m da p\xC3\xA1gina final: 1\nP\xC3\xA1ginas impressas: 1\n";
  const CliResult printed = Run("print --settings SONARA.INI --pages 1-1 texto.txt");
  EXPECT_EQ(printed.status, 0);
  EXPECT_NE(printed.output.find(cut + "Fim de trabalho\n"), std::string::npos) << printed.output;
  EXPECT_EQ(ReadFile(work.File("saida.brf")), "          #A\r\nCASA\r\nRIO\r\n\f");

  // The whole text within the range, or only blank lines after it: nothing
  // to report.
  const CliResult whole = Run("print --settings SONARA.INI --pages 1-2 texto.txt");
  EXPECT_EQ(whole.output.find("continua"), std::string::npos) << whole.output;
  WriteFile(work.File("curto.txt"), "casa\nrio\n\n\n  \n");
  const CliResult blanks = Run("print --settings SONARA.INI --pages 1-1 curto.txt");
  EXPECT_EQ(blanks.output.find("continua"), std::string::npos) << blanks.output;

  // The preview says it too.
  const CliResult preview = Run("preview --settings SONARA.INI --pages 1-1 texto.txt");
  EXPECT_EQ(preview.status, 0);
  EXPECT_NE(preview.output.find(cut), std::string::npos) << preview.output;
}

TEST_F(CliPrintTest, PreviewShowsOnePageForEveryFormFeedAndMarksPictures) {
  // The picture's first line is no part of it; its rows make two lines of
  // cells: dots 2 3 6 and dots 2 3, then dot 1.
  WriteFile(work.File("desenho.txt"), "desenho\nx x\nxxx\nx\n");
  WriteFile(work.File("texto.txt"), "<G desenho.txt>\nfim\n");
  const CliResult preview = Run("preview --settings SONARA.INI texto.txt");
  ASSERT_EQ(preview.status, 0) << preview.output;
  const std::string blanks = "\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800";
  EXPECT_EQ(preview.output,
            "--- p\xC3\xA1gina 1 ---\n" + blanks + "\u283C\u2801\n"
            "--- desenho em modo gr\xC3\xA1" "fico (ESC 6) ---\n"
            "\u2826\u2806\n"
            "\u2801\n"
            "--- fim do desenho ---\n"
            "--- p\xC3\xA1gina 2 ---\n" + blanks + "\u283C\u2803\n"
            "\u280B\u280A\u280D\n");
  // As many pages as the embosser gets form feeds.
  ASSERT_EQ(Run("print --settings SONARA.INI texto.txt").status, 0);
  const std::string embossed = ReadFile(work.File("saida.brf"));
  EXPECT_EQ(std::count(embossed.begin(), embossed.end(), '\f'), 2);
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
