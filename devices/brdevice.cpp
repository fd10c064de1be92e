#include "devices/brdevice.h"

#include <memory>
#include <string>
#include <utility>

#include "catalogue/brmsg.h"
#include "devices/device_backend.h"
#include "devices/port_names.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

// The open device: chosen once by DeviceOpen, used by every later call.
struct DeviceState {
  std::unique_ptr<DeviceBackend> backend;
  std::string* memorySink = nullptr;  // tests: the next device writes here
  std::string name;                   // as the user gave it
  DeviceOpenFailure failure;          // why the last open failed
};

std::string ReasonText(const DeviceOpenFailure& failure) {
  switch (failure.kind) {
    case DeviceOpenFailure::SystemError:
      return SystemErrorText(failure.error, failure.isFile);
    case DeviceOpenFailure::NoSpoolerServer:
      return GetMessage("BRSEMCUP");
    case DeviceOpenFailure::NoDefaultPrinter:
      return GetMessage("BRSEMPAD");
    case DeviceOpenFailure::SpoolerRefused:
      return GetMessage("BRCUPREC");
    case DeviceOpenFailure::None:
      break;
  }
  return {};
}

DeviceState device;

}  // namespace

bool DeviceOpen(std::string_view name, std::string_view documentName) {
  DeviceClose();
  device.name = name;
  device.failure = DeviceOpenFailure{};
  device.backend = device.memorySink != nullptr
                       ? MemoryDeviceBackend(*std::exchange(device.memorySink, nullptr))
                       : OpenDeviceBackend(name, documentName, device.failure);
  return device.backend != nullptr;
}

std::string DeviceOpenProblem() {
  if (device.failure.kind == DeviceOpenFailure::None) return {};
  std::string where = device.name;
  const std::string linuxPath = Windows1252FromUtf8(device.failure.linuxPath);
  if (!linuxPath.empty() && linuxPath != device.name) where += " (" + linuxPath + ")";
  return where + ": " + ReasonText(device.failure);
}

bool DeviceIsFile(std::string_view deviceName, std::string_view systemPath) {
  const std::string upperName = UpperCaseAnsi(deviceName);
  if (PortKindOf(upperName) != PortKind::None || upperName == "PRN") return false;
  return SameExistingFile(deviceName, systemPath);
}

bool DeviceWrite(std::string_view bytes) { return device.backend != nullptr && device.backend->Write(bytes); }

bool DeviceClose() {
  if (device.backend == nullptr) return true;
  const bool written = device.backend->Close();
  device.backend.reset();
  return written;
}

void DirectNextDeviceToMemory(std::string& sink) { device.memorySink = &sink; }
