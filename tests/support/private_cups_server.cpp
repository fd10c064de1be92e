#include "tests/support/private_cups_server.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

extern char** environ;

namespace testing_support {

namespace {

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

// A TCP port of 127.0.0.1 that nothing listens on now; 0 when none is found.
int FreePort() {
  const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  close(probe);
  return port;
}

// The full path of a program in the system's sbin or bin folders; "" when
// it is not installed.
std::string FindSystemProgram(const char* name) {
  for (const char* directory : {"/usr/sbin", "/usr/local/sbin", "/sbin", "/usr/bin"}) {
    const std::string path = std::string(directory) + "/" + name;
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

}  // namespace

std::string PrivateCupsServer::AddRelevixFilter(const std::string& program, const std::string& dataFolder) {
  std::error_code error;
  std::filesystem::create_directories(dir_.File("bin/filter"), error);
  const std::string copy = dir_.File("bin/filter/" + std::filesystem::path(program).filename().string());
  std::filesystem::copy_file(program, copy, std::filesystem::copy_options::overwrite_existing, error);
  chmod(copy.c_str(), 0755);
  const std::string data = dir_.File("dados");
  std::filesystem::create_directory(data, error);
  for (const char* file : {"SONARA.INI", "ambcode.cfg", "ambcode2.cfg"}) {
    std::filesystem::copy_file(dataFolder + "/" + file, data + "/" + file,
                               std::filesystem::copy_options::overwrite_existing, error);
    chmod((data + "/" + file).c_str(), 0644);
  }
  chmod(data.c_str(), 0755);
  filterData_ = data;
  return data;
}

std::string PrivateCupsServer::Start(bool tcp) {
  if (geteuid() != 0) return "cupsd needs root";
  const std::string cupsd = FindSystemProgram("cupsd");
  if (cupsd.empty()) return "cupsd is not installed";
  if (tcp && (port_ = FreePort()) == 0) return "no free TCP port";
  const std::string error = WriteConfiguration(tcp);
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

bool PrivateCupsServer::AddDefaultQueue(const std::string& queue) const {
  const std::string lpadmin = FindSystemProgram("lpadmin");
  return !lpadmin.empty() &&
         RunProgram({lpadmin, "-h", SocketPath(), "-p", queue, "-E", "-v", "relevixout:" + OutputFile()}) &&
         RunProgram({lpadmin, "-h", SocketPath(), "-d", queue});
}

void PrivateCupsServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  if (!ExitsWithin(pid_, std::chrono::seconds(3))) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
}

std::string PrivateCupsServer::WriteConfiguration(bool tcp) {
  for (const char* sub : {"root", "spool", "spool/tmp", "cache", "state", "log", "bin", "bin/backend", "bin/daemon",
                          "bin/filter"}) {
    std::error_code error;
    std::filesystem::create_directories(dir_.File(sub), error);
    if (error) return std::string("cannot create ") + sub;
  }
  // Filters run as lp, who must reach their folder.
  chmod(dir_.path().c_str(), 0755);
  std::string configuration = "Listen " + SocketPath() + "\n";
  if (tcp) configuration += "Listen " + TcpAddress() + "\n<Location />\nOrder allow,deny\nAllow all\n</Location>\n";
  configuration += "Browsing No\nBrowseLocalProtocols none\nWebInterface No\nDefaultAuthType None\nLogLevel info\n";
  WriteFile(dir_.File("cupsd.conf"), configuration);
  std::string files;
  for (const auto& [directive, sub] : {std::pair{"ServerRoot", "root"}, {"ServerBin", "bin"}, {"RequestRoot", "spool"},
                                       {"TempDir", "spool/tmp"}, {"CacheDir", "cache"}, {"StateDir", "state"},
                                       {"ErrorLog", "log/error_log"}, {"AccessLog", "log/access_log"},
                                       {"PageLog", "log/page_log"}, {"Printcap", "printcap"}}) {
    files += std::string(directive) + " " + dir_.File(sub) + "\n";
  }
  if (!filterData_.empty()) files += "SetEnv RELEVIX_DATA_DIR " + filterData_ + "\n";
  WriteFile(dir_.File("cups-files.conf"), files);
  // A raw queue needs no filter, only a backend; this one appends the job
  // (its file argument, else standard input) to the path of its device
  // URI, so jobs one after another stay in their order. Mode 0700 and
  // owner root: cupsd runs it as root.
  const std::string backend = dir_.File("bin/backend/relevixout");
  WriteFile(backend,
            "#!/bin/sh\n"
            "[ $# -eq 0 ] && { echo 'direct relevixout \"Unknown\" \"Relevix test output\"'; exit 0; }\n"
            "if [ $# -ge 6 ]; then cat \"$6\"; else cat; fi >> \"${DEVICE_URI#relevixout:}\"\n");
  if (chmod(backend.c_str(), 0700) != 0) return "cannot make the backend executable";
  // cupsd starts every backend and filter through its helper cups-exec.
  const std::string helper = "/usr/lib/cups/daemon/cups-exec";
  if (access(helper.c_str(), X_OK) != 0) return "cups-exec is not installed";
  if (symlink(helper.c_str(), dir_.File("bin/daemon/cups-exec").c_str()) != 0) return "cannot link cups-exec";
  return {};
}

}  // namespace testing_support
