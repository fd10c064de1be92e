#include "platform/registry.h"

#include <cstdlib>
#include <sys/stat.h>

#include "platform/text_encoding.h"

namespace {

constexpr std::string_view kDatabasesKey = "software\\tcts\\mbrola\\databases\\";

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

std::optional<std::string> FindDatabase(const std::string& name) {
  std::string candidates[3];
  int count = 0;
  if (const char* root = std::getenv("MBROLA_DATABASES"); root != nullptr && *root != '\0') {
    candidates[count++] = std::string(root) + "/" + name + "/" + name;
    candidates[count++] = std::string(root) + "/" + name;
  }
  candidates[count++] = "/usr/share/mbrola/" + name + "/" + name;
  for (int i = 0; i < count; ++i) {
    if (IsRegularFile(candidates[i])) return Windows1252FromUtf8(candidates[i]);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadRegistryString(RegistryRoot root, std::string_view path) {
  const size_t split = path.rfind('\\');
  if (split == std::string_view::npos || root != RegistryRoot::LocalMachine) return std::nullopt;
  const std::string key = Lowered(path.substr(0, split));
  if (!path.substr(split + 1).empty()) return std::nullopt;  // only the default value exists
  if (key.size() <= kDatabasesKey.size() || key.compare(0, kDatabasesKey.size(), kDatabasesKey) != 0) {
    return std::nullopt;
  }
  const std::string name(path.substr(kDatabasesKey.size(), split - kDatabasesKey.size()));
  if (name.find('\\') != std::string::npos || name.find('/') != std::string::npos || name == "." ||
      name == "..") {
    return std::nullopt;
  }
  return FindDatabase(Utf8FromWindows1252(name));
}
