// The person a print job reports to, or nobody: the talking program answers
// by voice, relevix-cli on the terminal, a filter without anyone. The job
// never writes, speaks or reads a key itself.
#pragma once

#include <string_view>

class JobUser {
 public:
  virtual ~JobUser() = default;
  // A message of the catalogue (its key), with what it is about when detail
  // is not empty (a file, a device).
  virtual void Notice(std::string_view messageKey, std::string_view detail = {}) = 0;
  // The output did not take a line (problem says why): true to go on
  // without it, false to cancel the job.
  virtual bool ContinueAfterWriteError(std::string_view problem) = 0;
  // The pacing pause after an embossed line.
  virtual void Pause(int milliseconds) = 0;
  // Asked after every embossed line: false when the user gives the job up.
  virtual bool KeepPrinting() = 0;
};

// Nobody there: notices go unheard, a write error gives the job up (no one
// can decide to go on without the line), and lines are not paced.
class NobodyJobUser : public JobUser {
 public:
  void Notice(std::string_view, std::string_view) override {}
  bool ContinueAfterWriteError(std::string_view) override { return false; }
  void Pause(int) override {}
  bool KeepPrinting() override { return true; }
};
