#include "tests/support/test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "console/console.h"

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

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_support
