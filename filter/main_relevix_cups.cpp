// relevix-cups: the filter of a Braille embosser queue. The print server
// runs it as "relevix-cups job-id user title copies options [file]" and
// sends what it writes on standard output to the embosser.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "filter/filter_job.h"
#include "platform/message_texts.h"
#include "platform/text_encoding.h"

namespace {

volatile int cancelled = 0;

// The server cancels a job with SIGTERM: the job stops between lines.
void Cancel(int) { cancelled = 1; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6 || argc > 7) {
    const std::string usage = "ERROR: " + Utf8FromWindows1252(GetMessage("FILUSO")) + "\n";
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return 1;
  }
  struct sigaction action {};
  action.sa_handler = Cancel;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);

  FilterJob job;
  job.title = argv[3];
  job.copies = std::atoi(argv[4]);
  job.options = argv[5];
  if (argc == 7) job.document = argv[6];
  if (const char* ppd = std::getenv("PPD")) job.ppd = ppd;
  return RunFilterJob(job, STDOUT_FILENO, cancelled);
}
