#include "console/console_events.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

// Pending events; slot -1 stands for a wake-up.
struct EventQueue {
  std::mutex mutex;
  std::condition_variable arrived;
  std::deque<int> audioSlots;
  bool wakeUp = false;
};

EventQueue& Events() {
  static EventQueue queue;
  return queue;
}

void (*audioDoneHandler)(int) = nullptr;

}  // namespace

void PostAudioDone(int slot) {
  EventQueue& events = Events();
  {
    std::lock_guard lock(events.mutex);
    events.audioSlots.push_back(slot);
  }
  events.arrived.notify_all();
}

void PostWakeUp() {
  EventQueue& events = Events();
  {
    std::lock_guard lock(events.mutex);
    events.wakeUp = true;
  }
  events.arrived.notify_all();
}

void SetAudioDoneHandler(void (*handler)(int slot)) { audioDoneHandler = handler; }

void PumpMessages() {
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

void WaitForMessages(int milliseconds) {
  EventQueue& events = Events();
  {
    std::unique_lock lock(events.mutex);
    auto pending = [&events] { return events.wakeUp || !events.audioSlots.empty(); };
    if (milliseconds < 0) {
      events.arrived.wait(lock, pending);
    } else {
      events.arrived.wait_for(lock, std::chrono::milliseconds(milliseconds), pending);
    }
  }
  PumpMessages();
}
