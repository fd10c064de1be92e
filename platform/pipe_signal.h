// Writing to a pipe or socket whose reader has gone (a child program or a
// service that died) raises SIGPIPE, which would end the program. Calls that
// may do so run with the signal held on this thread: the write fails with
// EPIPE instead, and a SIGPIPE it raised is taken away before the signal
// mask is restored.
#pragma once

#include <pthread.h>
#include <signal.h>

#include <ctime>

template <typename Call>
auto WithoutPipeSignal(Call call) {
  sigset_t pipeSignal, previous;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
  auto result = call();
  sigset_t pending;
  sigpending(&pending);
  if (sigismember(&pending, SIGPIPE) == 1 && sigismember(&previous, SIGPIPE) == 0) {
    const timespec now{0, 0};
    sigtimedwait(&pipeSignal, nullptr, &now);
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return result;
}
