// What a blind user met in the talking program and in relevix-cli, each
// tried as the user tried it: settings that make no sense, a folder or an
// empty file given to print, a window closed or ESC pressed in the middle of
// a job, a port that is no port here, pictures and page ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/cli_run.h"
#include "tests/relevix_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

const std::string kKeepAndPrint = kAfterGreeting + "ENTER WAIT 500 ENTER";

std::string Lines(int count) {
  std::string text;
  for (int line = 1; line <= count; ++line) text += "Linha " + std::to_string(line) + "\n";
  return text;
}

long Count(const std::string& text, char c) { return std::count(text.begin(), text.end(), c); }

TEST(RelevixUserFaults, NoPagesInTheSettingsFileMakesNoPagesInEitherProgram) {
  // 0 lines a page: no pagination. The talking program printed one line a
  // sheet (a form feed after every line); it must print as relevix-cli does.
  RelevixProgram program("LINHAS=0\nTITULA=S\nAUTOFORMATA=N\n");
  WriteFile(program.File("texto.txt"), Lines(40));
  const RelevixRun run = program.Run("texto.txt", kKeepAndPrint);
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_EQ(Count(run.printed, '\f'), 1) << "one page";
  EXPECT_EQ(Count(run.printed, '\n'), 41) << "a header and the 40 lines";

  const CliResult cli = RunCli(program.Folder(), "SONARA_WINDIR='" + program.SettingsFolder() + "'",
                               "print --device cli.brf texto.txt");
  ASSERT_EQ(cli.status, 0) << cli.output;
  EXPECT_EQ(ReadFile(program.File("cli.brf")), run.printed);
}

TEST(RelevixUserFaults, ALineOfNoCellsTakesTheDefaultWidthAndIsSaid) {
  RelevixProgram program("COLUNAS=1\nAUTOFORMATA=S\n");
  WriteFile(program.File("texto.txt"), "Era uma vez uma cidade pequena, no alto da serra, onde todos se conheciam.\n");
  const RelevixRun run = program.Run("texto.txt", kKeepAndPrint);
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_GT(run.RowOf("COLUNAS=1, usado 34"), 0) << run.Screen();
  // Lines of up to 34 cells, not of 2.
  std::size_t longest = 0;
  for (std::size_t start = 0; start < run.printed.size();) {
    const std::size_t end = run.printed.find("\r\n", start);
    if (end == std::string::npos) break;
    longest = std::max(longest, end - start);
    start = end + 2;
  }
  EXPECT_GT(longest, 20u);
  EXPECT_LE(longest, 34u);
}

TEST(RelevixUserFaults, AFolderIsNotFoundBeforeAnyQuestionAndTheLastOutputIsKept) {
  RelevixProgram program;
  std::filesystem::create_directory(program.File("pasta"));
  WriteFile(program.File("saida.brf"), "anterior");
  // Named on the command line, and typed.
  for (const auto& [arguments, keys] : {std::pair<std::string, std::string>{"pasta", kKeepAndPrint},
                                        {"", kAfterGreeting + "\"pasta\" ENTER WAIT 500 ENTER WAIT 500 ENTER"}}) {
    const RelevixRun run = program.Run(arguments, keys);
    EXPECT_EQ(run.status, 1) << run.output << run.Screen();
    EXPECT_GT(run.RowOf("Arquivo n\xC3\xA3o foi achado: pasta"), 0) << run.Screen();
    EXPECT_EQ(run.RowOf("Assumo valores padr\xC3\xA3o"), 0) << run.Screen();
    EXPECT_EQ(run.printed, "anterior");
  }
}

TEST(RelevixUserFaults, EnterOnAFolderInTheChooserGoesIntoIt) {
  RelevixProgram program;
  std::filesystem::create_directory(program.File("docs"));
  WriteFile(program.File("docs/carta.txt"), "Prezado senhor.\n");
  // "d*" lists docs; Enter goes into it, where Enter takes carta.txt.
  const RelevixRun run = program.Run(
      "", kAfterGreeting + "\"d*\" ENTER WAIT 800 ENTER WAIT 800 ENTER WAIT 800 ENTER WAIT 500 ENTER");
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_GT(run.RowOf("docs/carta.txt"), 0) << run.Screen();
  EXPECT_FALSE(run.printed.empty());
}

