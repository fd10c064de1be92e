// The talking program from greeting to farewell on the headless host: what
// the screen shows, what is heard, what reaches the device and what the
// settings file holds afterwards, for each way through the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/relevix_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::WriteFile;

// The sounds heard from the first of name on.
std::vector<std::string> HeardFrom(const RelevixRun& run, const std::string& name) {
  const auto at = std::find(run.heard.begin(), run.heard.end(), name);
  return {at, run.heard.end()};
}

class RelevixProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(program.File("texto.txt"), "Era uma vez uma cidade.\n"); }
  RelevixProgram program;
};

TEST_F(RelevixProgramTest, DefaultsKeptWithEnterPrintOneCopyAndSayGoodbye) {
  const std::string settingsBefore = testing_support::ReadFile(program.SettingsFile());
  const RelevixRun run = program.Run("'  texto.txt' segundo-ignorado", kAfterGreeting + "ENTER WAIT 500 ENTER");
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  // The greeting with the version, the name on its own line, the questions.
  EXPECT_EQ(run.screen.at(0), "Programa de impress\xC3\xA3o Braille - v 4.0 beta") << run.Screen();
  EXPECT_EQ(run.screen.at(2), "texto.txt");
  EXPECT_EQ(run.screen.at(3), "Assumo valores padr\xC3\xA3o (s/n) ?");
  EXPECT_EQ(run.screen.at(5), "ENTER continua, ESC cancela");
  EXPECT_GT(run.RowOf("Fim de impress\xC3\xA3o da copia"), 6);
  EXPECT_GT(run.RowOf("Fim de trabalho"), run.RowOf("Fim de impress\xC3\xA3o da copia"));
  // Heard: the greeting, "4.0" spelled by its letter sounds, the farewell;
  // one copy is not counted aloud.
  const std::vector<std::string> greeting{"BRINTRO", "_52", "_46", "_48"};
  EXPECT_TRUE(std::equal(greeting.begin(), greeting.end(), run.heard.begin())) << ::testing::PrintToString(run.heard);
  const std::vector<std::string> end = HeardFrom(run, "BRFIMCOP");
  EXPECT_EQ(end, (std::vector<std::string>{"BRFIMCOP", "BRFIMTRA"}));
  EXPECT_FALSE(run.printed.empty());
  EXPECT_EQ(run.settings, settingsBefore) << "nothing is written back without the form";
}

TEST_F(RelevixProgramTest, ThreeCopiesAreCountedAloudAndNoneGivesAnEmptyOutput) {
  const RelevixRun one = program.Run("texto.txt", kAfterGreeting + "ENTER WAIT 500 ENTER");
  ASSERT_EQ(one.status, 0) << one.output;
  // Copies are asked on the form: field 2.
  const RelevixRun three = program.Run("texto.txt", kAfterGreeting + kIntoForm + "DOWN \"3\" ESC WAIT 800 ENTER");
  ASSERT_EQ(three.status, 0) << three.output << three.Screen();
  EXPECT_EQ(three.printed, one.printed + one.printed + one.printed);
  const std::vector<std::string> counted = HeardFrom(three, "BRFIMCOP");
  // Each number is joined in memory from its recorded pieces.
  EXPECT_EQ(counted, (std::vector<std::string>{"BRFIMCOP", "memory", "BRFIMCOP", "memory", "BRFIMCOP", "memory",
                                               "BRFIMTRA"}));
  // Each number on the line after the message.
  const int first = three.RowOf("Fim de impress\xC3\xA3o da copia");
  ASSERT_GT(first, 0) << three.Screen();
  EXPECT_EQ(three.screen.at(first), "1");
  EXPECT_EQ(three.screen.at(first + 2), "2");
  EXPECT_EQ(three.screen.at(first + 4), "3");
  // The closing messages of the form.
  EXPECT_GT(three.RowOf("Use a configura\xC3\xA7\xC3\xA3o avan\xC3\xA7" "ada do Sonara para mudar definitivamente."), 0);
  EXPECT_GT(three.RowOf("Para configurar, edite ali a se\xC3\xA7\xC3\xA3o RELEVIX."), 0);

  std::filesystem::remove(program.File("saida.brf"));
  const RelevixRun none = program.Run("texto.txt", kAfterGreeting + kIntoForm + "DOWN \"0\" ESC WAIT 800 ENTER");
  ASSERT_EQ(none.status, 0) << none.output;
  EXPECT_TRUE(std::filesystem::exists(program.File("saida.brf"))) << "the device is opened and closed";
  EXPECT_EQ(none.printed, "");
  EXPECT_FALSE(none.Heard("BRFIMCOP"));
  EXPECT_TRUE(none.Heard("BRFIMTRA"));
}

