// The X server going away under the window (the desktop session ends): the
// program must end as if its window were closed, promptly, with the screen
// dump written, not keep running without a display.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::StartProcess;
using testing_support::TempDir;
using testing_support::VirtualDisplay;
using testing_support::WaitForProcess;

TEST(DisplayLostTest, TheProgramEndsWhenTheXServerStops) {
  VirtualDisplay display;
  if (!display.Running()) GTEST_SKIP() << "Xvfb could not be started here";

  TempDir work;
  const std::string dump = work.File("tela.txt");
  const pid_t program = StartProcess({RELEVIX_CLI, "teclado"}, {display.Assignment(), "RELEVIX_AUDIO=null",
                                                               "RELEVIX_CONSOLE=", "RELEVIX_SCREEN_DUMP=" + dump});
  // The window is up (as soon as the X server shows one, however slowly the
  // program starts) and the program waits for keys.
  const bool canSearch = std::system("command -v xdotool >/dev/null 2>&1") == 0;
  const std::string search = "env " + display.Assignment() + " xdotool search --name . >/dev/null 2>&1";
  for (int i = 0; i < 150 && canSearch && std::system(search.c_str()) != 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(canSearch ? 500 : 3000));
  ASSERT_EQ(WaitForProcess(program, std::chrono::milliseconds(0)), -1) << "the program ended before the display went";

  display.Stop();
  const int status = WaitForProcess(program, std::chrono::seconds(5));
  if (status == -1) {
    kill(program, SIGKILL);
    waitpid(program, nullptr, 0);
  }
  EXPECT_EQ(status, 0) << "still running 5 s after the display went (-1), or ended badly";
  EXPECT_NE(ReadFile(dump).find("ESC duas vezes termina"), std::string::npos);
}

}  // namespace
