#include "braille/input_file.h"

#include <fcntl.h>
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

struct InputFileState {
  int fd = -1;
  bool utf8 = false;
  Utf8StreamDecoder decoder;
  std::string text;         // read (and decoded) but not yet handed out, from textPos
  std::size_t textPos = 0;
  bool sourceEnded = false; // the file has given its last byte
  bool readFailed = false;  // a read failed; reported once the text before it is handed out
};

InputFileState inputFile;

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

std::size_t Available() { return inputFile.text.size() - inputFile.textPos; }

// Reads one more block of the file into the text waiting to be handed out.
void ReadMore() {
  InputFileState& f = inputFile;
  f.text.erase(0, f.textPos);
  f.textPos = 0;
  std::array<char, kReadBlockSize> raw;
  const ssize_t count = ReadRetrying(f.fd, raw.data(), raw.size());
  if (count < 0) {
    f.readFailed = true;
    return;
  }
  f.sourceEnded = count == 0;
  const std::string_view chunk(raw.data(), static_cast<std::size_t>(count));
  if (f.utf8) {
    f.text += DecodeUtf8Chunk(f.decoder, chunk, f.sourceEnded);
  } else {
    f.text += chunk;
  }
}

// Reads until wanted bytes wait to be handed out, or nothing more can come.
void FillTo(std::size_t wanted) {
  while (Available() < wanted && inputFile.fd >= 0 && !inputFile.sourceEnded && !inputFile.readFailed) ReadMore();
}

}  // namespace

bool OpenInputFile(const std::string& name) {
  CloseInputFile();
  const int fd = open(LinuxPath(name).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
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
  inputFile.fd = fd;
  inputFile.utf8 = utf8;
  return true;
}

void CloseInputFile() {
  if (inputFile.fd >= 0) close(inputFile.fd);
  inputFile = InputFileState{};
}

bool InputFileIsOpen() { return inputFile.fd >= 0; }

int ReadInputBlock(char* buffer, int size) {
  if (inputFile.fd < 0 || size < 0) return -1;
  const auto wanted = static_cast<std::size_t>(size);
  FillTo(wanted);
  const std::size_t count = std::min(wanted, Available());
  if (count == 0 && inputFile.readFailed) return -1;
  std::memcpy(buffer, inputFile.text.data() + inputFile.textPos, count);
  inputFile.textPos += count;
  return static_cast<int>(count);
}

bool InputFileAtEnd() {
  FillTo(1);
  return Available() == 0 && !inputFile.readFailed;
}
