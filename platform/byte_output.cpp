#include "platform/byte_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/paths.h"

int CreateOutputFile(std::string_view systemPath) {
  const std::string path = LinuxPath(systemPath);
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY | O_CLOEXEC, 0666);
}

bool WriteAllBytes(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    // A write that takes nothing would repeat for ever; it counts as refused.
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool IsRegularFile(int descriptor) {
  struct stat status {};
  return descriptor >= 0 && fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

bool HasName(int descriptor) {
  struct stat status {};
  return fstat(descriptor, &status) == 0 && status.st_nlink > 0;
}

void CloseOutput(int descriptor) {
  if (descriptor >= 0) close(descriptor);
}
