// The embosser queue under load, on a private print server (as root, like
// the tests): twenty jobs of the bundled sample submitted at once with lp
// over IPP (all must complete, none mixed: the device receives the sample's
// Braille twenty times over), and a book of about 300 Braille pages through
// the queue beside relevix-cli print of the same file.
//
//   relevix_bench_cups_queue
#include <cups/cups.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli_run.h"
#include "tests/support/private_cups_server.h"
#include "tests/support/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;
using testing_support::PrivateCupsServer;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Whether every job of the queue has completed, waiting a minute at most.
bool AllCompleted(int jobs) {
  const auto deadline = Clock::now() + std::chrono::seconds(60);
  while (Clock::now() < deadline) {
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, "braille", 0, CUPS_WHICHJOBS_ALL);
    int completed = 0, ended = 0;
    for (int i = 0; i < count; ++i) {
      completed += list[i].state == IPP_JSTATE_COMPLETED;
      ended += list[i].state >= IPP_JSTATE_STOPPED;
    }
    cupsFreeJobs(count, list);
    if (ended == jobs) return completed == jobs;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

// A letter of several hundred Braille pages: the same paragraph over and over.
std::string Book(int paragraphs) {
  std::string text = "<TRelat\xC3\xB3rio anual>\n";
  for (int i = 1; i <= paragraphs; ++i) {
    text += "Par\xC3\xA1grafo " + std::to_string(i) +
            ": a associa\xC3\xA7\xC3\xA3o reuniu-se em mar\xC3\xA7o, abril e maio para tratar das contas, das "
            "obras da sede e do transporte dos alunos; as decis\xC3\xB5" "es foram aprovadas por todos.\n\n";
  }
  return text;
}

}  // namespace

int main() {
  PrivateCupsServer server;
  const std::string data = server.AddRelevixFilter(RELEVIX_FILTER, std::string(RELEVIX_BINARY_DIR) + "/data");
  if (const std::string error = server.Start(true); !error.empty()) {
    std::fprintf(stderr, "no private print server: %s\n", error.c_str());
    return 1;
  }
  setenv("CUPS_SERVER", server.SocketPath().c_str(), 1);
  TempDir work;
  const std::string settings = data + "/SONARA.INI";
  if (RunCli(work.path(), "", "queue --settings '" + settings + "' --name braille --device 'relevixout:" +
                                  server.OutputFile() + "'").status != 0) {
    std::fprintf(stderr, "the queue was not made\n");
    return 1;
  }

  // Twenty jobs of the sample at once.
  const std::string sample = std::string(RELEVIX_SOURCE_DIR) + "/data/exemplos/carta.txt";
  const std::string submit = "lp -h " + server.TcpAddress() + " -d braille '" + sample + "' >/dev/null";
  auto start = Clock::now();
  std::vector<std::thread> submitters;
  for (int i = 0; i < 20; ++i) submitters.emplace_back([&submit] { RunShell(submit); });
  for (std::thread& submitter : submitters) submitter.join();
  const bool allDone = AllCompleted(20);
  const double drained = Seconds(start);
  // The sample's picture is looked for beside the text, which a job through
  // the server does not have: the sample is printed alone from here.
  const std::string alone = work.File("carta.txt");
  std::filesystem::copy_file(sample, alone);
  RunCli(work.path(), "", "print --settings '" + settings + "' --device '" + work.File("carta.bin") + "' '" + alone + "'");
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += ReadFile(work.File("carta.bin"));
  const bool whole = ReadFile(server.OutputFile()) == twenty;
  std::printf("20 jobs of the sample at once: %s, %s, queue drained in %.2f s\n",
              allDone ? "all completed" : "NOT all completed", whole ? "none mixed" : "MIXED OR INCOMPLETE", drained);

  // About 300 Braille pages through the queue and through relevix-cli print.
  const std::string book = work.File("livro.txt");
  WriteFile(book, Book(1300));
  std::filesystem::remove(server.OutputFile());
  start = Clock::now();
  RunCli(work.path(), "", "print --settings '" + settings + "' --device '" + work.File("livro.bin") + "' '" + book + "'");
  const double direct = Seconds(start);
  start = Clock::now();
  RunShell("lp -h " + server.TcpAddress() + " -d braille '" + book + "' >/dev/null");
  const bool bookDone = AllCompleted(21);
  const double queued = Seconds(start);
  const std::string printed = ReadFile(work.File("livro.bin"));
  std::size_t pages = 0;
  for (char c : printed) pages += c == '\f';
  std::printf("a book of %zu Braille pages: relevix-cli print %.2f s, through the queue %.2f s (%s), the server adds %.2f s\n",
              pages, direct, queued, bookDone && ReadFile(server.OutputFile()) == printed ? "same bytes" : "DIFFERENT",
              queued - direct);
  return allDone && whole && bookDone ? 0 : 1;
}