TEST_F(RelevixProgramTest, AnyKeyButNKeepsTheSettingsAndOnlyEnterOrEscConfirm) {
  for (const char* key : {"S", "5", "F5"}) {
    // At the confirmation, letters and arrows are swallowed without a sound.
    const RelevixRun run = program.Run("texto.txt", kAfterGreeting + key + " WAIT 500 A B DOWN WAIT 300 ENTER");
    EXPECT_EQ(run.status, 0) << key << run.output;
    EXPECT_FALSE(run.Heard("BRARQIMP")) << key << ": no form";
    EXPECT_EQ(run.RowOf("Quantas c\xC3\xB3pias"), 0) << key;
    EXPECT_TRUE(run.Heard("BRFIMTRA")) << key;
    EXPECT_EQ(std::count(run.heard.begin(), run.heard.end(), "BRESCCAN"), 1) << key;
  }
}

TEST_F(RelevixProgramTest, EveryWayOutEndsAsTold) {
  // Esc at the confirmation.
  RelevixRun run = program.Run("texto.txt", kAfterGreeting + "ENTER WAIT 500 ESC");
  EXPECT_EQ(run.status, 3) << run.output;
  EXPECT_GT(run.RowOf("Impress\xC3\xA3o cancelada."), 0) << run.Screen();
  EXPECT_TRUE(run.Heard("BRIMPCAN"));
  EXPECT_FALSE(std::filesystem::exists(program.File("saida.brf")));

  // A file that is not there: said with its name; the settings never read.
  run = program.Run("sumiu.txt", "");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_GT(run.RowOf("Arquivo n\xC3\xA3o foi achado: sumiu.txt"), 0) << run.Screen();
  EXPECT_EQ(run.RowOf("Assumo valores"), 0);
  EXPECT_TRUE(run.Heard("BRARQNAO"));
  EXPECT_TRUE(run.Heard("BRIMPCAN"));

  // No name at the prompt: the farewell and nothing else.
  run = program.Run("", kAfterGreeting + "ENTER");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(run.screen.at(2).starts_with("Digite o nome do arquivo a imprimir:")) << run.Screen();
  EXPECT_GT(run.RowOf("Fim de trabalho"), 3) << run.Screen();
  EXPECT_EQ(run.RowOf("Assumo valores"), 0);
  EXPECT_TRUE(run.Heard("BRFIMTRA"));
  EXPECT_FALSE(run.Heard("BRIMPCAN"));
}

TEST_F(RelevixProgramTest, SpeechThatCannotBeRecordedIsSaidAndNothingIsPrinted) {
  const RelevixRun run = program.Run("texto.txt", kAfterGreeting + "ENTER WAIT 500 ENTER",
                                     "RELEVIX_AUDIO=wav:" + program.File("sem/pasta/fala.wav"));
  EXPECT_EQ(run.status, 74) << run.output;
  // The message runs over into the next row: the rows are read as one text.
  std::string rows;
  for (const std::string& row : run.screen) rows += row;
  EXPECT_NE(rows.find("N\xC3\xA3o foi poss\xC3\xADvel gravar o som: " + program.File("sem/pasta/fala.wav") +
                      ": a pasta n\xC3\xA3o existe"),
            std::string::npos)
      << run.Screen();
  EXPECT_FALSE(std::filesystem::exists(program.File("saida.brf")));
}

