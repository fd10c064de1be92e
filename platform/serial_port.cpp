#include "platform/serial_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "platform/paths.h"

namespace {

bool ReadModemLinesWithIoctl(int descriptor, ModemLines& lines) {
  int status = 0;
  if (ioctl(descriptor, TIOCMGET, &status) != 0) return false;
  lines.clearToSend = (status & TIOCM_CTS) != 0;
  lines.dataSetReady = (status & TIOCM_DSR) != 0;
  return true;
}

ModemLineReader modemLineReader = ReadModemLinesWithIoctl;

// 9600 baud, 8 data bits, no parity, 1 stop bit. Output post-processing
// (OPOST, with ONLCR on by default) would turn every LF into CR LF on the
// way out; the embosser must get the bytes as they are.
void SetLineFormat(int descriptor) {
  termios settings{};
  if (tcgetattr(descriptor, &settings) != 0) return;
  cfsetispeed(&settings, B9600);
  cfsetospeed(&settings, B9600);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
  settings.c_cflag |= CS8;
  settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  tcsetattr(descriptor, TCSANOW, &settings);
}

}  // namespace

int OpenSerialDevice(std::string_view systemPath) {
  const std::string path = LinuxPath(systemPath);
  // Non-blocking only for the open itself: without CLOCAL a tty open would
  // otherwise wait for carrier detect, which an embosser need not raise.
  const int descriptor = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return -1;
  const int flags = fcntl(descriptor, F_GETFL);
  if (flags >= 0) fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK);
  // Exclusive use: a second open of the port fails while we hold it.
  ioctl(descriptor, TIOCEXCL);
  SetLineFormat(descriptor);
  return descriptor;
}

bool ReadModemLines(int descriptor, ModemLines& lines) { return modemLineReader(descriptor, lines); }

void SetModemLineReader(ModemLineReader reader) {
  modemLineReader = reader != nullptr ? reader : ReadModemLinesWithIoctl;
}
