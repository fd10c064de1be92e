// A print job's user for tests: nobody answers, everything is noted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "braille/job_user.h"

namespace job_user_testing {

// A user who is not there: every notice is noted ("KEY" or "KEY: detail"),
// every pause counted, and a write error answered as told.
class RecordingUser : public JobUser {
 public:
  void Notice(std::string_view key, std::string_view detail) override {
    notices.push_back(detail.empty() ? std::string(key) : std::string(key) + ": " + std::string(detail));
  }
  bool ContinueAfterWriteError(std::string_view problem) override {
    writeErrors.emplace_back(problem);
    return continueAfterWriteError;
  }
  void Pause(int milliseconds) override { pauses.push_back(milliseconds); }
  // Gives the job up after linesBeforeCancel embossed lines, when set.
  bool KeepPrinting() override { return ++linesAsked != linesBeforeCancel; }

  std::vector<std::string> notices;
  std::vector<std::string> writeErrors;
  std::vector<int> pauses;
  bool continueAfterWriteError = true;
  int linesAsked = 0;
  int linesBeforeCancel = -1;
};

}  // namespace job_user_testing
