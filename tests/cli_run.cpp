#include "tests/cli_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/support/test_support.h"

CliResult RunShell(const std::string& command, bool mergeStderr) {
  CliResult result;
  std::FILE* pipe = popen((command + (mergeStderr ? " 2>&1" : "") + " </dev/null").c_str(), "r");
  if (pipe == nullptr) return result;
  char block[4096];
  std::size_t count;
  while ((count = std::fread(block, 1, sizeof block, pipe)) > 0) result.output.append(block, count);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

CliResult RunCli(const std::string& directory, const std::string& environment, const std::string& arguments,
                 bool mergeStderr) {
  return RunShell("cd '" + directory + "' && env " + environment + " '" RELEVIX_CLI "' " + arguments, mergeStderr);
}

SignalledResult RunShellSignalled(const std::string& directory, const std::string& command, int signalNumber,
                                  int afterMilliseconds) {
  SignalledResult result;
  const std::string outputFile = directory + "/.saida-do-sinal";
  const std::string shellCommand = "exec " + command;
  const pid_t child = fork();
  if (child < 0) return result;
  if (child == 0) {
    const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int input = open("/dev/null", O_RDONLY);
    if (output < 0 || input < 0 || chdir(directory.c_str()) != 0) _exit(127);
    dup2(input, 0);
    dup2(output, 1);
    dup2(output, 2);
    // Signals the test program ignores would be ignored by the child too.
    signal(signalNumber, SIG_DFL);
    execl("/bin/sh", "sh", "-c", shellCommand.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(afterMilliseconds));
  const auto sent = std::chrono::steady_clock::now();
  kill(child, signalNumber);
  int raw = 0;
  waitpid(child, &raw, 0);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : WIFSIGNALED(raw) ? -WTERMSIG(raw) : -1;
  result.output = testing_support::ReadFile(outputFile);
  std::remove(outputFile.c_str());
  return result;
}
