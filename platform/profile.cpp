#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

// One line of the file: its text is [begin, end), its line end (CR LF, LF
// or a lone CR, or nothing on the last line) runs from end to next.
struct LineSpan {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

std::vector<LineSpan> SplitLines(std::string_view bytes) {
  std::vector<LineSpan> lines;
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    std::size_t end = begin;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    std::size_t next = end;
    if (next < bytes.size() && bytes[next] == '\r') ++next;
    if (next < bytes.size() && bytes[next] == '\n' && (next == end || bytes[end] == '\r')) ++next;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) { return EqualsIgnoringCase(TrimBlanks(a), TrimBlanks(b)); }

// The name of a section header "[name]" (an unclosed header runs to the end
// of the line), given the trimmed line.
std::string_view SectionName(std::string_view trimmedLine) {
  std::string_view inside = trimmedLine.substr(1);
  const std::size_t close = inside.find(']');
  if (close != std::string_view::npos) inside = inside.substr(0, close);
  return TrimBlanks(inside);
}

// Where a key sits in the text: whether its section exists, the line of the
// key, and the section's last non-blank line (its header when it is empty).
struct KeyLocation {
  bool sectionFound = false;
  bool keyFound = false;
  std::size_t keyLine = 0;
  std::size_t lastSectionLine = 0;
};

KeyLocation LocateKey(std::string_view bytes, const std::vector<LineSpan>& lines, std::string_view section,
                      std::string_view key) {
  KeyLocation location;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view text = TrimBlanks(bytes.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (text.empty()) continue;
    if (text.front() == '[') {
      if (location.sectionFound) break;  // only the first section of that name counts
      if (SameName(SectionName(text), section)) {
        location.sectionFound = true;
        location.lastSectionLine = i;
      }
      continue;
    }
    if (!location.sectionFound) continue;
    location.lastSectionLine = i;
    if (text.front() == ';') continue;
    const std::size_t equals = text.find('=');
    if (equals != std::string_view::npos && SameName(text.substr(0, equals), key)) {
      location.keyFound = true;
      location.keyLine = i;
      break;
    }
  }
  return location;
}

// The value of a key line: after the first '=', trimmed, and without one
// pair of matching quotes around it.
std::string_view ValueOfLine(std::string_view line) {
  std::string_view value = TrimBlanks(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'')) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

enum class FileReadResult { kRead, kMissing, kFailed };

struct FileImage {
  std::string bytes;
  mode_t mode = 0;
};

// Reads a whole regular file. Anything that is not a regular file (a
// directory, a device, a pipe) is refused rather than read or replaced;
// O_NONBLOCK keeps the open of a pipe from waiting for a writer.
FileReadResult ReadRegularFile(const std::string& linuxPath, FileImage& image) {
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? FileReadResult::kMissing : FileReadResult::kFailed;
  struct stat status {};
  FileReadResult result = FileReadResult::kRead;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    result = FileReadResult::kFailed;
  } else {
    image.mode = status.st_mode & 07777;
    char block[8192];
    for (;;) {
      const ssize_t count = read(fd, block, sizeof block);
      if (count == 0) break;
      if (count < 0) {
        if (errno == EINTR) continue;
        result = FileReadResult::kFailed;
        break;
      }
      image.bytes.append(block, static_cast<std::size_t>(count));
    }
  }
  close(fd);
  return result;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// Writes the new contents beside the file and renames them over it, so the
// file is at every moment either the old one or the new one, whole.
bool ReplaceFile(const std::filesystem::path& path, std::string_view bytes, bool existed, mode_t mode) {
  std::error_code error;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
  if (error) return false;

  int fd = -1;
  std::string temporary;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = path.string() + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool written = (!existed || fchmod(fd, mode) == 0) && WriteAll(fd, bytes) && fsync(fd) == 0;
  written = close(fd) == 0 && written;
  if (written && rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

// The line end of the file's first line, so that added lines match it.
std::string_view LineEndOf(std::string_view bytes, const std::vector<LineSpan>& lines) {
  if (!lines.empty() && lines.front().next > lines.front().end) {
    return bytes.substr(lines.front().end, lines.front().next - lines.front().end);
  }
  return "\n";
}

std::string WithKeySet(std::string_view bytes, std::string_view section, std::string_view key,
                       std::string_view value) {
  const std::vector<LineSpan> lines = SplitLines(bytes);
  const std::string_view lineEnd = LineEndOf(bytes, lines);
  const KeyLocation location = LocateKey(bytes, lines, section, key);
  const std::string entry = std::string(key) + "=" + std::string(value);

  std::string updated(bytes);
  if (location.keyFound) {
    const LineSpan& line = lines[location.keyLine];
    updated.replace(line.begin, line.end - line.begin, entry);
  } else if (location.sectionFound) {
    const LineSpan& last = lines[location.lastSectionLine];
    const bool lastHasLineEnd = last.next > last.end;
    updated.insert(last.next, lastHasLineEnd ? entry + std::string(lineEnd) : std::string(lineEnd) + entry);
  } else {
    if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r') updated += lineEnd;
    updated += "[" + std::string(section) + "]" + std::string(lineEnd) + entry + std::string(lineEnd);
  }
  return updated;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Names and values that could not be read back as written are refused: a
// line break would smuggle further lines (keys, sections) into the file.
bool IsWritableEntry(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view trimmedKey = TrimBlanks(key);
  return !TrimBlanks(section).empty() && section.find(']') == std::string_view::npos && !HasLineBreak(section) &&
         !trimmedKey.empty() && trimmedKey.front() != '[' && trimmedKey.front() != ';' &&
         key.find('=') == std::string_view::npos && !HasLineBreak(key) && !HasLineBreak(value);
}

// Settings files are Windows-1252, as the suite writes them; a file that a
// Linux editor saved as UTF-8 is read as the same text.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string Windows1252Text(std::string_view bytes) {
  if (!IsUtf8WithMultibyte(bytes)) return std::string(bytes);
  if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  return Windows1252FromUtf8(bytes);
}

}  // namespace

std::string ReadProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t maxChars) {
  std::string_view value = defaultValue;
  FileImage image;
  if (ReadRegularFile(LinuxPath(file), image) == FileReadResult::kRead) {
    image.bytes = Windows1252Text(image.bytes);
    const std::vector<LineSpan> lines = SplitLines(image.bytes);
    const KeyLocation location = LocateKey(image.bytes, lines, section, key);
    if (location.keyFound) {
      const LineSpan& line = lines[location.keyLine];
      value = ValueOfLine(std::string_view(image.bytes).substr(line.begin, line.end - line.begin));
    }
  }
  return std::string(value.substr(0, maxChars));
}

bool WriteProfileString(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value) {
  if (!IsWritableEntry(section, key, value)) return false;
  std::filesystem::path path = LinuxPath(file);
  if (path.empty()) return false;
  // Through a symbolic link the file it points to is updated; the link stays.
  std::error_code error;
  if (std::filesystem::is_symlink(path, error)) {
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    if (!error) path = target;
  }
  FileImage image;
  const FileReadResult read = ReadRegularFile(path.string(), image);
  if (read == FileReadResult::kFailed) return false;
  // Into a UTF-8 file the entry goes as UTF-8; every other byte stays.
  std::string updated;
  if (IsUtf8WithMultibyte(image.bytes)) {
    std::string_view bytes = image.bytes;
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
      bytes.remove_prefix(kUtf8ByteOrderMark.size());
      updated = kUtf8ByteOrderMark;
    }
    updated += WithKeySet(bytes, Utf8FromWindows1252(section), Utf8FromWindows1252(key), Utf8FromWindows1252(value));
  } else {
    updated = WithKeySet(image.bytes, section, key, value);
  }
  return ReplaceFile(path, updated, read == FileReadResult::kRead, image.mode);
}
