#include "documents/converter_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

extern char** environ;

namespace {

// Reads both pipes until both end, so neither can fill and stop the child;
// false when the deadline came first.
bool Collect(int outputFd, int errorFd, ProgramRun& run, std::chrono::steady_clock::time_point deadline) {
  std::array<pollfd, 2> fds = {pollfd{outputFd, POLLIN, 0}, pollfd{errorFd, POLLIN, 0}};
  std::array<std::string*, 2> into = {&run.output, &run.errors};
  std::array<char, 65536> block;
  int open = 2;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    const int ready = poll(fds.data(), fds.size(), static_cast<int>(std::min<long long>(left.count(), 1000)));
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t count = read(fds[i].fd, block.data(), block.size());
      if (count > 0) {
        into[i]->append(block.data(), static_cast<std::size_t>(count));
      } else if (count == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open;
      }
    }
  }
  return true;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& arguments, std::chrono::milliseconds limit) {
  ProgramRun run;
  if (arguments.empty()) return run;
  int outputPipe[2];
  int errorPipe[2];
  if (pipe2(outputPipe, O_CLOEXEC) != 0) return run;
  if (pipe2(errorPipe, O_CLOEXEC) != 0) {
    close(outputPipe[0]);
    close(outputPipe[1]);
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outputPipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, errorPipe[1], 2);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  run.started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(outputPipe[1]);
  close(errorPipe[1]);
  if (run.started && !Collect(outputPipe[0], errorPipe[0], run, std::chrono::steady_clock::now() + limit)) {
    run.timedOut = true;
    kill(child, SIGKILL);
  }
  close(outputPipe[0]);
  close(errorPipe[0]);
  if (!run.started) return run;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}
