// The display's own thread: it owns the connection, writes what the main
// thread asked to show (every window, in order: a message followed at once
// by the next still reaches the display), turns the display's keys into key-queue keys
// handed to the main thread's event pump, and takes the display again after
// it was lost. The main thread never waits on BRLTTY, so speech goes on
// whatever the display does.
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "braille_display/braille_display.h"
#include "braille_display/display_view.h"
#include "console/console_events.h"
#include "console/key_codes.h"
#include "console/key_queue.h"
#include "platform/message_texts.h"
#include "platform/pipe_signal.h"
#include "platform/text_encoding.h"

namespace {

constexpr int kRetryMilliseconds = 1000;
// How long the end waits for a connection being made: a server far away (a
// BRLAPI_HOST on the network that does not answer) must not hold it up.
constexpr int kEndWaitMilliseconds = 1000;
// Windows waiting to be written; beyond this the oldest are dropped (a
// display slower than the program).
constexpr std::size_t kMostPendingWindows = 64;

struct PendingWindow {
  DisplayWindow window;
  bool dots = false;
};

struct DisplayService {
  std::mutex mutex;  // guards everything below but the thread and the link
  DisplayView view;
  std::vector<PendingWindow> pending;  // to write, oldest first
  bool taken = false;
  bool firstAttemptDone = false;
  bool stopping = false;
  bool ended = false;  // the thread has returned
  std::condition_variable attempted;  // the first attempt, or the end of the thread
  std::vector<DisplayKey> keys;  // for the main thread
  int routedPosition = 0;

  std::unique_ptr<DisplayLink> link;  // the display thread's alone once it runs
  int wakeDescriptor = -1;
  std::thread thread;
};

DisplayService* service = nullptr;

void Log(std::string_view key, std::string_view reason) {
  const std::string line = Utf8FromWindows1252(GetMessageWith(key, {std::string(reason)})) + "\n";
  std::fputs(line.c_str(), stderr);
}

void Wake() {
  const std::uint64_t one = 1;
  if (service != nullptr && service->wakeDescriptor >= 0) {
    [[maybe_unused]] const ssize_t written = write(service->wakeDescriptor, &one, sizeof one);
  }
}

// Main thread, from the event pump: the display's keys into the key queue.
void DeliverKeys() {
  std::vector<DisplayKey> keys;
  {
    std::lock_guard lock(service->mutex);
    keys.swap(service->keys);
  }
  for (const DisplayKey& key : keys) {
    if (key.kind == DisplayKey::Kind::Key) QueueKey(static_cast<unsigned char>(key.code));
    if (key.kind == DisplayKey::Kind::ExtendedKey) QueueExtendedKey(static_cast<unsigned char>(key.code));
  }
}

// With the mutex held: the view's window joins those to write.
void QueueWindow(DisplayService& s) {
  if (!s.taken) return;
  if (s.pending.size() == kMostPendingWindows) s.pending.erase(s.pending.begin());
  s.pending.push_back({s.view.Window(), s.view.Showing().isDots});
}

bool WritePending(DisplayService& s) {
  std::vector<PendingWindow> windows;
  {
    std::lock_guard lock(s.mutex);
    windows.swap(s.pending);
  }
  for (const PendingWindow& p : windows) {
    const bool written = WithoutPipeSignal([&] {
      return p.dots ? s.link->WriteDots(p.window.cells)
                    : s.link->WriteText(Utf8FromWindows1252(p.window.cells), p.window.cursor);
    });
    if (!written) return false;
  }
  return true;
}

// A key of the display: panning is the display's own business; routing
// remembers the position; every other key goes to the program.
void HandleKey(DisplayService& s, const DisplayKey& key) {
  std::lock_guard lock(s.mutex);
  switch (key.kind) {
    case DisplayKey::Kind::None: return;
    case DisplayKey::Kind::PanLeft:
      if (s.view.PanLeft()) QueueWindow(s);
      return;
    case DisplayKey::Kind::PanRight:
      if (s.view.PanRight()) QueueWindow(s);
      return;
    case DisplayKey::Kind::Route:
      s.routedPosition = s.view.PositionOfCell(key.code);
      s.keys.push_back({DisplayKey::Kind::ExtendedKey, kDisplayRoutingKey});
      break;
    default: s.keys.push_back(key); break;
  }
  PostWakeUp();
}

// False when the connection is gone.
bool ReadKeys(DisplayService& s) {
  for (;;) {
    unsigned long long code = 0;
    const int result = WithoutPipeSignal([&] { return s.link->ReadKey(code); });
    if (result < 0) return false;
    if (result == 0) return true;
    HandleKey(s, DisplayKeyOfCode(code));
  }
}

void Lose(DisplayService& s) {
  s.link->Close();
  std::lock_guard lock(s.mutex);
  s.taken = false;
}

bool Take(DisplayService& s, std::string& error) {
  if (!WithoutPipeSignal([&] { return s.link->Open(error); })) return false;
  std::lock_guard lock(s.mutex);
  s.view.SetWidth(s.link->Width());
  s.taken = true;
  s.pending.clear();
  QueueWindow(s);
  return true;
}

void DrainWake(int descriptor) {
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t got = read(descriptor, &count, sizeof count);
}

// The first attempt, on this thread; its failure is written once.
void FirstAttempt(DisplayService& s) {
  std::string error;
  if (!Take(s, error)) Log("BRLFALHA", error);
  std::lock_guard lock(s.mutex);
  s.firstAttemptDone = true;
  s.attempted.notify_all();
}

void Serve(DisplayService& s) {
  using Clock = std::chrono::steady_clock;
  Clock::time_point lastAttempt = Clock::now();
  for (;;) {
    bool taken;
    {
      std::lock_guard lock(s.mutex);
      if (s.stopping) return;
      taken = s.taken;
    }
    if (!taken) {
      // Looked for once a second; what is shown meanwhile waits in the view.
      pollfd wake{s.wakeDescriptor, POLLIN, 0};
      if (poll(&wake, 1, kRetryMilliseconds) > 0) DrainWake(s.wakeDescriptor);
      if (Clock::now() - lastAttempt < std::chrono::milliseconds(kRetryMilliseconds)) continue;
      lastAttempt = Clock::now();
      std::string error;
      if (Take(s, error)) Log("BRLVOLTA", "");
      continue;
    }
    if (!WritePending(s)) {
      Log("BRLPERDE", "");
      Lose(s);
      lastAttempt = Clock::now();
      continue;
    }
    pollfd events[2] = {{s.link->EventDescriptor(), POLLIN, 0}, {s.wakeDescriptor, POLLIN, 0}};
    if (poll(events, 2, -1) < 0) continue;
    if (events[1].revents != 0) DrainWake(s.wakeDescriptor);
    if (events[0].revents != 0 && !ReadKeys(s)) {
      Log("BRLPERDE", "");
      Lose(s);
      lastAttempt = Clock::now();
    }
  }
}

void Run(DisplayService& s) {
  FirstAttempt(s);
  Serve(s);
  std::lock_guard lock(s.mutex);
  s.ended = true;
  s.attempted.notify_all();
}

void Change(void (*change)(DisplayView&, std::string_view, int), std::string_view text, int cursor) {
  if (service == nullptr) return;
  {
    std::lock_guard lock(service->mutex);
    change(service->view, text, cursor);
    QueueWindow(*service);
  }
  Wake();
}

}  // namespace

