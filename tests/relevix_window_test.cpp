// The talking program in its SDL window on a real X server (Xvfb), driven by
// key presses sent to the window as a user's keyboard would send them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

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

TEST(RelevixWindow, RealKeyPressesOnTheWindowPrintTheFile) {
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb could not be started here";
  RelevixProgram program;
  WriteFile(program.File("texto.txt"), "Era uma vez uma cidade.\n");
  const std::string dump = program.File("tela.txt");
  const int relevix = StartProcess(
      {"sh", "-c", "cd '" + program.Folder() + "' && exec '" RELEVIX_PROGRAM "' texto.txt"},
      {display.Assignment(), "SONARA_WINDIR=" + program.SettingsFolder(), "RELEVIX_AUDIO=null", "RELEVIX_CONSOLE=",
       "RELEVIX_KEYS=", "RELEVIX_SCREEN_DUMP=" + dump});
  // Enter keeps the settings, Enter again prints; each once the question is up.
  std::this_thread::sleep_for(std::chrono::milliseconds(3000));
  EXPECT_TRUE(PressKey(display, "Return"));
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_TRUE(PressKey(display, "Return"));
  const int status = WaitForProcess(relevix, std::chrono::seconds(30));
  if (status == -1) {
    kill(relevix, SIGKILL);
    waitpid(relevix, nullptr, 0);
  }
  EXPECT_EQ(status, 0);
  const std::string screen = ReadFile(dump);
  EXPECT_NE(screen.find("Programa de impress\xC3\xA3o Braille - v 4.0 beta"), std::string::npos) << screen;
  EXPECT_NE(screen.find("Fim de trabalho"), std::string::npos) << screen;
  EXPECT_FALSE(ReadFile(program.File("saida.brf")).empty());
}

}  // namespace
