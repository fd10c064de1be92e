#include "platform/stop_signals.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written by the handler, read anywhere: lock-free by construction.
volatile std::sig_atomic_t gReceived = 0;
std::atomic<void (*)()> gWaker{nullptr};
int gPipe[2] = {-1, -1};
bool gInstalled = false;

// Async-signal-safe: a store and a write, nothing that locks or allocates.
extern "C" void OnStopSignal(int signalNumber) {
  if (gReceived == 0) gReceived = signalNumber;
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(gPipe[1], &byte, 1);
  errno = savedErrno;
}

void WatchPipe() {
  char byte;
  for (;;) {
    const ssize_t count = read(gPipe[0], &byte, 1);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    if (auto waker = gWaker.load()) waker();
  }
}

}  // namespace

void InstallStopSignals() {
  if (gInstalled) return;
  gInstalled = true;
  // SDL would otherwise turn these signals into a quit event of its own.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (pipe2(gPipe, O_CLOEXEC) != 0) return;
  // A full pipe must not block the handler: a byte waiting wakes anyway.
  fcntl(gPipe[1], F_SETFL, fcntl(gPipe[1], F_GETFL) | O_NONBLOCK);
  std::thread(WatchPipe).detach();
  struct sigaction action{};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking read of the terminal returns and looks.
  action.sa_flags = 0;
  for (const int signalNumber : kStopSignals) sigaction(signalNumber, &action, nullptr);
}

int StopSignalReceived() { return gReceived; }

void SetStopSignalWaker(void (*waker)()) { gWaker.store(waker); }

int StopSignalExitStatus(int signalNumber) { return 128 + signalNumber; }

void ResetStopSignal() { gReceived = 0; }
