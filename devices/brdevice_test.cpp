#include "devices/brdevice.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <string>

#include "devices/device_test_settings.h"
#include "devices/port_names.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedCwd;
using testing_support::TempDir;
using testing_support::WriteFile;

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

// A Braille line as the composer writes it: 150 cells and CR LF, longer than
// the 144 bytes a port write once staged.
std::string LongLine() {
  std::string line;
  for (int i = 0; i < 150; ++i) line += static_cast<char>('A' + i % 26);
  return line + "\r\n";
}

class DeviceTest : public ::testing::Test {
 protected:
  void TearDown() override { DeviceClose(); }
  TempDir dir_;
};

TEST_F(DeviceTest, FileReceivesExactlyTheBytesWritten) {
  const std::string path = dir_.File("saida.brl");
  const std::string withZero("\x1b" "G\0\x05", 4);
  ASSERT_TRUE(DeviceOpen(path));
  EXPECT_TRUE(DeviceWrite("linha um\r\n"));
  EXPECT_TRUE(DeviceWrite("\f"));
  EXPECT_TRUE(DeviceWrite(withZero));
  EXPECT_TRUE(DeviceWrite(""));
  EXPECT_TRUE(DeviceWrite(LongLine()));
  EXPECT_TRUE(DeviceWrite("\r\n"));
  EXPECT_TRUE(DeviceClose());
  EXPECT_EQ(ReadFile(path), "linha um\r\n\f" + withZero + LongLine() + "\r\n");
}

TEST_F(DeviceTest, EveryWriteReachesTheFileAtOnce) {
  // A program closed in the middle of a job leaves every line written so
  // far in the file.
  const std::string path = dir_.File("livro.brf");
  ASSERT_TRUE(DeviceOpen(path));
  const std::string line = std::string(38, 'a') + "\r\n";
  ASSERT_TRUE(DeviceWrite(line));
  EXPECT_EQ(ReadFile(path), line);
  ASSERT_TRUE(DeviceWrite(line));
  EXPECT_EQ(ReadFile(path), line + line);
  EXPECT_TRUE(DeviceClose());
  EXPECT_EQ(ReadFile(path), line + line);

  // A FIFO (an embosser's device node behaves alike) gets every write at once.
  const std::string fifo = dir_.File("fila");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_TRUE(DeviceOpen(fifo));
  EXPECT_TRUE(DeviceWrite("linha\r\n"));
  char received[16] = {};
  EXPECT_EQ(read(reader, received, sizeof received), 7);
  EXPECT_EQ(std::string(received), "linha\r\n");
  EXPECT_TRUE(DeviceClose());
  close(reader);
}

TEST_F(DeviceTest, AFullDiskIsReportedByTheWrite) {
  // A file size limit makes writes past it fail as a full disk would.
  struct sigaction ignore {}, old {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &old);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = 100 * 1024;
  setrlimit(RLIMIT_FSIZE, &limit);

  ASSERT_TRUE(DeviceOpen(dir_.File("grande.brf")));
  bool refused = false;
  for (int i = 0; i < 10000 && !refused; ++i) refused = !DeviceWrite(std::string(40, 'x') + "\r\n");
  EXPECT_TRUE(refused);
  DeviceClose();

  // The first line that does not fit is the one refused.
  ASSERT_TRUE(DeviceOpen(dir_.File("pequeno.brf")));
  limit.rlim_cur = 10;
  setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_TRUE(DeviceWrite("dez bytes\n"));
  EXPECT_FALSE(DeviceWrite("mais\r\n"));
  EXPECT_TRUE(DeviceClose());

  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &old, nullptr);
}

TEST_F(DeviceTest, FileIsCreatedAfresh) {
  const std::string path = dir_.File("saida.brl");
  WriteFile(path, "conteudo antigo de outra impressao");
  ASSERT_TRUE(DeviceOpen(path));
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_TRUE(DeviceWrite("novo"));
  DeviceClose();
  EXPECT_EQ(ReadFile(path), "novo");
}

TEST_F(DeviceTest, FileKeepsTheNameAsGiven) {
  ASSERT_TRUE(DeviceOpen(dir_.File("Saida.brl")));
  DeviceClose();
  EXPECT_TRUE(Exists(dir_.File("Saida.brl")));
  EXPECT_FALSE(Exists(dir_.File("SAIDA.BRL")));

  // A Windows-1252 name (0xED is i acute) becomes the UTF-8 name on disk.
  ASSERT_TRUE(DeviceOpen(dir_.File("sa\xED" "da.brl")));
  DeviceClose();
  EXPECT_TRUE(Exists(dir_.File("sa\xC3\xAD" "da.brl")));
}

