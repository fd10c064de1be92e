#include "tests/virtual_braille_display.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <algorithm>

namespace {

namespace fs = std::filesystem;

// BrlAPI's sockets live in this fixed folder: N and its lock .N.
const fs::path kApiFolder = "/var/lib/BrlAPI";
constexpr int kCells = 40;

bool ApiNumberFree(int number) {
  return !fs::exists(kApiFolder / std::to_string(number)) && !fs::exists(kApiFolder / ("." + std::to_string(number)));
}

// The quoted operand of a line sent to the display, unescaped.
std::string Quoted(const std::string& line) {
  std::string text;
  const std::size_t open = line.find('"');
  for (std::size_t i = open + 1; open != std::string::npos && i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      ++i;
      if ((line[i] == 'X' || line[i] == 'x') && i + 2 < line.size()) {
        text += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
        i += 2;
        continue;
      }
    }
    text += line[i];
  }
  return text;
}

std::vector<std::string> Cells(const std::string& dots) {
  std::vector<std::string> cells(1);
  for (const char c : dots) {
    if (c == '|') {
      cells.emplace_back();
    } else if (c != ' ') {
      cells.back() += c;
    }
  }
  return cells;
}

}  // namespace

VirtualBrailleDisplay::VirtualBrailleDisplay(const std::string& authParameter) : auth_(authParameter) {
  number_ = 50 + static_cast<int>(getpid() % 400);
  while (!ApiNumberFree(number_)) ++number_;
}

VirtualBrailleDisplay::~VirtualBrailleDisplay() { Stop(); }

bool VirtualBrailleDisplay::Start() {
  const std::string driverSocket = folder_.File("vr.sock");
  fs::remove(driverSocket);
  brltty_ = fork();
  if (brltty_ == 0) {
    // A test that dies takes its BRLTTY with it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const std::string log = folder_.File("brltty.log");
    std::freopen(log.c_str(), "a", stderr);
    std::freopen("/dev/null", "w", stdout);
    const std::string device = "server:" + driverSocket;
    const std::string api = auth_ + ",host=:" + std::to_string(number_);
    const std::string prefs = folder_.File("brltty.prefs");
    const std::string pid = folder_.File("brltty.pid");
    execlp("brltty", "brltty", "-n", "-e", "-q", "-b", "vr", "-d", device.c_str(), "-x", "no", "-s", "no", "-A",
           api.c_str(), "-W", folder_.path().c_str(), "-U", folder_.path().c_str(), "-F", prefs.c_str(), "-P",
           pid.c_str(), "-f", "/dev/null", "-l", "warning", static_cast<char*>(nullptr));
    _exit(127);
  }
  const int framesBefore = FrameCount();
  if (brltty_ < 0 || !Connect()) return false;
  // The driver is ready when it shows its first frame; BrlAPI then serves
  // the display's size.
  if (WaitForFrame(framesBefore - 1, [](const DisplayFrame&) { return true; }, 10) < 0) return false;
  for (int waited = 0; waited < 10000; waited += 20) {
    if (fs::exists(kApiFolder / std::to_string(number_))) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

bool VirtualBrailleDisplay::Connect() {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = folder_.File("vr.sock");
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  for (int waited = 0; waited < 10000; waited += 20) {
    socket_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      reader_ = std::thread([this] { Read(); });
      Send("cells " + std::to_string(kCells));
      return true;
    }
    close(socket_);
    socket_ = -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

void VirtualBrailleDisplay::Read() {
  std::string pending, text;
  char buffer[4096];
  for (;;) {
    const ssize_t got = recv(socket_, buffer, sizeof buffer, 0);
    if (got <= 0) return;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      std::string line = pending.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.starts_with("Visual ")) {
        text = Quoted(line);
      } else if (line.starts_with("Braille ")) {
        std::lock_guard lock(mutex_);
        frames_.push_back({text, Cells(Quoted(line))});
        arrived_.notify_all();
      }
    }
  }
}

void VirtualBrailleDisplay::Disconnect() {
  if (socket_ >= 0) shutdown(socket_, SHUT_RDWR);
  if (reader_.joinable()) reader_.join();
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
}

void VirtualBrailleDisplay::Stop() {
  Disconnect();
  if (brltty_ > 0) {
    // BRLTTY may take seconds over SIGTERM; a test does not wait for it.
    kill(brltty_, SIGTERM);
    if (testing_support::WaitForProcess(brltty_, std::chrono::milliseconds(500)) < 0) {
      kill(brltty_, SIGKILL);
      testing_support::WaitForProcess(brltty_, std::chrono::milliseconds(3000));
    }
    brltty_ = -1;
  }
  // A BRLTTY that was killed leaves its socket and lock behind.
  std::error_code ignored;
  fs::remove(kApiFolder / std::to_string(number_), ignored);
  fs::remove(kApiFolder / ("." + std::to_string(number_)), ignored);
}

void VirtualBrailleDisplay::Send(const std::string& command) {
  const std::string line = command + "\n";
  [[maybe_unused]] const ssize_t sent = send(socket_, line.data(), line.size(), MSG_NOSIGNAL);
}

int VirtualBrailleDisplay::WaitForFrame(int after, const std::function<bool(const DisplayFrame&)>& matches,
                                        int seconds) {
  std::unique_lock lock(mutex_);
  int found = -1;
  arrived_.wait_for(lock, std::chrono::seconds(seconds), [&] {
    for (int i = after + 1; i < static_cast<int>(frames_.size()); ++i) {
      if (matches(frames_[static_cast<std::size_t>(i)])) {
        found = i;
        return true;
      }
    }
    return false;
  });
  return found;
}

int VirtualBrailleDisplay::WaitForText(const std::string& words, int after, int seconds) {
  return WaitForFrame(after, [&](const DisplayFrame& frame) { return frame.text.find(words) != std::string::npos; },
                      seconds);
}

int VirtualBrailleDisplay::WaitForCells(const std::vector<std::string>& cells, int after, int seconds) {
  return WaitForFrame(
      after,
      [&](const DisplayFrame& frame) {
        return frame.cells.size() >= cells.size() && std::equal(cells.begin(), cells.end(), frame.cells.begin());
      },
      seconds);
}

std::vector<DisplayFrame> VirtualBrailleDisplay::Frames() {
  std::lock_guard lock(mutex_);
  return frames_;
}

int VirtualBrailleDisplay::FrameCount() {
  std::lock_guard lock(mutex_);
  return static_cast<int>(frames_.size());
}

std::string VirtualBrailleDisplay::Describe() {
  std::string all;
  for (const DisplayFrame& frame : Frames()) {
    std::string dots;
    for (const std::string& cell : frame.cells) dots += (dots.empty() ? "" : "|") + cell;
    all += "[" + frame.text + "] " + dots + "\n";
  }
  return all;
}
