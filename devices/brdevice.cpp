#include "devices/brdevice.h"

#include <string>

#include "devices/brcom.h"
#include "devices/brlpt.h"
#include "devices/port_names.h"
#include "platform/byte_output.h"
#include "platform/print_spooler.h"
#include "platform/text_encoding.h"

namespace {

enum class Backend { None, Serial, Parallel, Spooler, File };

// The open device: chosen once by DeviceOpen, used by every later call.
struct DeviceState {
  Backend backend = Backend::None;
  int fileDescriptor = -1;  // while a file is the device
  bool buffered = false;    // a regular file: written in blocks
  std::string pending;      // bytes of a regular file not yet written
};

DeviceState device;

constexpr char kFormFeed = '\f';

// A regular file takes its bytes in blocks of this size: one system call per
// Braille line would cost more than composing the line. Anything else named
// as a file (a FIFO, a device node such as /dev/usb/lp0) is written through,
// so an embosser behind it receives every line at once.
constexpr std::size_t kFileBlock = 64 * 1024;

bool WritePendingBytes() {
  const bool written = WriteAllBytes(device.fileDescriptor, device.pending);
  device.pending.clear();
  return written;
}

bool WriteToFile(std::string_view bytes) {
  if (!device.buffered) return WriteAllBytes(device.fileDescriptor, bytes);
  device.pending.append(bytes);
  return device.pending.size() < kFileBlock || WritePendingBytes();
}

Backend BackendFor(std::string_view upperName) {
  switch (PortKindOf(upperName)) {
    case PortKind::Serial:
      return Backend::Serial;
    case PortKind::Parallel:
      return Backend::Parallel;
    case PortKind::None:
      break;
  }
  return upperName == "PRN" ? Backend::Spooler : Backend::File;
}

bool OpenBackend(std::string_view name, std::string_view upperName, std::string_view documentName) {
  switch (device.backend) {
    case Backend::Serial:
      return OpenSerialPort(upperName);
    case Backend::Parallel:
      return OpenParallelPort(upperName);
    case Backend::Spooler:
      return StartPrintJob(documentName);
    case Backend::File:
      // Created under the name as given: Linux names are case-sensitive, and
      // the upper-cased name would usually lead somewhere else.
      device.fileDescriptor = CreateOutputFile(name);
      device.buffered = IsRegularFile(device.fileDescriptor);
      return device.fileDescriptor >= 0;
    case Backend::None:
      break;
  }
  return false;
}

// Each leading form feed ends a page by itself. A raw job has no pages to end
// and start: the byte is what starts the next sheet on the embosser. A form
// feed further on is an ordinary byte of the rest.
bool WriteToSpooler(std::string_view bytes) {
  bool taken = true;
  while (!bytes.empty() && bytes.front() == kFormFeed) {
    taken = WritePrintJob(bytes.substr(0, 1)) && taken;
    bytes.remove_prefix(1);
  }
  return WritePrintJob(bytes) && taken;
}

}  // namespace

bool DeviceOpen(std::string_view name, std::string_view documentName) {
  DeviceClose();
  const std::string upperName = UpperCaseAnsi(name);
  device.backend = BackendFor(upperName);
  if (OpenBackend(name, upperName, documentName)) return true;
  device = DeviceState{};
  return false;
}

bool DeviceWrite(std::string_view bytes) {
  switch (device.backend) {
    case Backend::Serial:
      return WriteSerialPort(bytes);
    case Backend::Parallel:
      return WriteParallelPort(bytes);
    case Backend::Spooler:
      return WriteToSpooler(bytes);
    case Backend::File:
      return WriteToFile(bytes);
    case Backend::None:
      break;
  }
  return false;
}

bool DeviceClose() {
  bool written = true;
  switch (device.backend) {
    case Backend::Serial:
      CloseSerialPort();
      break;
    case Backend::Parallel:
      CloseParallelPort();
      break;
    case Backend::Spooler:
      FinishPrintJob();
      break;
    case Backend::File:
      written = WritePendingBytes();
      CloseOutput(device.fileDescriptor);
      break;
    case Backend::None:
      break;
  }
  device = DeviceState{};
  return written;
}
