#include "tests/support/test_support.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "console/console.h"
#include "platform/wav_format.h"

namespace testing_support {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/relevix-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  const char* old = std::getenv(name);
  hadOld_ = old != nullptr;
  if (hadOld_) old_ = old;
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

ScopedEnv::~ScopedEnv() {
  if (hadOld_) {
    setenv(name_.c_str(), old_.c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

ScopedCwd::ScopedCwd(const std::string& directory) : old_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(directory);
}

ScopedCwd::~ScopedCwd() {
  std::error_code ignored;
  std::filesystem::current_path(old_, ignored);
}

ConsoleCapture::ConsoleCapture() : file_(std::tmpfile()) { SetConsoleStream(file_); }

ConsoleCapture::~ConsoleCapture() {
  SetConsoleStream(nullptr);
  if (file_ != nullptr) std::fclose(file_);
}

std::string ConsoleCapture::Text() {
  std::fflush(file_);
  std::string text;
  std::rewind(file_);
  char block[4096];
  std::size_t count;
  while ((count = std::fread(block, 1, sizeof block, file_)) > 0) text.append(block, count);
  std::fseek(file_, 0, SEEK_END);
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string WavSamples(std::string_view image) {
  WavFormat format;
  std::string_view samples;
  return FindWavImageSamples(image, format, samples) ? std::string(samples) : std::string();
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool PathExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

int StartProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (const std::string& assignment : environment) putenv(const_cast<char*>(assignment.c_str()));
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  if (std::freopen("/dev/null", "w", stdout) == nullptr || std::freopen("/dev/null", "w", stderr) == nullptr) _exit(126);
  execvp(argv[0], argv.data());
  _exit(127);
}

int WaitForProcess(int pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  do {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return -1;
}

// Xvfb takes a display number no other server holds and writes it on the
// descriptor -displayfd names once it accepts clients: tests run side by
// side never share a display, and none is used before it is ready.
VirtualDisplay::VirtualDisplay() {
  int report[2];
  if (pipe(report) != 0) return;
  server_ = StartProcess({"Xvfb", "-displayfd", std::to_string(report[1]), "-screen", "0", "1024x768x24"}, {});
  close(report[1]);
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  pollfd ready{report[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    if (poll(&ready, 1, 100) <= 0) continue;
    char block[16];
    const ssize_t got = read(report[0], block, sizeof block);
    if (got <= 0) break;
    number.append(block, static_cast<std::size_t>(got));
  }
  close(report[0]);
  running_ = server_ > 0 && number.find('\n') != std::string::npos;
  if (running_) number_ = std::atoi(number.c_str());
  if (!running_) Stop();
}

VirtualDisplay::~VirtualDisplay() { Stop(); }

void VirtualDisplay::Stop() {
  if (server_ <= 0) return;
  kill(server_, SIGTERM);
  waitpid(server_, nullptr, 0);
  server_ = -1;
}

}  // namespace testing_support