TEST_F(RelevixProgramTest, ADeviceThatCannotBeOpenedEndsTheProgramAtOnce) {
  RelevixProgram missingFolder("DISPSAIDA=sem/pasta/saida.brf\n");
  WriteFile(missingFolder.File("texto.txt"), "Era uma vez.\n");
  const RelevixRun run = missingFolder.Run("texto.txt", kAfterGreeting + "ENTER WAIT 500 ENTER");
  EXPECT_EQ(run.status, 2) << run.output;
  EXPECT_GT(run.RowOf("Erro ao criar arquivo de impress\xC3\xA3o.  Programa cancelado."), 0) << run.Screen();
  EXPECT_TRUE(run.Heard("BRERRCRI"));
  EXPECT_FALSE(run.Heard("BRFIMTRA"));
}

TEST(RelevixProgramFaults, AFileThatVanishesBetweenCopiesIsNamedAndThePrintingStops) {
  // 600 lines a minute: 60 lines take six seconds a copy, which starts
  // about five seconds after the program (greeting, form, confirmation).
  RelevixProgram program("LINHASPORMINUTO=600\nLINHAS=25\nAUTOFORMATA=N\nTITULA=N\n");
  std::string text;
  for (int line = 1; line <= 60; ++line) text += "Linha " + std::to_string(line) + "\n";
  WriteFile(program.File("texto.txt"), text);
  RelevixRun run;
  std::thread job([&] { run = program.Run("texto.txt", kAfterGreeting + kIntoForm + "DOWN \"2\" ESC WAIT 800 ENTER"); });
  // While the first copy is being printed, the file goes.
  std::this_thread::sleep_for(std::chrono::milliseconds(8000));
  std::filesystem::remove(program.File("texto.txt"));
  job.join();
  EXPECT_EQ(run.status, 1) << run.output << run.Screen();
  EXPECT_GT(run.RowOf("Arquivo n\xC3\xA3o foi achado: texto.txt"), run.RowOf("Fim de impress\xC3\xA3o da copia"))
      << run.Screen();
  EXPECT_GT(run.RowOf("Impress\xC3\xA3o cancelada."), 0) << run.Screen();
  EXPECT_FALSE(run.Heard("BRFIMTRA"));
  // The first copy is whole: 60 lines on three pages.
  EXPECT_EQ(std::count(run.printed.begin(), run.printed.end(), '\n'), 60);
  EXPECT_EQ(std::count(run.printed.begin(), run.printed.end(), '\f'), 3);
}

TEST_F(RelevixProgramTest, TheFileChosenWithTheChooserIsPrinted) {
  WriteFile(program.File("poema.txt"), "Minha terra tem palmeiras.\n");
  // A mask opens the chooser on the names that match; Enter takes one.
  const RelevixRun run = program.Run("", kAfterGreeting + "\"p*\" ENTER WAIT 800 ENTER WAIT 800 ENTER WAIT 500 ENTER");
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_GT(run.RowOf("poema.txt"), 0) << run.Screen();
  EXPECT_TRUE(run.Heard("BRFIMTRA"));
  EXPECT_FALSE(run.printed.empty());
  // A name with no Windows-1252 form is shown with '?' and still printed.
  std::filesystem::create_directory(program.File("docs"));
  WriteFile(program.File("docs/\xE6\x97\xA5\xE6\x9C\xAC.txt"), "Jap\xC3\xA3o.\n");
  std::filesystem::remove(program.File("saida.brf"));
  const RelevixRun other =
      program.Run("", kAfterGreeting + "\"docs/*\" ENTER WAIT 800 ENTER WAIT 800 ENTER WAIT 500 ENTER");
  ASSERT_EQ(other.status, 0) << other.output << other.Screen();
  EXPECT_GT(other.RowOf("docs/??.txt"), 0) << other.Screen();
  EXPECT_FALSE(other.printed.empty());
}

}  // namespace
