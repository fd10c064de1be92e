#include "platform/disk_names.h"

#include "platform/text_encoding.h"

namespace {

constexpr char kCarried = '\x81';
constexpr char kDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of a carried character at the front of text (which starts
// after the 0x81), and how many characters of text they took; nothing
// when the form is broken.
bool DecodeCarried(std::string_view text, std::string& bytes, std::size_t& taken) {
  bytes.clear();
  std::size_t i = 0;
  while (i + 1 < text.size() && HexValue(text[i]) >= 0 && HexValue(text[i + 1]) >= 0) {
    bytes += static_cast<char>(HexValue(text[i]) * 16 + HexValue(text[i + 1]));
    i += 2;
  }
  if (bytes.empty() || i >= text.size() || text[i] != ';') return false;
  taken = i + 1;
  return true;
}

}  // namespace

std::string SystemNameFromDisk(std::string_view diskName) {
  std::string name;
  while (!diskName.empty()) {
    const Utf8Step step = DecodeUtf8Step(diskName);
    const char c = step.valid ? Windows1252FromCodePoint(step.codePoint) : '?';
    if (step.valid && (c != '?' || step.codePoint == '?') && c != kCarried) {
      name += c;
    } else {
      name += kCarried;
      for (std::size_t i = 0; i < step.length; ++i) {
        const auto byte = static_cast<unsigned char>(diskName[i]);
        name += kDigits[byte >> 4];
        name += kDigits[byte & 15];
      }
      name += ';';
    }
    diskName.remove_prefix(step.length);
  }
  return name;
}

std::string DiskNameFromSystem(std::string_view systemName) {
  std::string disk;
  std::string bytes;
  while (!systemName.empty()) {
    const std::size_t carried = systemName.find(kCarried);
    disk += Utf8FromWindows1252(systemName.substr(0, carried));
    if (carried == std::string_view::npos) break;
    systemName.remove_prefix(carried + 1);
    std::size_t taken = 0;
    if (DecodeCarried(systemName, bytes, taken)) {
      disk += bytes;
      systemName.remove_prefix(taken);
    } else {
      disk += Utf8FromWindows1252(std::string_view(&kCarried, 1));
    }
  }
  return disk;
}

std::string ShownSystemName(std::string_view systemName) {
  std::string shown;
  std::string bytes;
  while (!systemName.empty()) {
    const std::size_t carried = systemName.find(kCarried);
    shown += systemName.substr(0, carried);
    if (carried == std::string_view::npos) break;
    systemName.remove_prefix(carried + 1);
    std::size_t taken = 0;
    if (DecodeCarried(systemName, bytes, taken)) {
      shown += '?';
      systemName.remove_prefix(taken);
    } else {
      shown += kCarried;
    }
  }
  return shown;
}