TEST_F(DeviceTest, NamesThatAreNoPortsAreFiles) {
  ScopedCwd cwd(dir_.path());
  for (const char* name : {"com3", "LPT4", "COM", "prn.txt"}) {
    ASSERT_TRUE(DeviceOpen(name)) << name;
    EXPECT_TRUE(DeviceWrite("x")) << name;
    DeviceClose();
    EXPECT_EQ(ReadFile(dir_.File(name)), "x") << name;
  }
}

TEST_F(DeviceTest, FileThatCannotBeCreatedFailsTheOpen) {
  EXPECT_FALSE(DeviceOpen(dir_.File("nao-existe/saida.brl")));
  EXPECT_FALSE(DeviceWrite("x"));
  EXPECT_FALSE(DeviceOpen(""));
}

TEST_F(DeviceTest, FailedFileWriteIsReported) {
  ASSERT_TRUE(DeviceOpen("/dev/full"));
  EXPECT_FALSE(DeviceWrite("linha\r\n"));
  EXPECT_TRUE(DeviceWrite(""));
}

TEST_F(DeviceTest, WriteWithoutOpenDeviceFails) {
  EXPECT_FALSE(DeviceWrite("x"));
  ASSERT_TRUE(DeviceOpen(dir_.File("saida.brl")));
  DeviceClose();
  EXPECT_FALSE(DeviceWrite("x"));
}

// The parallel writer opens an existing port and never creates one, so a
// settings key pointing at a plain file shows which back end was chosen.
class ParallelDeviceTest : public DeviceTest {
 protected:
  std::string Port(int number) const { return dir_.File("lp" + std::to_string(number)); }
};

TEST_F(ParallelDeviceTest, LptInAnyCaseSelectsTheParallelWriter) {
  RelevixSettingsForTest settings("LPT1=" + Port(1) + "\nLPT2=" + Port(2) + "\nLPT3=" + Port(3) + "\n");
  TempDir cwdDir;
  ScopedCwd cwd(cwdDir.path());
  const std::pair<const char*, int> cases[] = {{"LPT1", 1}, {"lpt1", 1}, {"Lpt1", 1}, {"lPt2", 2}, {"lpt3", 3}};
  for (const auto& [name, number] : cases) {
    WriteFile(Port(number), "");
    ASSERT_TRUE(DeviceOpen(name)) << name;
    EXPECT_TRUE(DeviceWrite(LongLine())) << name;
    EXPECT_TRUE(DeviceWrite(std::string("\f\0", 2))) << name;
    DeviceClose();
    EXPECT_EQ(ReadFile(Port(number)), LongLine() + std::string("\f\0", 2)) << name;
    EXPECT_FALSE(Exists(cwdDir.File(name))) << name;
  }
}

TEST_F(ParallelDeviceTest, MissingPortFailsTheOpen) {
  RelevixSettingsForTest settings("LPT1=" + Port(1) + "\n");
  EXPECT_FALSE(DeviceOpen("LPT1"));
  EXPECT_FALSE(Exists(Port(1)));
}

TEST_F(ParallelDeviceTest, FailedPortWriteIsReported) {
  RelevixSettingsForTest settings("LPT2=/dev/full\n");
  ASSERT_TRUE(DeviceOpen("LPT2"));
  EXPECT_FALSE(DeviceWrite("linha\r\n"));
}

TEST(PortNamesTest, DefaultDevicePathsAndSettingsKeys) {
  {
    RelevixSettingsForTest settings("COLUNAS=32\n");
    EXPECT_EQ(PortDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(PortDevicePath("COM2"), "/dev/ttyS1");
    EXPECT_EQ(PortDevicePath("LPT1"), "/dev/lp0");
    EXPECT_EQ(PortDevicePath("LPT2"), "/dev/lp1");
    EXPECT_EQ(PortDevicePath("LPT3"), "/dev/lp2");
  }
  RelevixSettingsForTest settings("com2=/dev/ttyUSB0\nLPT1 = /dev/usb/lp0\n");
  EXPECT_EQ(PortDevicePath("COM1"), "/dev/ttyS0");
  EXPECT_EQ(PortDevicePath("COM2"), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevicePath("LPT1"), "/dev/usb/lp0");
}

}  // namespace
