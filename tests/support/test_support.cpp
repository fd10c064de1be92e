#include "tests/support/test_support.h"

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

VirtualDisplay::VirtualDisplay() : number_(70 + getpid() % 200) {
  const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number_);
  server_ = StartProcess({"Xvfb", ":" + std::to_string(number_), "-screen", "0", "1024x768x24"}, {});
  for (int i = 0; i < 100 && !PathExists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  running_ = PathExists(socket);
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
