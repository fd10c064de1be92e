// Small helpers shared by the tests: temporary directories, environment and
// working-directory changes undone at scope end, whole-file reads and
// writes, and a capture of what the program writes on its console.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace testing_support {

// A fresh directory under $TMPDIR, removed with its contents at scope end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

// Sets (or, with a null value, unsets) an environment variable for the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::string old_;
  bool hadOld_;
};

// Changes the working directory for the scope.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::string& directory);
  ~ScopedCwd();
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

 private:
  std::string old_;
};

// Sends the console's stream host to a temporary file for the scope; Text()
// gives what was written so far (UTF-8, as the stream host writes it).
class ConsoleCapture {
 public:
  ConsoleCapture();
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;
  std::string Text();

 private:
  std::FILE* file_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view bytes);

}  // namespace testing_support
