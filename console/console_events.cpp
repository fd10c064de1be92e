#include "console/console_events.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "console/console_host.h"
#include "console/console_window.h"
#include "platform/stop_signals.h"

namespace {

struct EventQueue {
  std::mutex mutex;
  std::condition_variable arrived;
  std::deque<int> audioSlots;
  bool wakeUp = false;
};

// Never destroyed: the audio thread may still report a buffer while the
// process ends, after static objects have gone.
EventQueue& Events() {
  static EventQueue* queue = new EventQueue;
  return *queue;
}

void (*audioDoneHandler)(int) = nullptr;
void (*inputSource)() = nullptr;
std::atomic<void (*)()> eventWaker{nullptr};

void Post(int slot, bool wakeUp) {
  EventQueue& events = Events();
  {
    std::lock_guard lock(events.mutex);
    if (wakeUp) {
      events.wakeUp = true;
    } else {
      events.audioSlots.push_back(slot);
    }
  }
  events.arrived.notify_all();
  if (auto waker = eventWaker.load()) waker();
}

bool PostedEventPending() {
  EventQueue& events = Events();
  std::lock_guard lock(events.mutex);
  return events.wakeUp || !events.audioSlots.empty();
}

}  // namespace

void PostAudioDone(int slot) { Post(slot, false); }

void PostWakeUp() { Post(0, true); }

void SetAudioDoneHandler(void (*handler)(int slot)) { audioDoneHandler = handler; }

void SetEventWaker(void (*waker)()) { eventWaker.store(waker); }

void SetInputSource(void (*source)()) { inputSource = source; }

void PumpMessages() {
  if (const int signalNumber = StopSignalReceived(); signalNumber != 0) ConsoleStopSignalled(signalNumber);
  if (consoleWindow.host) consoleWindow.host->PumpEvents();
  if (inputSource != nullptr) inputSource();
  EventQueue& events = Events();
  for (;;) {
    int slot;
    {
      std::lock_guard lock(events.mutex);
      events.wakeUp = false;
      if (events.audioSlots.empty()) return;
      slot = events.audioSlots.front();
      events.audioSlots.pop_front();
    }
    if (audioDoneHandler != nullptr) audioDoneHandler(slot);
  }
}

void WaitForPostedEvents(int milliseconds) {
  EventQueue& events = Events();
  std::unique_lock lock(events.mutex);
  auto pending = [&events] { return events.wakeUp || !events.audioSlots.empty(); };
  if (milliseconds < 0) {
    events.arrived.wait(lock, pending);
  } else {
    events.arrived.wait_for(lock, std::chrono::milliseconds(milliseconds), pending);
  }
}

void WaitForMessages(int milliseconds) {
  if (!consoleWindow.host) {
    WaitForPostedEvents(milliseconds);
  } else if (!PostedEventPending()) {
    consoleWindow.host->WaitForEvents(milliseconds);
  }
  PumpMessages();
}
