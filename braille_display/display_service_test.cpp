// The display's thread against a display of the test's own: what is shown
// reaches it, its keys reach the key queue, and a connection that is lost is
// taken again, showing what was showing.
#include <brlapi.h>
#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "braille_display/braille_display.h"
#include "console/console_events.h"
#include "console/key_codes.h"
#include "console/key_queue.h"

namespace {

using namespace std::chrono_literals;

// The test's display: ten cells, keys pressed by the test, a connection the
// test can break.
struct TestDisplay {
  std::mutex mutex;
  std::condition_variable written;
  std::vector<std::string> frames;  // "text@cursor" or "dots:..."
  std::deque<unsigned long long> keys;
  bool lost = false;
  int opens = 0;
  int events = eventfd(0, EFD_NONBLOCK);

  ~TestDisplay() { close(events); }

  void Press(unsigned long long code) {
    {
      std::lock_guard lock(mutex);
      keys.push_back(code);
    }
    Signal();
  }
  void Signal() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = write(events, &one, sizeof one);
  }
  // Waits until the frame is the last one written; false after 5 s.
  bool WaitForFrame(const std::string& frame) {
    std::unique_lock lock(mutex);
    return written.wait_for(lock, 5s, [&] { return !frames.empty() && frames.back() == frame; });
  }
};

TestDisplay* testDisplay = nullptr;

class TestLink : public DisplayLink {
 public:
  bool Open(std::string&) override {
    std::lock_guard lock(testDisplay->mutex);
    ++testDisplay->opens;
    return !testDisplay->lost;
  }
  int Width() const override { return 10; }
  int EventDescriptor() const override { return testDisplay->events; }
  bool WriteText(const std::string& utf8, int cursor) override { return Write(utf8 + "@" + std::to_string(cursor)); }
  bool WriteDots(const std::string& cells) override {
    std::string dots = "dots:";
    for (const char cell : cells) dots += std::to_string(static_cast<unsigned char>(cell)) + " ";
    return Write(dots);
  }
  int ReadKey(unsigned long long& code) override {
    std::uint64_t count;
    [[maybe_unused]] const ssize_t ignored = read(testDisplay->events, &count, sizeof count);
    std::lock_guard lock(testDisplay->mutex);
    if (testDisplay->lost) return -1;
    if (testDisplay->keys.empty()) return 0;
    code = testDisplay->keys.front();
    testDisplay->keys.pop_front();
    return 1;
  }
  void Close() override {}

 private:
  static bool Write(const std::string& frame) {
    std::lock_guard lock(testDisplay->mutex);
    testDisplay->frames.push_back(frame);
    testDisplay->written.notify_all();
    return !testDisplay->lost;
  }
};

std::unique_ptr<DisplayLink> MakeTestLink() { return std::make_unique<TestLink>(); }

// Pumps events until the key queue holds count bytes (or 5 s have passed).
bool QueuedKeys(int count) {
  for (auto until = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < until;) {
    PumpMessages();
    if (keyQueue.count >= count) return true;
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

TEST(DisplayService, ShowsTakesKeysAndTakesTheDisplayAgainAfterItWasLost) {
  TestDisplay display;
  testDisplay = &display;
  ClearKeyQueue();
  ASSERT_TRUE(StartBrailleDisplay(MakeTestLink));
  ShowOnBrailleDisplay("Ol\xE1 mundo, tudo bem?", 3);
  EXPECT_TRUE(display.WaitForFrame("Ol\xC3\xA1 mundo,@3")) << "as UTF-8, the first window";
  display.Press(BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINRT);
  EXPECT_TRUE(display.WaitForFrame(" tudo bem?@-1")) << "panned";

  // Routing and Enter reach the program as keys; the routed cell is a
  // position in the text.
  display.Press(BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_ROUTE | 2);
  display.Press(BRLAPI_KEY_TYPE_SYM | BRLAPI_KEY_SYM_LINEFEED);
  ASSERT_TRUE(QueuedKeys(3));
  EXPECT_EQ(TakeKey(), kExtendedKey);
  EXPECT_EQ(TakeKey(), kDisplayRoutingKey);
  EXPECT_EQ(TakeKey(), kEnterKey);
  EXPECT_EQ(BrailleDisplayRoutedPosition(), 12);

  ShowDotsOnBrailleDisplay(std::string("\x01\x03", 2));
  EXPECT_TRUE(display.WaitForFrame("dots:1 3 0 0 0 0 0 0 0 0 "));
  EXPECT_TRUE(BrailleDisplayTaken());

  // Lost: nothing can be shown; back: what was showing is shown again.
  {
    std::lock_guard lock(display.mutex);
    display.lost = true;
  }
  display.Signal();
  for (int i = 0; i < 200 && BrailleDisplayTaken(); ++i) std::this_thread::sleep_for(5ms);
  EXPECT_FALSE(BrailleDisplayTaken());
  ShowOnBrailleDisplay("de volta", -1);
  {
    std::lock_guard lock(display.mutex);
    display.lost = false;
  }
  EXPECT_TRUE(display.WaitForFrame("de volta  @-1"));
  EXPECT_TRUE(BrailleDisplayTaken());
  EXPECT_GE(display.opens, 2);
  StopBrailleDisplay();
  EXPECT_FALSE(BrailleDisplayTaken());
  testDisplay = nullptr;
}

}  // namespace
