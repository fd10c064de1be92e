#include "devices/device_backend.h"

#include <cerrno>
#include <string>

#include "devices/brcom.h"
#include "devices/brlpt.h"
#include "devices/port_names.h"
#include "platform/byte_output.h"
#include "platform/paths.h"
#include "platform/print_spooler.h"
#include "platform/text_encoding.h"

namespace {

constexpr char kFormFeed = '\f';

class SerialBackend : public DeviceBackend {
 public:
  bool Write(std::string_view bytes) override { return WriteSerialPort(bytes); }
  bool Close() override {
    CloseSerialPort();
    return true;
  }
};

class ParallelBackend : public DeviceBackend {
 public:
  bool Write(std::string_view bytes) override { return WriteParallelPort(bytes); }
  bool Close() override {
    CloseParallelPort();
    return true;
  }
};

class SpoolerBackend : public DeviceBackend {
 public:
  // Each leading form feed ends a page by itself. A raw job has no pages to
  // end and start: the byte is what starts the next sheet on the embosser. A
  // form feed further on is an ordinary byte of the rest.
  bool Write(std::string_view bytes) override {
    bool taken = true;
    while (!bytes.empty() && bytes.front() == kFormFeed) {
      taken = WritePrintJob(bytes.substr(0, 1)) && taken;
      bytes.remove_prefix(1);
    }
    return WritePrintJob(bytes) && taken;
  }
  bool Close() override {
    FinishPrintJob();
    return true;
  }
  bool FailsThroughServer() const override { return true; }
};

// A file takes every write at once, as the ports do: a program closed in the
// middle of a job (its window closed, a signal) leaves every line embossed so
// far in the file, and an embosser behind a FIFO or a device node such as
// /dev/usb/lp0 receives each line as it is made.
class FileBackend : public DeviceBackend {
 public:
  explicit FileBackend(int descriptor) : descriptor_(descriptor), regular_(IsRegularFile(descriptor)) {}
  ~FileBackend() override { CloseOutput(descriptor_); }
  bool Write(std::string_view bytes) override { return WriteAllBytes(descriptor_, bytes); }
  bool Close() override {
    bool written = true;
    // A file whose last name was removed (its folder deleted, say) took the
    // bytes, but nobody will find them.
    if (regular_ && !HasName(descriptor_)) {
      errno = ENOENT;
      written = false;
    }
    const int error = errno;
    CloseOutput(descriptor_);
    descriptor_ = -1;
    errno = error;
    return written;
  }

 private:
  int descriptor_;
  bool regular_;
};

std::unique_ptr<DeviceBackend> Failed(DeviceFailure& failure, int error) {
  failure.kind = DeviceFailure::SystemError;
  failure.error = error;
  return nullptr;
}

}  // namespace

std::unique_ptr<DeviceBackend> OpenDeviceBackend(std::string_view name, std::string_view documentName,
                                                 DeviceFailure& failure) {
  failure = DeviceFailure{};
  failure.opening = true;
  const std::string upperName = UpperCaseAnsi(name);
  const PortKind port = PortKindOf(upperName);
  if (port != PortKind::None) failure.linuxPath = LinuxPath(PortDevicePath(upperName));
  switch (port) {
    case PortKind::Serial:
      if (OpenSerialPort(upperName)) return std::make_unique<SerialBackend>();
      return Failed(failure, errno);
    case PortKind::Parallel:
      if (OpenParallelPort(upperName)) return std::make_unique<ParallelBackend>();
      return Failed(failure, errno);
    case PortKind::None:
      break;
  }
  if (upperName == "PRN") {
    switch (StartPrintJob(documentName)) {
      case PrintJobStart::Started:
        return std::make_unique<SpoolerBackend>();
      case PrintJobStart::NoServer:
        failure.kind = DeviceFailure::NoSpoolerServer;
        break;
      case PrintJobStart::NoDefaultDestination:
        failure.kind = DeviceFailure::NoDefaultPrinter;
        break;
      case PrintJobStart::Refused:
        failure.kind = DeviceFailure::SpoolerRefused;
        break;
    }
    return nullptr;
  }
  // Created under the name as given: Linux names are case-sensitive, and the
  // upper-cased name would usually lead somewhere else.
  failure.isFile = true;
  failure.linuxPath = LinuxPath(name);
  const int descriptor = CreateOutputFile(name);
  if (descriptor < 0) return Failed(failure, errno);
  return std::make_unique<FileBackend>(descriptor);
}
