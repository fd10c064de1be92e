// Small helpers shared by the tests: temporary directories, environment and
// working-directory changes undone at scope end, whole-file reads and
// writes, and a capture of what the program writes on its console.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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
bool PathExists(const std::string& path);
// The samples of a WAV image's data chunk, found by the program's WAV reader
// (platform/wav_format.h); empty when the image is no WAV.
std::string WavSamples(std::string_view image);

// Starts a program (found on PATH) with extra environment assignments, its
// output thrown away; the child's pid.
int StartProcess(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);
// Waits for the child's exit status; -1 when it has not ended in time
// (128 when it ended by a signal).
int WaitForProcess(int pid, std::chrono::milliseconds limit);

// An X server of its own (Xvfb) for the scope; Running() is false when it
// could not be started here.
class VirtualDisplay {
 public:
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
  bool Running() const { return running_; }
  // "DISPLAY=:N"
  std::string Assignment() const { return "DISPLAY=:" + std::to_string(number_); }
  // Ends the server now (the display goes away under its clients).
  void Stop();

 private:
  int number_ = 0;
  int server_ = -1;
  bool running_ = false;
};
void WriteFile(const std::string& path, std::string_view bytes);

}  // namespace testing_support
