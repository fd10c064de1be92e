// The back ends behind the output device interface: the serial port, the
// parallel port, the print spooler, and a file. The dispatch picks one when
// the device is opened and talks to it only through this interface.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class DeviceBackend {
 public:
  virtual ~DeviceBackend() = default;
  // True when the device took every byte.
  virtual bool Write(std::string_view bytes) = 0;
  // Ends the output; false when bytes held back could not be written, or
  // when what was written is gone (a file removed during the job).
  virtual bool Close() = 0;
  // Whether a failed write or close means the print server stopped
  // answering, rather than a system call failing (errno).
  virtual bool FailsThroughServer() const { return false; }
};

// Why a device could not be opened, or failed later.
struct DeviceFailure {
  enum Kind { None, SystemError, NoSpoolerServer, NoDefaultPrinter, SpoolerRefused };
  Kind kind = None;
  int error = 0;          // errno of the failed call, for SystemError
  bool isFile = false;    // a file was to be created (not a port)
  bool opening = false;   // the failure came while opening
  std::string linuxPath;  // where the name leads on Linux (UTF-8); empty for the spooler
};

// The back end for a device name (Windows-1252, as the user gave it; the
// upper-cased form chooses ports and the spooler), opened; nullptr when it
// cannot be opened, with the reason in failure. documentName names a
// spooler job.
std::unique_ptr<DeviceBackend> OpenDeviceBackend(std::string_view name, std::string_view documentName,
                                                 DeviceFailure& failure);