TEST(RelevixUserFaults, AnEmptyFileIsSaidAndNothingIsEmbossed) {
  RelevixProgram program;
  WriteFile(program.File("vazio.txt"), "\n  \n");
  WriteFile(program.File("saida.brf"), "anterior");
  const RelevixRun run = program.Run("vazio.txt", kKeepAndPrint);
  EXPECT_EQ(run.status, 5) << run.output << run.Screen();
  EXPECT_GT(run.RowOf("O arquivo est\xC3\xA1 vazio: vazio.txt"), 0) << run.Screen();
  EXPECT_EQ(run.RowOf("Assumo valores padr\xC3\xA3o"), 0) << "said before any question";
  EXPECT_EQ(run.RowOf("Fim de trabalho"), 0) << run.Screen();
  EXPECT_EQ(run.printed, "anterior");
}

TEST(RelevixUserFaults, APortThatIsNoPortHereIsSaidToBeAFile) {
  RelevixProgram program("DISPSAIDA=COM3\n");
  WriteFile(program.File("texto.txt"), "Era uma vez.\n");
  const RelevixRun run = program.Run("texto.txt", kKeepAndPrint);
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_GT(run.RowOf("Gravado no arquivo: COM3"), 0) << run.Screen();
  EXPECT_FALSE(ReadFile(program.File("COM3")).empty());
}

TEST(RelevixUserFaults, ClosingTheWindowMidPrintKeepsTheLinesAndSaysThePrintIsIncomplete) {
  // 600 lines a minute: 60 lines take six seconds.
  RelevixProgram program("LINHASPORMINUTO=600\nAUTOFORMATA=N\n");
  WriteFile(program.File("texto.txt"), Lines(60));
  const RelevixRun run = program.Run("texto.txt", kKeepAndPrint + " WAIT 2500 CLOSE");
  EXPECT_EQ(run.status, 3) << run.output << run.Screen();
  EXPECT_GT(run.RowOf("Impress\xC3\xA3o incompleta"), 0) << run.Screen();
  // What was embossed before the close is in the file, line by line.
  EXPECT_GT(Count(run.printed, '\n'), 5) << run.printed;
  EXPECT_LT(Count(run.printed, '\n'), 60);
}

TEST(RelevixUserFaults, EscWhilePrintingAsksAndCancelsOrGoesOn) {
  RelevixProgram program("LINHASPORMINUTO=600\nAUTOFORMATA=N\n");
  WriteFile(program.File("texto.txt"), Lines(40));
  const RelevixRun cancelled = program.Run("texto.txt", kKeepAndPrint + " WAIT 2000 ESC WAIT 500 ESC");
  EXPECT_EQ(cancelled.status, 3) << cancelled.output << cancelled.Screen();
  EXPECT_GT(cancelled.RowOf("Impress\xC3\xA3o cancelada."), 0) << cancelled.Screen();
  EXPECT_TRUE(cancelled.Heard("BRIMPCAN")) << ::testing::PrintToString(cancelled.heard);

  // ENTER goes on, and the whole text is embossed; keys typed while the job
  // runs do not silence its end.
  const RelevixRun whole = program.Run("texto.txt", kKeepAndPrint);
  ASSERT_EQ(whole.status, 0) << whole.output;
  EXPECT_LT(cancelled.printed.size(), whole.printed.size());
  const RelevixRun goesOn = program.Run("texto.txt", kKeepAndPrint + " WAIT 2000 ESC WAIT 500 ENTER A B C");
  EXPECT_EQ(goesOn.status, 0) << goesOn.output << goesOn.Screen();
  EXPECT_EQ(goesOn.printed, whole.printed);
  EXPECT_TRUE(goesOn.Heard("BRFIMTRA")) << ::testing::PrintToString(goesOn.heard) << goesOn.Screen();
}

