#include "platform/stop_signals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<int> gWakes{0};
void CountWake() { ++gWakes; }

bool WokenWithin(int count, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (gWakes.load() < count) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

TEST(StopSignals, EachIsRecordedTheFirstKeptAndTheWaitWoken) {
  InstallStopSignals();
  InstallStopSignals();  // a second call changes nothing
  SetStopSignalWaker(CountWake);
  gWakes = 0;
  ResetStopSignal();
  EXPECT_EQ(StopSignalReceived(), 0);
  // The process lives on: the handler only notes the signal.
  raise(SIGTERM);
  EXPECT_EQ(StopSignalReceived(), SIGTERM);
  EXPECT_TRUE(WokenWithin(1, std::chrono::seconds(2)));
  raise(SIGINT);
  EXPECT_EQ(StopSignalReceived(), SIGTERM) << "the first signal decides";
  EXPECT_TRUE(WokenWithin(2, std::chrono::seconds(2)));
  ResetStopSignal();
  raise(SIGHUP);
  EXPECT_EQ(StopSignalReceived(), SIGHUP);
  EXPECT_TRUE(WokenWithin(3, std::chrono::seconds(2)));
  SetStopSignalWaker(nullptr);
  ResetStopSignal();
  // As shells report them: Ctrl+C 130, SIGTERM 143, SIGHUP 129.
  EXPECT_EQ(StopSignalExitStatus(SIGINT), 130);
  EXPECT_EQ(StopSignalExitStatus(SIGTERM), 143);
  EXPECT_EQ(StopSignalExitStatus(SIGHUP), 129);
}

}  // namespace
