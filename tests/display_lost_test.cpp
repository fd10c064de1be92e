// The X server going away under the window (the desktop session ends): the
// program must end as if its window were closed, promptly, with the screen
// dump written, not keep running without a display.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

bool Exists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

// Waits for the child; -1 when it has not ended by the deadline.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
}

pid_t Start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (const std::string& assignment : environment) putenv(const_cast<char*>(assignment.c_str()));
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  freopen("/dev/null", "w", stdout);
  freopen("/dev/null", "w", stderr);
  execvp(argv[0], argv.data());
  _exit(127);
}

TEST(DisplayLostTest, TheProgramEndsWhenTheXServerStops) {
  const int display = 70 + getpid() % 200;
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
  const pid_t server = Start({"Xvfb", ":" + std::to_string(display), "-screen", "0", "1024x768x24"}, {});
  for (int i = 0; i < 100 && !Exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (!Exists(socket)) {
    kill(server, SIGKILL);
    waitpid(server, nullptr, 0);
    GTEST_SKIP() << "Xvfb could not be started here";
  }

  TempDir work;
  const std::string dump = work.File("tela.txt");
  const pid_t program = Start({RELEVIX_CLI, "teclado"}, {"DISPLAY=:" + std::to_string(display), "RELEVIX_AUDIO=null",
                                                        "RELEVIX_CONSOLE=", "RELEVIX_SCREEN_DUMP=" + dump});
  // The window is up and the program waits for keys.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  ASSERT_EQ(WaitFor(program, std::chrono::milliseconds(0)), -1) << "the program ended before the display went";

  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  const int status = WaitFor(program, std::chrono::seconds(5));
  if (status == -1) {
    kill(program, SIGKILL);
    waitpid(program, nullptr, 0);
  }
  EXPECT_EQ(status, 0) << "still running 5 s after the display went (-1), or ended badly";
  EXPECT_NE(ReadFile(dump).find("ESC duas vezes termina"), std::string::npos);
}

}  // namespace
