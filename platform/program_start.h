// Starting another program, as the shell's "open" action did: fork and exec
// with an argument vector, never through a shell, so every argument reaches
// the program as one word, whatever signs it holds.
#pragma once

#include <string>
#include <vector>

// Starts arguments[0] (looked for on PATH when it has no '/') with the
// arguments, in the working directory (empty: the current one), and does
// not wait for it. Everything is UTF-8. False when the program could not be
// started.
bool StartProgram(const std::vector<std::string>& arguments, const std::string& workingDirectory);

// Runs arguments[0] (looked for on PATH when it has no '/') with the
// arguments and waits for it: its exit status, 128 + the signal that ended
// it, or -1 when it could not be started.
int RunProgramToEnd(const std::vector<std::string>& arguments);
