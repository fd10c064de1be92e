#include "braille/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/paths.h"
#include "platform/utf8_stream.h"

namespace {

constexpr std::size_t kReadBlockSize = 1024;
constexpr std::size_t kScanBlockSize = 64 * 1024;

ssize_t ReadRetrying(int fd, char* buffer, std::size_t size) {
  ssize_t count;
  do {
    count = read(fd, buffer, size);
  } while (count < 0 && errno == EINTR);
  return count;
}

// Whether the file, read from where it stands to its end, is UTF-8 with at
// least one multi-byte sequence. A read error answers no: the file is then
// taken as bytes and the reader meets the error itself.
bool ScanIsUtf8(int fd) {
  Utf8StreamCheck check;
  std::string block(kScanBlockSize, '\0');
  for (;;) {
    const ssize_t count = ReadRetrying(fd, block.data(), block.size());
    if (count < 0) return false;
    CheckUtf8Chunk(check, std::string_view(block.data(), static_cast<std::size_t>(count)), count == 0);
    if (!check.valid) return false;
    if (count == 0) return check.multibyte;
  }
}

}  // namespace

void InputFile::ReadMore() {
  text_.erase(0, textPos_);
  textPos_ = 0;
  std::array<char, kReadBlockSize> raw;
  const ssize_t count = ReadRetrying(fd_, raw.data(), raw.size());
  if (count < 0) {
    readFailed_ = true;
    return;
  }
  sourceEnded_ = count == 0;
  const std::string_view chunk(raw.data(), static_cast<std::size_t>(count));
  if (utf8_) {
    text_ += DecodeUtf8Chunk(decoder_, chunk, sourceEnded_);
  } else {
    text_ += chunk;
  }
}

void InputFile::FillTo(std::size_t wanted) {
  while (Available() < wanted && fd_ >= 0 && !sourceEnded_ && !readFailed_) ReadMore();
}

bool InputFile::Open(const std::string& name) {
  Close();
  const int fd = open(LinuxPath(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // A folder opens for reading on Linux, but holds no text to print.
  struct stat status;
  if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    close(fd);
    return false;
  }
  // Only a file that can be rewound can be looked at before it is read; a
  // pipe or terminal is taken as bytes.
  bool utf8 = false;
  if (lseek(fd, 0, SEEK_SET) == 0) {
    utf8 = ScanIsUtf8(fd);
    if (lseek(fd, 0, SEEK_SET) != 0) {
      close(fd);
      return false;
    }
  }
  fd_ = fd;
  utf8_ = utf8;
  name_ = name;
  return true;
}

void InputFile::OpenText(const std::string& name, std::string_view utf8) {
  Close();
  inMemory_ = true;
  name_ = name;
  text_ = DecodeUtf8Chunk(decoder_, utf8, true);
  sourceEnded_ = true;
}

void InputFile::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  inMemory_ = false;
  name_.clear();
  utf8_ = false;
  decoder_ = Utf8StreamDecoder{};
  text_.clear();
  textPos_ = 0;
  sourceEnded_ = false;
  readFailed_ = false;
}

int InputFile::ReadBlock(char* buffer, int size) {
  if (!IsOpen() || size < 0) return -1;
  const auto wanted = static_cast<std::size_t>(size);
  FillTo(wanted);
  const std::size_t count = std::min(wanted, Available());
  if (count == 0 && readFailed_) return -1;
  std::memcpy(buffer, text_.data() + textPos_, count);
  textPos_ += count;
  return static_cast<int>(count);
}

bool InputFile::AtEnd() {
  FillTo(1);
  return Available() == 0 && !readFailed_;
}

bool InputFileFound(const std::string& name) { return InputFile().Open(name); }

bool InputFileReadsAgain(const std::string& name) {
  struct stat status;
  return stat(LinuxPath(name).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}
