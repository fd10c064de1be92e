// Runs a converter program (pandoc, antiword) as a child process, without a
// shell, and collects what it writes.
#pragma once

#include <chrono>
#include <string>
#include <vector>

struct ProgramRun {
  bool started = false;
  int exitStatus = -1;  // -1 when it did not end normally (a signal)
  std::string output;   // its standard output
  std::string errors;   // its standard error
  bool timedOut = false;  // it ran past the time limit and was ended
};

// How long a converter may take: a book of a few thousand pages converts in
// well under a minute; a converter stuck on a damaged file must not hold a
// user who cannot see that anything is wrong.
inline constexpr std::chrono::seconds kConverterTimeLimit{120};

// Runs arguments[0] with the arguments and waits for it to end, or ends it
// (SIGKILL) once it has run for longer than limit.
ProgramRun RunProgram(const std::vector<std::string>& arguments,
                      std::chrono::milliseconds limit = kConverterTimeLimit);
