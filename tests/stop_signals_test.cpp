// Ctrl+C (SIGINT), SIGTERM and SIGHUP as a user or the system sends them:
// relevix-cli stops speaking at once and ends with 128 + the signal's
// number, printing nothing; relevix ends as when its window is closed.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "speech/speechd_test_support.h"
#include "tests/cli_run.h"
#include "tests/relevix_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

// Far more than a minute of speech.
std::string LongText() {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "O programa abre o arquivo de texto e imprime as paginas. ";
  return text;
}

TEST(StopSignals, EachStopsTheCommandLineSpeechAtOnceWithItsOwnStatus) {
  TempDir dir;
  WriteFile(dir.File("espeak.ini"), "[TRADUTOR]\nSAPI=S\n[SERVFALA]\nTIPOSAPI=4\n");
  struct Case {
    int signalNumber;
    int status;
    const char* command;
  };
  const Case cases[] = {
      {SIGINT, 130, "speak"},
      {SIGTERM, 143, "speak"},
      {SIGHUP, 129, "speak"},
      {SIGINT, 130, "speak-translator"},
      {SIGTERM, 143, "speak --settings espeak.ini"},
  };
  for (const Case& c : cases) {
    // The dummy sound card plays in real time, as a real one does.
    const std::string command = "env SONARA_WINDIR='" + dir.path() + "' RELEVIX_AUDIO=sdl SDL_AUDIODRIVER=dummy '" +
                                RELEVIX_CLI "' " + c.command + " '" + LongText() + "'";
    const SignalledResult result = RunShellSignalled(dir.path(), command, c.signalNumber, 1500);
    EXPECT_EQ(result.status, c.status) << c.command << " " << c.signalNumber << ": " << result.output;
    EXPECT_LT(result.seconds, 1.0) << c.command << " " << c.signalNumber;
    EXPECT_EQ(result.output, "") << c.command;
  }
}

TEST(StopSignals, TheDesktopsSpeechServiceIsSilencedToo) {
  START_PRIVATE_SPEECH_SERVICE(service);
  TempDir dir;
  WriteFile(dir.File("servico.ini"), "[TRADUTOR]\nSAPI=S\n[SERVFALA]\nTIPOSAPI=5\n");
  // The service's module takes a second for a text; the signal comes first.
  const SignalledResult result = RunShellSignalled(
      dir.path(), std::string("env '") + RELEVIX_CLI + "' speak --settings servico.ini 'Um texto comprido'", SIGTERM, 700);
  EXPECT_EQ(result.status, 143) << result.output;
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const std::vector<std::string> transcribed = service.Transcribed();
  ASSERT_EQ(transcribed.size(), 1u) << "begun, and stopped before its end (no \"fim\")";
  EXPECT_EQ(transcribed[0].substr(0, 18), "Um texto comprido|");
}

TEST(StopSignals, InTheProgramTheyEndItAsClosingTheWindowDoes) {
  // 600 lines a minute: 60 lines take six seconds; the signal comes in the middle.
  RelevixProgram program("LINHASPORMINUTO=600\nAUTOFORMATA=N\n");
  std::string lines;
  for (int line = 1; line <= 60; ++line) lines += "Linha " + std::to_string(line) + "\n";
  WriteFile(program.File("texto.txt"), lines);
  const RelevixRun printing = program.RunSignalled("texto.txt", "WAIT 2500 ENTER WAIT 500 ENTER", SIGTERM, 5000);
  EXPECT_EQ(printing.status, 3) << printing.output << printing.Screen();
  EXPECT_GT(printing.RowOf("Impress\xC3\xA3o incompleta"), 0) << printing.Screen();
  EXPECT_EQ(printing.RowOf("Fim de trabalho"), 0) << printing.Screen();
  const long printed = std::count(printing.printed.begin(), printing.printed.end(), '\n');
  EXPECT_GT(printed, 5);
  EXPECT_LT(printed, 60);

  // Ctrl+C in the form, after the output device was changed: nothing was
  // finished, so nothing is written back, and the program ends as a window
  // closed at a question (status 0).
  const std::string settingsBefore = testing_support::ReadFile(program.SettingsFile());
  const RelevixRun inForm =
      program.RunSignalled("texto.txt", "WAIT 2500 N WAIT 1500 \"outra.brf\" WAIT 20000 ESC", SIGINT, 6000);
  EXPECT_EQ(inForm.status, 0) << inForm.output << inForm.Screen();
  EXPECT_EQ(inForm.settings, settingsBefore);
  EXPECT_EQ(inForm.RowOf("Fim de trabalho"), 0) << inForm.Screen();
  EXPECT_FALSE(inForm.screen.empty()) << "the screen is dumped";
}

}  // namespace
