// Runs a converter program (pandoc, antiword) as a child process, without a
// shell, and collects what it writes.
#pragma once

#include <string>
#include <vector>

// Whether a program of that name is found on PATH.
bool ProgramInstalled(const std::string& name);

struct ProgramRun {
  bool started = false;
  int exitStatus = -1;  // -1 when it did not end normally (a signal)
  std::string output;   // its standard output
  std::string errors;   // its standard error
};

// Runs arguments[0] with the arguments and waits for it to end.
ProgramRun RunProgram(const std::vector<std::string>& arguments);
