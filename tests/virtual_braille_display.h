// A real BRLTTY with its virtual braille driver, and the test as the
// display: BRLTTY is started with no screen driver, quiet, its folders
// private, serving BrlAPI under a free number (BRLAPI_HOST=:N for the
// program); the test connects to the driver's socket as a 40-cell display,
// reads every frame it is sent (the text and the dots of each cell) and
// sends the display's keys and commands.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/test_support.h"

struct DisplayFrame {
  std::string text;                // what BRLTTY says it shows, UTF-8
  std::vector<std::string> cells;  // each cell's dots as digits ("1357", "" for none)
};

class VirtualBrailleDisplay {
 public:
  // How BrlAPI clients are let in ("auth=keyfile:FILE" asks for a key).
  explicit VirtualBrailleDisplay(const std::string& authParameter = "auth=none");
  ~VirtualBrailleDisplay();

  // True when BRLTTY serves BrlAPI and the display is connected.
  bool Start();
  // BRLTTY ended (as when it is restarted or the display unplugged).
  void Stop();
  // "BRLAPI_HOST=:N", for the program's environment.
  std::string Environment() const { return "BRLAPI_HOST=:" + std::to_string(number_); }

  // A line of the driver's protocol: "KEY_ENTER", "FWinRt", "Route 3".
  void Send(const std::string& command);
  // Waits for a frame after the one of index after that matches; its
  // index, or -1 after the timeout.
  int WaitForFrame(int after, const std::function<bool(const DisplayFrame&)>& matches, int seconds = 20);
  // A frame whose text holds the words.
  int WaitForText(const std::string& words, int after = -1, int seconds = 20);
  // A frame with these cells first.
  int WaitForCells(const std::vector<std::string>& cells, int after = -1, int seconds = 20);
  std::vector<DisplayFrame> Frames();
  int FrameCount();
  // Every frame's text and cells ("1|12|..."), for failure messages.
  std::string Describe();

 private:
  bool Connect();
  void Read();
  void Disconnect();

  testing_support::TempDir folder_;
  std::string auth_;
  int number_ = 0;
  pid_t brltty_ = -1;
  int socket_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<DisplayFrame> frames_;
};
