#include "devices/brdevice.h"

#include <memory>
#include <string>
#include <utility>

#include "devices/device_backend.h"

namespace {

// The open device: chosen once by DeviceOpen, used by every later call.
struct DeviceState {
  std::unique_ptr<DeviceBackend> backend;
  std::string* memorySink = nullptr;  // tests: the next device writes here
};

DeviceState device;

}  // namespace

bool DeviceOpen(std::string_view name, std::string_view documentName) {
  DeviceClose();
  device.backend = device.memorySink != nullptr ? MemoryDeviceBackend(*std::exchange(device.memorySink, nullptr))
                                                : OpenDeviceBackend(name, documentName);
  return device.backend != nullptr;
}

bool DeviceWrite(std::string_view bytes) { return device.backend != nullptr && device.backend->Write(bytes); }

bool DeviceClose() {
  if (device.backend == nullptr) return true;
  const bool written = device.backend->Close();
  device.backend.reset();
  return written;
}

void DirectNextDeviceToMemory(std::string& sink) { device.memorySink = &sink; }
