#include "tests/cli_run.h"

#include <sys/wait.h>

#include <cstdio>

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
