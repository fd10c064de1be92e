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
