#include "devices/brcom.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "console/key_queue.h"
#include "devices/brdevice.h"
#include "devices/device_test_settings.h"
#include "platform/beep.h"
#include "platform/serial_port.h"

namespace {

// What the fake modem lines and the counting beep see; plain data because
// both are plain function pointers.
struct SerialFakes {
  std::vector<ModemLines> lineStates;  // one per reading; the last repeats
  std::size_t readings = 0;
  int beeps = 0;
  int master = -1;
  bool dataBeforeReady = false;  // bytes reached the master during the wait
};

SerialFakes fakes;

bool MasterHasData() {
  pollfd waiting{fakes.master, POLLIN, 0};
  return poll(&waiting, 1, 0) == 1;
}

bool FakeModemLines(int, ModemLines& lines) {
  if (MasterHasData()) fakes.dataBeforeReady = true;
  lines = fakes.lineStates[std::min(fakes.readings, fakes.lineStates.size() - 1)];
  ++fakes.readings;
  return true;
}

bool UnreadableModemLines(int, ModemLines&) {
  ++fakes.readings;
  return false;
}

void CountBeep() { ++fakes.beeps; }

// A pseudo-terminal stands for the serial port: COM1 is pointed at its
// slave side, and what the writer sends arrives at the master side.
class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fakes = SerialFakes{};
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    slave_ = ptsname(master_);
    fakes.master = master_;
    settings_.emplace("COM1=" + slave_ + "\nCOM2=/dev/nao-existe-relevix\n");
    SetWarningBeepSound(CountBeep);
  }

  void TearDown() override {
    DeviceClose();
    ResetSerialWriter();
    SetModemLineReader(nullptr);
    SetWarningBeepSound(nullptr);
    if (master_ >= 0) close(master_);
  }

  // Reads from the master until count bytes came (two seconds at most),
  // then whatever else arrives within a tenth of a second, so that a byte
  // too many shows as well.
  std::string ReadFromMaster(std::size_t count) const {
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd waiting{master_, POLLIN, 0};
      if (poll(&waiting, 1, received.size() < count ? 50 : 100) != 1) {
        if (received.size() < count) continue;
        break;
      }
      char block[512];
      const ssize_t got = read(master_, block, sizeof block);
      if (got <= 0) break;
      received.append(block, static_cast<std::size_t>(got));
    }
    return received;
  }

  int master_ = -1;
  std::string slave_;
  std::optional<RelevixSettingsForTest> settings_;
};

TEST_F(SerialPortTest, OpeningSetsNineThousandSixHundredEightNOneAndKeepsTheRest) {
  // The port as another program left it: 2400 baud, 2 stop bits, hardware
  // and XON/XOFF flow control, its own start character and read timeouts.
  const int other = open(slave_.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  termios before{};
  ASSERT_EQ(tcgetattr(other, &before), 0);
  cfsetispeed(&before, B2400);
  cfsetospeed(&before, B2400);
  before.c_cflag |= CSTOPB | CRTSCTS | CLOCAL;
  before.c_iflag |= IXON | IXOFF;
  before.c_cc[VSTART] = 0x01;
  before.c_cc[VSTOP] = 0x02;
  before.c_cc[VMIN] = 5;
  before.c_cc[VTIME] = 7;
  ASSERT_EQ(tcsetattr(other, TCSANOW, &before), 0);

  ASSERT_TRUE(DeviceOpen("com1"));
  termios after{};
  ASSERT_EQ(tcgetattr(other, &after), 0);
  close(other);

  EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B9600));
  EXPECT_EQ(cfgetispeed(&after), static_cast<speed_t>(B9600));
  // A pseudo-terminal keeps 8 bits without parity by itself; the stop bits
  // and the speed show the writer's settings.
  EXPECT_EQ(after.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(after.c_cflag & PARENB, 0u);
  EXPECT_EQ(after.c_cflag & CSTOPB, 0u);
  EXPECT_NE(after.c_cflag & CRTSCTS, 0u);
  EXPECT_NE(after.c_cflag & CLOCAL, 0u);
  EXPECT_NE(after.c_iflag & IXON, 0u);
  EXPECT_NE(after.c_iflag & IXOFF, 0u);
  EXPECT_EQ(after.c_cc[VSTART], 0x01);
  EXPECT_EQ(after.c_cc[VSTOP], 0x02);
  EXPECT_EQ(after.c_cc[VMIN], 5);
  EXPECT_EQ(after.c_cc[VTIME], 7);
  // No output translation: an LF would otherwise leave as CR LF.
  EXPECT_EQ(after.c_oflag & OPOST, 0u);
  // Held for this program alone.
  int exclusive = 0;
  ASSERT_EQ(ioctl(serialWriter.descriptor, TIOCGEXCL, &exclusive), 0);
  EXPECT_NE(exclusive, 0);
}

