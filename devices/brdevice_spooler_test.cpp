// The print spooler back end against a real CUPS scheduler: the test starts
// its own cupsd on a private socket in a temporary directory, with a raw
// queue whose backend copies each job into a file, and compares the bytes.
#include <cups/cups.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "devices/brdevice.h"
#include "tests/support/private_cups_server.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::PrivateCupsServer;
using testing_support::ReadFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr const char* kQueue = "relevixtest";
constexpr const char* kDocumentName = "documento.txt";

struct JobOutcome {
  ipp_jstate_t state;
  std::string format;
};

// The job of that name on the private queue once it has ended (completed,
// stopped, cancelled or aborted), waiting ten seconds at most.
std::optional<JobOutcome> EndedJob(const std::string& title) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, kQueue, 0, CUPS_WHICHJOBS_ALL);
    std::optional<JobOutcome> outcome;
    for (int i = 0; i < count; ++i) {
      if (jobs[i].title != nullptr && title == jobs[i].title && jobs[i].state >= IPP_JSTATE_STOPPED)
        outcome = JobOutcome{jobs[i].state, jobs[i].format != nullptr ? jobs[i].format : ""};
    }
    cupsFreeJobs(count, jobs);
    if (outcome) return outcome;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

// The client library reads no configuration of the system or the user:
// client.conf and lpoptions would come from an empty private directory, and
// no destination is chosen through the environment. UseServer points the
// library at a socket; its cached server name is dropped on both ends.
class SpoolerDeviceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    DeviceClose();
    cupsSetServer(nullptr);
  }

  void UseServer(const std::string& socketPath) {
    server_.emplace("CUPS_SERVER", socketPath.c_str());
    cupsSetServer(nullptr);
  }

  TempDir clientDir_;
  ScopedEnv serverRoot_{"CUPS_SERVERROOT", clientDir_.path().c_str()};
  ScopedEnv home_{"HOME", clientDir_.path().c_str()};
  ScopedEnv printer_{"PRINTER", nullptr};
  ScopedEnv lpdest_{"LPDEST", nullptr};
  std::optional<ScopedEnv> server_;
};

TEST_F(SpoolerDeviceTest, UnreachableSpoolerFailsTheOpen) {
  UseServer(clientDir_.File("nenhum.sock"));
  EXPECT_FALSE(DeviceOpen("PRN", kDocumentName));
  EXPECT_FALSE(DeviceWrite("x"));
}

TEST_F(SpoolerDeviceTest, RawJobReachesTheDefaultPrinterUnaltered) {
  PrivateCupsServer server;
  const std::string startError = server.Start();
  if (!startError.empty()) GTEST_SKIP() << "no private CUPS scheduler: " << startError;
  UseServer(server.SocketPath());

  EXPECT_FALSE(DeviceOpen("PRN", kDocumentName)) << "a server without a default destination";
  ASSERT_TRUE(server.AddDefaultQueue(kQueue)) << server.ErrorLog();

  std::string longLine(150, '\x9f');
  longLine += "\r\n";
  const std::string texts[] = {"\f\f", "", "linha um\r\n", std::string("\x1b" "G\0\x02\x80", 5), "\f",
                               longLine, "meio\fda linha\r\n", "\f"};
  std::string expected;
  ASSERT_TRUE(DeviceOpen("prn", kDocumentName)) << server.ErrorLog();
  for (const std::string& text : texts) {
    EXPECT_TRUE(DeviceWrite(text));
    expected += text;
  }
  DeviceClose();

  const std::optional<JobOutcome> job = EndedJob(kDocumentName);
  ASSERT_TRUE(job.has_value()) << server.ErrorLog();
  EXPECT_EQ(job->state, IPP_JSTATE_COMPLETED) << server.ErrorLog();
  EXPECT_EQ(job->format, CUPS_FORMAT_RAW);
  EXPECT_EQ(ReadFile(server.OutputFile()), expected);
}

TEST_F(SpoolerDeviceTest, ASchedulerThatStopsInTheMiddleOfAJobIsReportedNotWaitedFor) {
  PrivateCupsServer server;
  const std::string startError = server.Start();
  if (!startError.empty()) GTEST_SKIP() << "no private CUPS scheduler: " << startError;
  UseServer(server.SocketPath());
  ASSERT_TRUE(server.AddDefaultQueue(kQueue)) << server.ErrorLog();
  ASSERT_TRUE(DeviceOpen("PRN", kDocumentName)) << server.ErrorLog();
  ASSERT_TRUE(DeviceWrite("linha um\r\n"));

  server.Stop();
  // The job's connection is gone: within a few writes one is refused, the
  // reason names the print server, and the end comes at once.
  const auto start = std::chrono::steady_clock::now();
  bool refused = false;
  const std::string block(4096, 'x');
  for (int i = 0; i < 64 && !refused; ++i) refused = !DeviceWrite(block);
  EXPECT_TRUE(refused);
  EXPECT_EQ(DeviceProblem(), "PRN: o servidor de impress\xE3o CUPS n\xE3o responde");
  DeviceClose();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
