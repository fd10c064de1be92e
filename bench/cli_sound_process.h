// relevix-cli run as a user runs it, with its sound on SDL's disk audio
// driver writing into a FIFO that the benchmark reads: when the first
// non-silent sample comes out of the process, and how long a signal takes to
// end it. The disk driver plays in real time but writes through a 4096-byte
// stdio block, so a sample leaves the process up to one block after it
// reached the driver; `atDriver` takes that wait off, from where the sample
// lies in the block and the sound's byte rate.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

struct CliSoundFormat {
  int bitsPerSample;   // 8 (unsigned, silence 128) or 16 (signed, silence 0)
  int bytesPerSecond;
};

class CliSoundProcess {
 public:
  using Clock = std::chrono::steady_clock;

  CliSoundProcess(const std::vector<std::string>& arguments, CliSoundFormat format) : format_(format) {
    fifo_ = (std::filesystem::temp_directory_path() / ("relevix-bench-" + std::to_string(getpid()))).string();
    unlink(fifo_.c_str());
    if (mkfifo(fifo_.c_str(), 0600) != 0) return;
    // Read and write: the open does not wait for the writer, and a process
    // that dies first leaves a poll that times out instead of a hang.
    fd_ = open(fifo_.c_str(), O_RDWR | O_CLOEXEC);
    start_ = Clock::now();
    pid_ = fork();
    if (pid_ == 0) {
      setenv("SDL_AUDIODRIVER", "disk", 1);
      setenv("SDL_DISKAUDIOFILE", fifo_.c_str(), 1);
      setenv("RELEVIX_AUDIO", "sdl", 1);
      const int quiet = open("/dev/null", O_RDWR);
      dup2(quiet, 0);
      dup2(quiet, 1);
      dup2(quiet, 2);
      std::vector<char*> argv{const_cast<char*>(RELEVIX_CLI)};
      for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      execv(RELEVIX_CLI, argv.data());
      _exit(127);
    }
  }

  ~CliSoundProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) close(fd_);
    unlink(fifo_.c_str());
  }

  CliSoundProcess(const CliSoundProcess&) = delete;
  CliSoundProcess& operator=(const CliSoundProcess&) = delete;

  // Reads the sound until its first non-silent sample; false when none came
  // within the limit.
  bool WaitForSound(int limitMilliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(limitMilliseconds);
    std::vector<unsigned char> block(65536);
    while (fd_ >= 0 && pid_ > 0) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      pollfd ready{fd_, POLLIN, 0};
      if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) <= 0) return false;
      const ssize_t count = read(fd_, block.data(), block.size());
      if (count <= 0) return false;
      const auto arrived = Clock::now();
      const long at = FirstSoundIn(block.data(), static_cast<std::size_t>(count), total_ % 2);
      total_ += count;
      if (at >= 0) {
        firstSound = Seconds(arrived - start_);
        atDriver = firstSound - static_cast<double>(count - at) / format_.bytesPerSecond;
        return true;
      }
    }
    return false;
  }

  // Keeps reading the sound (so the writer never blocks) until the process
  // ends after the signal; the seconds from the signal to its end, -1 when
  // it still runs after the limit. The exit status goes into status.
  double SignalToEnd(int signalNumber, int limitMilliseconds, int& status) {
    const auto sent = Clock::now();
    kill(pid_, signalNumber);
    std::vector<unsigned char> block(65536);
    while (Clock::now() - sent < std::chrono::milliseconds(limitMilliseconds)) {
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        pid_ = -1;
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw);
        return Seconds(Clock::now() - sent);
      }
      pollfd ready{fd_, POLLIN, 0};
      if (poll(&ready, 1, 1) > 0) (void)!read(fd_, block.data(), block.size());
    }
    return -1;
  }

  double firstSound = -1;
  double atDriver = -1;

 private:
  static double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

  // The offset of the first sample clearly above silence, or -1.
  long FirstSoundIn(const unsigned char* bytes, std::size_t count, long skip) const {
    if (format_.bitsPerSample == 8) {
      for (std::size_t i = 0; i < count; ++i) {
        if (std::abs(bytes[i] - 128) > 2) return static_cast<long>(i);
      }
      return -1;
    }
    for (std::size_t i = static_cast<std::size_t>(skip); i + 1 < count; i += 2) {
      const int sample = static_cast<short>(bytes[i] | (bytes[i + 1] << 8));
      if (std::abs(sample) > 512) return static_cast<long>(i);
    }
    return -1;
  }

  CliSoundFormat format_;
  std::string fifo_;
  int fd_ = -1;
  pid_t pid_ = -1;
  long total_ = 0;  // bytes read so far: 16-bit samples start on even ones
  Clock::time_point start_;
};
