// The talking program in its SDL window on a real X server (Xvfb), driven by
// key presses sent to the window as a user's keyboard would send them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/relevix_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::StartProcess;
using testing_support::VirtualDisplay;
using testing_support::WaitForProcess;
using testing_support::WriteFile;

// Presses a key on the program's window (its title begins with RELEVIX).
bool PressKey(const VirtualDisplay& display, const std::string& key) {
  const std::string command = "env " + display.Assignment() +
                              " xdotool search --sync --name '^RELEVIX' windowfocus --sync %1 key " + key +
                              " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

struct Press {
  std::string key;
  int waitBefore;  // milliseconds, so that the question is up when it comes
};

// Runs relevix texto.txt in its window on the display, presses the keys,
// and waits for its end: its exit status, or -1 when it did not end.
int RunInWindow(const VirtualDisplay& display, RelevixProgram& program, const std::vector<Press>& presses) {
  const int relevix = StartProcess(
      {"sh", "-c", "cd '" + program.Folder() + "' && exec '" RELEVIX_PROGRAM "' texto.txt 2>errors.txt"},
      {display.Assignment(), "SONARA_WINDIR=" + program.SettingsFolder(), "RELEVIX_AUDIO=null", "RELEVIX_CONSOLE=",
       "RELEVIX_KEYS=", "RELEVIX_SCREEN_DUMP=" + program.File("tela.txt")});
  for (const Press& press : presses) {
    std::this_thread::sleep_for(std::chrono::milliseconds(press.waitBefore));
    EXPECT_TRUE(PressKey(display, press.key)) << press.key;
  }
  const int status = WaitForProcess(relevix, std::chrono::seconds(30));
  if (status == -1) {
    kill(relevix, SIGKILL);
    waitpid(relevix, nullptr, 0);
  }
  return status;
}

TEST(RelevixWindow, RealKeyPressesOnTheWindowPrintTheFile) {
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb could not be started here";
  RelevixProgram program;
  WriteFile(program.File("texto.txt"), "Era uma vez uma cidade.\n");
  // Enter keeps the settings, Enter again prints.
  EXPECT_EQ(RunInWindow(display, program, {{"Return", 3000}, {"Return", 1500}}), 0);
  const std::string screen = ReadFile(program.File("tela.txt"));
  EXPECT_NE(screen.find("Programa de impress\xC3\xA3o Braille - v 4.0 beta"), std::string::npos) << screen;
  EXPECT_NE(screen.find("Fim de trabalho"), std::string::npos) << screen;
  EXPECT_FALSE(ReadFile(program.File("saida.brf")).empty());
}

TEST(RelevixWindow, TheFormInAWindowSmallerThanTheGridIsWalkedAndItsKeysReadRaw) {
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
  // The 1024 x 768 screen holds only part of the grid: drawing the form's
  // lower rows reached past the window, and X ended the program.
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb could not be started here";
  RelevixProgram program;
  WriteFile(program.File("texto.txt"), "Era uma vez uma cidade.\n");
  // N opens the form; Ctrl+Down goes to the last question and Enter past it,
  // where "q" is read raw (the code of Ctrl+Up) and goes back to the first:
  // the device, where End and "x" add to the answer. ESC leaves the form,
  // ESC again gives the printing up.
  const int status = RunInWindow(display, program,
                                 {{"n", 3000}, {"ctrl+Down", 2000}, {"Return", 1500}, {"q", 1500}, {"End", 1500},
                                  {"x", 300}, {"Escape", 500}, {"Escape", 2500}});
  EXPECT_EQ(status, 3) << ReadFile(program.File("errors.txt"));
  EXPECT_EQ(ReadFile(program.File("errors.txt")).find("X Error"), std::string::npos);
  EXPECT_NE(ReadFile(program.SettingsFile()).find("DISPSAIDA=saida.brfx"), std::string::npos);
}

}  // namespace
