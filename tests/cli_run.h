// Runs relevix-cli as a user would, from the shell, and collects what it
// printed and its exit status.
#pragma once

#include <string>

struct CliResult {
  std::string output;  // standard output, then standard error when merged
  int status = -1;
};

// Runs a shell command with no standard input and collects what it wrote on
// standard output (and standard error too when mergeStderr) and its status.
CliResult RunShell(const std::string& command, bool mergeStderr = true);

// Runs `relevix-cli <arguments>` in directory with extra environment
// assignments ("NAME=value ..."); standard error is merged into the output
// when mergeStderr is set. Arguments are passed to the shell as written.
CliResult RunCli(const std::string& directory, const std::string& environment, const std::string& arguments,
                 bool mergeStderr = true);

// Runs `exec COMMAND` through the shell in directory, so that the program the
// command starts keeps the shell's process, sends it the signal after the
// given milliseconds, and collects its output (standard error merged). The
// status is the exit status, or minus the signal's number when the signal
// killed the process; seconds is the time from the signal to the end.
struct SignalledResult {
  std::string output;
  int status = -1;
  double seconds = 0;
};
SignalledResult RunShellSignalled(const std::string& directory, const std::string& command, int signalNumber,
                                  int afterMilliseconds);