// relevix-cli on the bundled sample: the picture on page 4 goes with the
// text wherever it is printed from, and page ranges hold it back too.
class SampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(work.File("SONARA.INI"), ReadFile(std::string(RELEVIX_SOURCE_DIR) + "/data/exemplos/SONARA.INI"));
  }
  CliResult Print(const std::string& options) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
                  "print --settings SONARA.INI --device saida.brf " + options + " '" + sample + "'");
  }
  const std::string sample = std::string(RELEVIX_SOURCE_DIR) + "/data/exemplos/carta.txt";
  TempDir work, windir;
};

TEST_F(SampleTest, ThePictureIsFoundBesideTheTextFromAnyFolder) {
  // The embosser's bytes, where the picture is marked by its graphic mode.
  const CliResult here =
      RunCli(std::string(RELEVIX_SOURCE_DIR) + "/data/exemplos", "SONARA_WINDIR='" + windir.path() + "'",
             "print --settings SONARA.INI --format bytes --device '" + work.File("daqui.brf") + "' carta.txt");
  ASSERT_EQ(here.status, 0) << here.output;
  const CliResult elsewhere = Print("--format bytes");
  ASSERT_EQ(elsewhere.status, 0) << elsewhere.output;
  EXPECT_EQ(elsewhere.output.find("gr\xC3\xA1" "fico"), std::string::npos) << elsewhere.output;
  const std::string printed = ReadFile(work.File("saida.brf"));
  EXPECT_EQ(printed, ReadFile(work.File("daqui.brf")));
  EXPECT_NE(printed.find("\x1b" "6"), std::string::npos);
  EXPECT_NE(printed.find("\x1b]"), std::string::npos);
}

TEST_F(SampleTest, PagesOutsideTheRangeLeaveThePictureOutAndARangeWithoutPagesSendsNothing) {
  // The sample has five sheets; the picture ends the third page, whose text
  // runs on to the fourth sheet, and the last sheet is the fourth page.
  const CliResult later = Print("--format bytes --pages 4-10");
  ASSERT_EQ(later.status, 0) << later.output;
  const std::string lastPage = ReadFile(work.File("saida.brf"));
  EXPECT_EQ(lastPage.find('\x1b'), std::string::npos);
  EXPECT_EQ(Count(lastPage, '\f'), 1);

  WriteFile(work.File("saida.brf"), "anterior");
  for (const char* range : {"--pages 6-7", "--pages 99-100", "--pages 5-2"}) {
    const CliResult none = Print(range);
    EXPECT_EQ(none.status, 5) << range << none.output;
    EXPECT_NE(none.output.find("Nenhuma p\xC3\xA1gina no intervalo pedido\n"), std::string::npos) << none.output;
    EXPECT_EQ(none.output.find("Fim de"), std::string::npos) << none.output;
    EXPECT_EQ(ReadFile(work.File("saida.brf")), "anterior") << range;
  }
}

TEST_F(SampleTest, TextFromAPipeIsPrintedWhole) {
  // Read once: the check made before the device is opened must not take it.
  const CliResult piped = RunShell("(cd '" + work.path() + "' && cat '" + sample + "' | env SONARA_WINDIR='" +
                                   windir.path() + "' '" RELEVIX_CLI "' print --settings SONARA.INI --device saida.brf "
                                   "/dev/stdin)");
  ASSERT_EQ(piped.status, 0) << piped.output;
  // The five pages of text (the picture, not beside /dev/stdin, is left out).
  const std::string printed = ReadFile(work.File("saida.brf"));
  EXPECT_GT(printed.size(), 2500u) << printed;
  EXPECT_EQ(Count(printed, '\f'), 5);
}

TEST_F(SampleTest, AMissingPictureSendsNothingOfIt) {
  WriteFile(work.File("texto.txt"), "antes\n<G nada.txt>\ndepois\n");
  const CliResult result = RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
                                  "print --settings SONARA.INI --device saida.brf texto.txt");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("Arquivo gr\xC3\xA1" "fico n\xC3\xA3o foi achado: nada.txt\n"), std::string::npos)
      << result.output;
  const std::string printed = ReadFile(work.File("saida.brf"));
  EXPECT_EQ(printed.find('\x1b'), std::string::npos);
  EXPECT_EQ(printed.find("NADA"), std::string::npos) << printed;
}

}  // namespace
