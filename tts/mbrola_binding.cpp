#include "tts/mbrola_binding.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/paths.h"
#include "platform/pipe_signal.h"

extern char** environ;

MbrolaBinding gMbrola;

namespace {

// Errors lastError_MBR reports.
constexpr int kNoError = 0;
constexpr int kErrorNoVoice = 1;
constexpr int kErrorNoProgram = 2;
constexpr int kErrorWrite = 3;
constexpr int kErrorChildGone = 4;
constexpr int kErrorNotStarted = 5;

// After a flush, how long read_MBR waits for the first samples (the child
// may still be loading its voice) and for more samples once some came.
constexpr int kFirstSampleWaitMs = 3000;
constexpr int kNextSampleWaitMs = 150;

struct Child {
  std::string database;  // the voice the child was started on, to start it again
  pid_t pid = -1;
  int input = -1;   // the child's standard input
  int output = -1;  // the child's standard output
  std::vector<char> pending;  // bytes read; those from handedOut on are not yet handed out
  std::size_t handedOut = 0;
  bool flushPending = false;  // a flush whose samples may still be coming
  bool gotSinceFlush = false;
  int error = kNoError;
  int noError = 0;
  int frequency = 16000;
  float volume = 1.0f;
};

Child gChild;

const char* ProgramName() {
  const char* name = std::getenv("RELEVIX_MBROLA");
  return name != nullptr && *name != '\0' ? name : "mbrola";
}

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

void EndChild() {
  CloseFd(gChild.input);
  CloseFd(gChild.output);
  if (gChild.pid > 0) {
    kill(gChild.pid, SIGTERM);
    while (waitpid(gChild.pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  gChild.pid = -1;
  gChild.pending.clear();
  gChild.handedOut = 0;
  gChild.flushPending = false;
}

std::size_t PendingBytes() { return gChild.pending.size() - gChild.handedOut; }

// Moves what the child has written into pending. Waits up to timeoutMs for
// the first bytes; false when the child's output has ended.
bool Drain(int timeoutMs) {
  if (gChild.output < 0) return false;
  pollfd fd{gChild.output, POLLIN, 0};
  if (poll(&fd, 1, timeoutMs) <= 0) return true;
  char block[16384];
  for (;;) {
    const ssize_t got = read(gChild.output, block, sizeof block);
    if (got > 0) {
      // Bytes handed out are dropped once they are most of the buffer, so
      // that neither the buffer nor the time spent moving it grows with the
      // length of the speech.
      if (gChild.handedOut > 0 && gChild.handedOut >= gChild.pending.size() / 2) {
        gChild.pending.erase(gChild.pending.begin(), gChild.pending.begin() + static_cast<long>(gChild.handedOut));
        gChild.handedOut = 0;
      }
      gChild.pending.insert(gChild.pending.end(), block, block + got);
      gChild.gotSinceFlush = true;
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno == EAGAIN) return true;
    CloseFd(gChild.output);  // end of output: the child is gone
    gChild.error = kErrorChildGone;
    return false;
  }
}

// Writes all of text to the child without dying of SIGPIPE, emptying its
// output meanwhile so that neither side waits for the other.
bool WriteAll(const std::string& text) {
  if (gChild.input < 0) {
    gChild.error = gChild.pid > 0 ? kErrorWrite : kErrorNotStarted;
    return false;
  }
  const bool ok = WithoutPipeSignal([&] {
    size_t done = 0;
    while (done < text.size()) {
      const ssize_t put = write(gChild.input, text.data() + done, text.size() - done);
      if (put > 0) {
        done += static_cast<size_t>(put);
      } else if (put < 0 && errno == EAGAIN) {
        pollfd fds[2] = {{gChild.input, POLLOUT, 0}, {gChild.output, POLLIN, 0}};
        poll(fds, gChild.output >= 0 ? 2 : 1, 1000);
        if (!Drain(0) && gChild.output < 0 && (fds[0].revents & POLLOUT) == 0) return false;
      } else if (!(put < 0 && errno == EINTR)) {
        return false;
      }
    }
    return true;
  });
  if (!ok) {
    CloseFd(gChild.input);
    gChild.error = kErrorWrite;
  }
  return ok;
}

// Starts the synthesizer on the voice; with the no-error flag set it is
// told (-e) to recover a diphone the voice lacks instead of stopping.
bool StartChild() {
  const std::string program = ProgramName();
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return false;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args = {program};
  if (gChild.noError != 0) args.push_back("-e");
  args.insert(args.end(), {gChild.database, "-", "-"});
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (failed != 0) {
    close(in[1]);
    close(out[0]);
    return false;
  }
  gChild.pid = pid;
  gChild.input = in[1];
  gChild.output = out[0];
  fcntl(gChild.input, F_SETFL, fcntl(gChild.input, F_GETFL) | O_NONBLOCK);
  fcntl(gChild.output, F_SETFL, fcntl(gChild.output, F_GETFL) | O_NONBLOCK);
  return true;
}

bool ChildRunning() {
  if (gChild.pid > 0 && waitpid(gChild.pid, nullptr, WNOHANG) == gChild.pid) gChild.pid = -1;
  return gChild.pid > 0 && gChild.input >= 0 && gChild.output >= 0;
}

// A synthesizer that has ended (a fatal error, a signal) is started again on
// the same voice, so that one bad utterance does not silence the rest. The
// error of the utterance it ended in stays until the next reset.
void RestartIfEnded() {
  if (gChild.database.empty() || ChildRunning()) return;
  const int error = gChild.error;
  EndChild();
  if (!StartChild()) {
    gChild.error = kErrorNoProgram;
    return;
  }
  gChild.error = error != kNoError ? error : kErrorChildGone;
}

int InitMbr(const char* database) {
  EndChild();
  gChild.database.clear();
  gChild.error = kNoError;
  struct stat info {};
  if (database == nullptr || stat(database, &info) != 0 || !S_ISREG(info.st_mode)) {
    gChild.error = kErrorNoVoice;
    return -1;
  }
  if (!ProgramOnPath(ProgramName())) {
    gChild.error = kErrorNoProgram;
    return -1;
  }
  gChild.database = database;
  if (!StartChild()) {
    gChild.database.clear();
    gChild.error = kErrorNoProgram;
    return -1;
  }
  return 0;
}

int InitRenameMbr(const char* database, const char*, const char*) { return InitMbr(database); }

int WriteMbr(const char* line) {
  std::string text = line != nullptr ? line : "";
  std::string cleaned;
  for (char c : text) {
    if (c != '\r') cleaned += c;
  }
  if (cleaned.empty() || cleaned.back() != '\n') cleaned += '\n';
  RestartIfEnded();
  return WriteAll(cleaned) ? 1 : -1;
}

int FlushMbr() {
  if (!WriteAll("#\n")) return -1;
  gChild.flushPending = true;
  gChild.gotSinceFlush = false;
  return 1;
}

int ReadMbr(short* samples, int wanted) {
  if (samples == nullptr || wanted <= 0) return 0;
  const size_t wantedBytes = static_cast<size_t>(wanted) * 2;
  if (PendingBytes() < wantedBytes) {
    int wait = 0;
    if (gChild.flushPending && PendingBytes() < 2) {
      wait = gChild.gotSinceFlush ? kNextSampleWaitMs : kFirstSampleWaitMs;
    }
    Drain(wait);
    if (PendingBytes() < 2) gChild.flushPending = false;  // the flushed speech has ended
  }
  const size_t bytes = std::min(wantedBytes, PendingBytes() & ~size_t{1});
  if (bytes == 0) return 0;  // an empty buffer has no data to copy from
  std::memcpy(samples, gChild.pending.data() + gChild.handedOut, bytes);
  gChild.handedOut += bytes;
  return static_cast<int>(bytes / 2);
}

int ReadTypeMbr(char* buffer, int wanted, int) { return ReadMbr(reinterpret_cast<short*>(buffer), wanted); }

void CloseMbr() { EndChild(); }

// Drops samples not yet read and any error; a synthesizer that has ended is
// started again.
int ResetMbr() {
  RestartIfEnded();
  if (gChild.error == kErrorNoProgram) return -1;
  Drain(0);
  gChild.pending.clear();
  gChild.handedOut = 0;
  gChild.flushPending = false;
  gChild.error = kNoError;
  return 0;
}

int LastErrorMbr() {
  if (gChild.error == kNoError && gChild.pid > 0 && waitpid(gChild.pid, nullptr, WNOHANG) == gChild.pid) {
    gChild.pid = -1;
    gChild.error = kErrorChildGone;
  }
  return gChild.error;
}

int LastErrorStrMbr(char* buffer, int length) {
  static const char* const texts[] = {"", "voice database not found", "mbrola program not found",
                                      "write to the synthesizer failed", "the synthesizer ended",
                                      "the synthesizer was not started"};
  if (buffer == nullptr || length <= 0) return 0;
  std::snprintf(buffer, static_cast<size_t>(length), "%s", texts[LastErrorMbr()]);
  return static_cast<int>(std::strlen(buffer));
}

// A running synthesizer is started again for a changed flag: the flag is
// one of its options.
void SetNoErrorMbr(int value) {
  if (value == gChild.noError) return;
  gChild.noError = value;
  if (gChild.pid > 0) {
    EndChild();
    if (!StartChild()) gChild.error = kErrorNoProgram;
  }
}
int GetNoErrorMbr() { return gChild.noError; }
void SetFreqMbr(int value) { gChild.frequency = value; }
int GetFreqMbr() { return gChild.frequency; }
void SetVolumeRatioMbr(float value) { gChild.volume = value; }
float GetVolumeRatioMbr() { return gChild.volume; }
int GetVersionMbr(char* buffer, int length) {
  if (buffer == nullptr || length <= 0) return 0;
  std::snprintf(buffer, static_cast<size_t>(length), "%s", "mbrola (pipe)");
  return static_cast<int>(std::strlen(buffer));
}
int GetDatabaseInfoMbr(char* buffer, int length, int) {
  if (buffer != nullptr && length > 0) buffer[0] = '\0';
  return 0;
}
void SetParserMbr(void*) {}
void* InitPhone(const char*, float) { return nullptr; }
void PhoneNoop(void*) {}
void AppendF0Phone(void*, float, float) {}

}  // namespace

bool LoadMbrola() {
  if (gMbrola.loaded) return true;
  if (!ProgramOnPath(ProgramName())) return false;
  gMbrola = MbrolaBinding{true,          InitMbr,           InitRenameMbr,     WriteMbr,        FlushMbr,
                          ReadMbr,       ReadTypeMbr,       CloseMbr,          ResetMbr,        LastErrorMbr,
                          LastErrorStrMbr, SetNoErrorMbr,   GetNoErrorMbr,     SetFreqMbr,      GetFreqMbr,
                          SetVolumeRatioMbr, GetVolumeRatioMbr, GetVersionMbr, GetDatabaseInfoMbr, SetParserMbr,
                          InitPhone,     PhoneNoop,         PhoneNoop,         AppendF0Phone};
  return true;
}

void UnloadMbrola() {
  EndChild();
  gChild = Child{};
  gMbrola = MbrolaBinding{};
}
