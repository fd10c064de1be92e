// One job of a Braille embosser queue, as the print server hands it to its
// filter: the job's arguments, the queue's PPD, and what comes out. The
// document is laid out whole into memory before a byte is written, so a job
// that fails is never half embossed, and the server hears of a failure
// through the exit status and an ERROR: line.
#pragma once

#include <string>

// The filter's arguments: job-id user title copies options [file].
struct FilterJob {
  std::string title;
  int copies = 1;
  std::string options;   // "name=value name=value", as the server writes them
  std::string document;  // the file to read; empty: standard input
  std::string ppd;       // the queue's PPD (its defaults); empty: none
};

// Runs the job: the installed settings, then the PPD's defaults, then the
// job's options; the embosser's bytes on outputFd, messages on standard
// error as the print server reads them (ERROR:, INFO:, PAGE:). 0 when the
// whole job was written, 1 otherwise. cancelled is watched between lines.
int RunFilterJob(const FilterJob& job, int outputFd, const volatile int& cancelled);
