#include "platform/pipe_signal.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool PipeSignalBlocked() {
  sigset_t mask;
  pthread_sigmask(SIG_BLOCK, nullptr, &mask);
  return sigismember(&mask, SIGPIPE) == 1;
}

bool PipeSignalPending() {
  sigset_t pending;
  sigpending(&pending);
  return sigismember(&pending, SIGPIPE) == 1;
}

TEST(PipeSignalTest, AWriteToAPipeWithoutReaderFailsInsteadOfEndingTheProgram) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  close(ends[0]);
  ASSERT_FALSE(PipeSignalBlocked());
  int error = 0;
  const ssize_t written = WithoutPipeSignal([&] {
    const ssize_t result = write(ends[1], "x", 1);
    error = errno;
    return result;
  });
  close(ends[1]);
  EXPECT_EQ(written, -1);
  EXPECT_EQ(error, EPIPE);
  // The signal the write raised is gone and the mask is as it was.
  EXPECT_FALSE(PipeSignalPending());
  EXPECT_FALSE(PipeSignalBlocked());
  EXPECT_EQ(WithoutPipeSignal([] { return 7; }), 7);
}

}  // namespace
