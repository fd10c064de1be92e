// File names on disk may hold any bytes: carried into the system and back,
// every name must come back exactly, and its shown form must be plain
// Windows-1252 without the carrying mark.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/disk_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view disk(reinterpret_cast<const char*>(data), size);
  const std::string system = SystemNameFromDisk(disk);
  if (DiskNameFromSystem(system) != disk) std::abort();
  if (ShownSystemName(system).find('\x81') != std::string::npos) std::abort();
  // Any system text, carried forms or broken ones, converts without harm.
  DiskNameFromSystem(disk);
  ShownSystemName(disk);
  return 0;
}
