// The print spooler back end against a real CUPS scheduler: the test starts
// its own cupsd on a private socket in a temporary directory, with a raw
// queue whose backend copies each job into a file, and compares the bytes.
#include <cups/cups.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "devices/brdevice.h"
#include "tests/support/test_support.h"

extern char** environ;

namespace {

using testing_support::ReadFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr const char* kQueue = "relevixtest";
constexpr const char* kDocumentName = "documento.txt";

std::string FindProgram(const char* name) {
  for (const char* directory : {"/usr/sbin", "/usr/local/sbin", "/sbin", "/usr/bin"}) {
    const std::string path = std::string(directory) + "/" + name;
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

std::vector<char*> ArgumentVector(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  return argv;
}

// Runs a program to its end; true when it exits with status 0.
bool RunProgram(const std::vector<std::string>& arguments) {
  std::vector<char*> argv = ArgumentVector(arguments);
  pid_t child = 0;
  if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Whether the child ended within the time; reaps it when it did.
bool ExitsWithin(pid_t child, std::chrono::milliseconds time) {
  const auto deadline = std::chrono::steady_clock::now() + time;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) != child) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

bool SocketAccepts(const std::string& path) {
  const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  const bool accepted = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(probe);
  return accepted;
}

// A private CUPS scheduler: its configuration, spool, logs and socket all
// live in a temporary directory; the system's own CUPS is never touched.
class PrivateCupsServer {
 public:
  PrivateCupsServer() = default;
  PrivateCupsServer(const PrivateCupsServer&) = delete;
  PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;
  ~PrivateCupsServer() { Stop(); }

  std::string SocketPath() const { return dir_.File("cups.sock"); }
  std::string OutputFile() const { return dir_.File("saida-impressora"); }
  std::string ErrorLog() const { return ReadFile(dir_.File("log/error_log")); }

  // Starts cupsd; "" on success, else why it cannot run here.
  std::string Start() {
    if (geteuid() != 0) return "cupsd needs root";
    const std::string cupsd = FindProgram("cupsd");
    if (cupsd.empty()) return "cupsd is not installed";
    const std::string error = WriteConfiguration();
    if (!error.empty()) return error;

    const std::string output = dir_.File("cupsd.out");
    std::vector<std::string> arguments{cupsd, "-f", "-c", dir_.File("cupsd.conf"), "-s", dir_.File("cups-files.conf")};
    std::vector<char*> argv = ArgumentVector(arguments);
    pid_ = fork();
    if (pid_ < 0) return "fork failed";
    if (pid_ == 0) {
      // The scheduler ends with the test program, even when that crashes.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      const int log = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (log >= 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
      }
      execv(argv[0], argv.data());
      _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!SocketAccepts(SocketPath())) {
      if (ExitsWithin(pid_, std::chrono::milliseconds(20))) {
        pid_ = -1;
        return "cupsd ended at start: " + ReadFile(output) + ErrorLog();
      }
      if (std::chrono::steady_clock::now() > deadline) return "cupsd opened no socket within 5 s";
    }
    return {};
  }

  // Adds the raw queue, enabled, and makes it the default destination.
  bool AddDefaultQueue() const {
    const std::string lpadmin = FindProgram("lpadmin");
    return !lpadmin.empty() &&
           RunProgram({lpadmin, "-h", SocketPath(), "-p", kQueue, "-E", "-v", "relevixout:" + OutputFile()}) &&
           RunProgram({lpadmin, "-h", SocketPath(), "-d", kQueue});
  }

  // Ends the scheduler, as a stopped print service does.
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    if (!ExitsWithin(pid_, std::chrono::seconds(3))) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }

 private:
  std::string WriteConfiguration() const {
    for (const char* sub : {"root", "spool", "spool/tmp", "cache", "state", "log", "bin", "bin/backend", "bin/daemon"}) {
      if (mkdir(dir_.File(sub).c_str(), 0755) != 0) return std::string("cannot create ") + sub;
    }
    WriteFile(dir_.File("cupsd.conf"), "Listen " + SocketPath() +
                                           "\nBrowsing No\nBrowseLocalProtocols none\nWebInterface No\n"
                                           "DefaultAuthType None\nLogLevel info\n");
    std::string files;
    for (const auto& [directive, sub] : {std::pair{"ServerRoot", "root"}, {"ServerBin", "bin"}, {"RequestRoot", "spool"},
                                         {"TempDir", "spool/tmp"}, {"CacheDir", "cache"}, {"StateDir", "state"},
                                         {"ErrorLog", "log/error_log"}, {"AccessLog", "log/access_log"},
                                         {"PageLog", "log/page_log"}, {"Printcap", "printcap"}}) {
      files += std::string(directive) + " " + dir_.File(sub) + "\n";
    }
    WriteFile(dir_.File("cups-files.conf"), files);
    // A raw queue needs no filter, only a backend; this one copies the job
    // (its file argument, else standard input) to the path of its device
    // URI. Mode 0700 and owner root: cupsd runs it as root.
    const std::string backend = dir_.File("bin/backend/relevixout");
    WriteFile(backend,
              "#!/bin/sh\n"
              "[ $# -eq 0 ] && { echo 'direct relevixout \"Unknown\" \"Relevix test output\"'; exit 0; }\n"
              "if [ $# -ge 6 ]; then cat \"$6\"; else cat; fi > \"${DEVICE_URI#relevixout:}\"\n");
    if (chmod(backend.c_str(), 0700) != 0) return "cannot make the backend executable";
    // cupsd starts every backend through its helper cups-exec.
    const std::string helper = "/usr/lib/cups/daemon/cups-exec";
    if (access(helper.c_str(), X_OK) != 0) return "cups-exec is not installed";
    if (symlink(helper.c_str(), dir_.File("bin/daemon/cups-exec").c_str()) != 0) return "cannot link cups-exec";
    return {};
  }

  TempDir dir_;
  pid_t pid_ = -1;
};

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
  ASSERT_TRUE(server.AddDefaultQueue()) << server.ErrorLog();

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
  ASSERT_TRUE(server.AddDefaultQueue()) << server.ErrorLog();
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
