#include "platform/parallel_port.h"

#include <fcntl.h>

#include <string>

#include "platform/paths.h"

int OpenParallelDevice(std::string_view systemPath) {
  const std::string path = LinuxPath(systemPath);
  return open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
}