TEST_F(SerialPortTest, BytesArriveUnchanged) {
  std::string longLine(150, '\x7f');
  longLine += "\r\n";
  const std::string texts[] = {"linha\r\n", "\f", std::string("\x1b" "K\0\x03\n", 5), longLine, "fim\n"};
  std::string expected;
  ASSERT_TRUE(DeviceOpen("COM1"));
  for (const std::string& text : texts) {
    EXPECT_TRUE(DeviceWrite(text));
    expected += text;
  }
  EXPECT_EQ(ReadFromMaster(expected.size()), expected);
  // A pseudo-terminal has no modem lines to read: no waiting, no beep.
  EXPECT_EQ(fakes.beeps, 0);
}

TEST_F(SerialPortTest, WaitsBeepingUntilCtsAndDsrAreBothOn) {
  fakes.lineStates = {{true, false}, {true, false}, {false, true}, {false, false}, {true, true}};
  SetModemLineReader(FakeModemLines);
  serialWriter.readyPause = std::chrono::milliseconds(20);
  ASSERT_TRUE(DeviceOpen("COM1"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(DeviceWrite("pronto\r\n"));
  const auto waited = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(fakes.readings, 5u);
  EXPECT_EQ(fakes.beeps, 4);
  EXPECT_GE(waited, std::chrono::milliseconds(4 * 20));
  EXPECT_FALSE(fakes.dataBeforeReady);
  EXPECT_EQ(ReadFromMaster(8), "pronto\r\n");
}

TEST_F(SerialPortTest, EscEndsTheWaitAndTheLineIsNotWritten) {
  fakes.lineStates = {{false, false}};
  SetModemLineReader(FakeModemLines);
  serialWriter.readyPause = std::chrono::milliseconds(20);
  ASSERT_TRUE(DeviceOpen("COM1"));
  // Other keys do not end the wait; Esc does, before anything is sent.
  ClearKeyQueue();
  QueueKey('a');
  QueueExtendedKey(27);  // an extended code equal to Esc is not Esc
  QueueKey(27);
  EXPECT_FALSE(DeviceWrite("nunca\r\n"));
  EXPECT_EQ(fakes.readings, 1u);
  EXPECT_EQ(fakes.beeps, 0);
  EXPECT_EQ(keyQueue.count, 0);
  EXPECT_FALSE(MasterHasData());
  ClearKeyQueue();
}

TEST_F(SerialPortTest, ReadyEmbosserOrUnreadableLinesWriteAtOnce) {
  fakes.lineStates = {{true, true}};
  SetModemLineReader(FakeModemLines);
  ASSERT_TRUE(DeviceOpen("COM1"));
  EXPECT_TRUE(DeviceWrite("a"));
  EXPECT_EQ(fakes.readings, 1u);

  SetModemLineReader(UnreadableModemLines);
  EXPECT_TRUE(DeviceWrite("b"));
  EXPECT_EQ(fakes.readings, 2u);
  EXPECT_EQ(fakes.beeps, 0);
  EXPECT_EQ(ReadFromMaster(2), "ab");
}

TEST_F(SerialPortTest, MissingPortFailsTheOpen) {
  EXPECT_FALSE(DeviceOpen("COM2"));
  EXPECT_FALSE(WriteSerialPort("x"));
}

TEST_F(SerialPortTest, BrokenConnectionIsReported) {
  ASSERT_TRUE(DeviceOpen("COM1"));
  EXPECT_TRUE(DeviceWrite("antes\r\n"));
  // The other end goes away: the slave side now fails every write.
  close(master_);
  master_ = -1;
  EXPECT_FALSE(DeviceWrite("depois\r\n"));
}

}  // namespace
