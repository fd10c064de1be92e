#include "platform/program_start.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace {

// In the grandchild: exec, or report the failure on the pipe. Only calls
// that are safe after fork in a program with threads.
[[noreturn]] void ExecOrReport(char* const* argv, const char* directory, int reportFd) {
  int error = 0;
  if (directory[0] != '\0' && chdir(directory) != 0) {
    error = errno;
  } else {
    // Our own process group: a Ctrl+C in the terminal is not the started program's.
    setsid();
    execvp(argv[0], argv);
    error = errno;
  }
  while (write(reportFd, &error, sizeof error) < 0 && errno == EINTR) {
  }
  _exit(127);
}

}  // namespace

bool StartProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory) {
  if (arguments.empty() || arguments[0].empty()) return false;
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  // Two forks: the program is adopted by init and never left a zombie.
  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    close(report[0]);
    const pid_t grandchild = fork();
    if (grandchild == 0) ExecOrReport(argv.data(), workingDirectory.c_str(), report[1]);
    if (grandchild < 0) {
      const int error = errno;
      while (write(report[1], &error, sizeof error) < 0 && errno == EINTR) {
      }
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes without a word when exec succeeds.
  int error = 0;
  ssize_t got = 0;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return got == 0;
}

int RunProgramToEnd(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments[0].empty()) return -1;
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  // posix_spawnp reports a program that is not there as an exit of 127.
  return WEXITSTATUS(status);
}