bool StartBrailleDisplay(std::unique_ptr<DisplayLink> (*makeLink)(), int waitMilliseconds) {
  if (service != nullptr) return BrailleDisplayTaken();
  service = new DisplayService;
  service->link = makeLink();
  service->wakeDescriptor = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  SetInputSource(DeliverKeys);
  service->thread = std::thread([s = service] { Run(*s); });
  std::atexit(StopBrailleDisplay);
  std::unique_lock lock(service->mutex);
  service->attempted.wait_for(lock, std::chrono::milliseconds(waitMilliseconds),
                              [] { return service->firstAttemptDone; });
  return service->taken;
}

bool BrailleDisplayTaken() {
  if (service == nullptr) return false;
  std::lock_guard lock(service->mutex);
  return service->taken;
}

void StopBrailleDisplay() {
  if (service == nullptr) return;
  SetInputSource(nullptr);
  {
    std::unique_lock lock(service->mutex);
    service->stopping = true;
    Wake();
    // A connection still being made to a server that does not answer is
    // left to the end of the process.
    if (!service->attempted.wait_for(lock, std::chrono::milliseconds(kEndWaitMilliseconds),
                                     [] { return service->ended; })) {
      service->thread.detach();
      service = nullptr;
      return;
    }
  }
  service->thread.join();
  service->link->Close();
  close(service->wakeDescriptor);
  delete service;
  service = nullptr;
}

void ShowOnBrailleDisplay(std::string_view text, int cursor) {
  Change([](DisplayView& view, std::string_view t, int c) { view.Show({.text = std::string(t), .cursor = c}); }, text,
         cursor);
}

void ShowSoundOnBrailleDisplay(std::string_view text) {
  Change([](DisplayView& view, std::string_view t, int) { view.ShowSound(t); }, text, -1);
}

void ShowDotsOnBrailleDisplay(std::string_view cells) {
  Change([](DisplayView& view, std::string_view t, int) { view.Show({.text = std::string(t), .isDots = true}); },
         cells, -1);
}

int BrailleDisplayRoutedPosition() {
  if (service == nullptr) return 0;
  std::lock_guard lock(service->mutex);
  return service->routedPosition;
}
