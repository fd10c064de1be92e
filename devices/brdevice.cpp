#include "devices/brdevice.h"

#include <cerrno>
#include <memory>
#include <string>

#include "catalogue/brmsg.h"
#include "devices/device_backend.h"
#include "devices/port_names.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

// The open device: chosen once by DeviceOpen, used by every later call.
struct DeviceState {
  std::unique_ptr<DeviceBackend> backend;
  std::string name;                   // as the user gave it
  DeviceFailure failure;          // why the last open failed
};

std::string ReasonText(const DeviceFailure& failure) {
  switch (failure.kind) {
    case DeviceFailure::SystemError:
      // Only a file being created makes a missing path a missing folder.
      return SystemErrorText(failure.error, failure.isFile && failure.opening);
    case DeviceFailure::NoSpoolerServer:
      return GetMessage("BRSEMCUP");
    case DeviceFailure::NoDefaultPrinter:
      return GetMessage("BRSEMPAD");
    case DeviceFailure::SpoolerRefused:
      return GetMessage("BRCUPREC");
    case DeviceFailure::None:
      break;
  }
  return {};
}

DeviceState device;

}  // namespace

bool DeviceOpen(std::string_view name, std::string_view documentName) {
  DeviceClose();
  device.name = name;
  device.failure = DeviceFailure{};
  device.backend = OpenDeviceBackend(name, documentName, device.failure);
  return device.backend != nullptr;
}

std::string DeviceProblem() {
  if (device.failure.kind == DeviceFailure::None) return {};
  std::string where = device.name;
  const std::string linuxPath = Windows1252FromUtf8(device.failure.linuxPath);
  if (!linuxPath.empty() && linuxPath != device.name) where += " (" + linuxPath + ")";
  return where + ": " + ReasonText(device.failure);
}

bool DeviceNamesFile(std::string_view deviceName) {
  const std::string upperName = UpperCaseAnsi(deviceName);
  return PortKindOf(upperName) == PortKind::None && upperName != "PRN";
}

bool DeviceNamesSpooler(std::string_view deviceName) { return UpperCaseAnsi(deviceName) == "PRN"; }

bool DeviceIsFile(std::string_view deviceName, std::string_view systemPath) {
  return DeviceNamesFile(deviceName) && SameExistingFile(deviceName, systemPath);
}

namespace {

// Keeps why the open device failed, for DeviceProblem.
void NoteFailure(const DeviceBackend& backend, int error) {
  device.failure.opening = false;
  if (backend.FailsThroughServer()) {
    device.failure.kind = DeviceFailure::NoSpoolerServer;
  } else {
    device.failure.kind = DeviceFailure::SystemError;
    device.failure.error = error;
  }
}

}  // namespace

bool DeviceNamesNoSuchPort(std::string_view name) { return NamesNoSuchPort(UpperCaseAnsi(name)); }

bool DeviceWrite(std::string_view bytes) {
  if (device.backend == nullptr) return false;
  const bool written = device.backend->Write(bytes);
  if (!written) NoteFailure(*device.backend, errno);
  return written;
}

bool DeviceClose() {
  if (device.backend == nullptr) return true;
  const bool written = device.backend->Close();
  if (!written) NoteFailure(*device.backend, errno);
  device.backend.reset();
  return written;
}

