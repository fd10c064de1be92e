#include "platform/paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/disk_names.h"
#include "platform/text_encoding.h"

namespace {

struct StartupDirectoryState {
  std::string directory;
  bool captured = false;
};

StartupDirectoryState& StartupState() {
  static StartupDirectoryState state;
  return state;
}

constexpr std::string_view kSuiteFolder = "/sonarw";

bool IsSeparator(char ch) { return ch == '/' || ch == '\\'; }

// An environment variable's value, or null when it is unset or empty.
const char* NonEmptyEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

std::string HomeDirectory() {
  if (const char* home = NonEmptyEnvironment("HOME")) return Windows1252FromUtf8(home);
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? Windows1252FromUtf8(entry->pw_dir) : std::string();
}

// Whether the running program lies inside the build tree, so that the
// freshly built data is used rather than an older installed copy.
bool RunningFromBuildTree() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return false;
  std::filesystem::path buildDirectory = std::filesystem::weakly_canonical(RELEVIX_BUILD_DIR, error);
  if (error) buildDirectory = RELEVIX_BUILD_DIR;
  const std::string prefix = buildDirectory.string() + "/";
  return executable.string().starts_with(prefix);
}

// "/sonarw" followed by '/' or the end: the suite's own installation folder.
bool StartsWithSuiteFolder(std::string_view path) {
  return path.size() >= kSuiteFolder.size() && EqualsIgnoringCase(path.substr(0, kSuiteFolder.size()), kSuiteFolder) &&
         (path.size() == kSuiteFolder.size() || path[kSuiteFolder.size()] == '/');
}

std::string WithForwardSlashes(std::string_view path) {
  std::string converted(path);
  for (char& ch : converted) {
    if (ch == '\\') ch = '/';
  }
  return converted;
}

}  // namespace

std::string SettingsDirectory() {
  if (const char* windowsDirectory = NonEmptyEnvironment("SONARA_WINDIR")) return Windows1252FromUtf8(windowsDirectory);
  // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
  const char* configHome = NonEmptyEnvironment("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') return JoinPath(Windows1252FromUtf8(configHome), "sonara");
  return JoinPath(HomeDirectory(), ".config/sonara");
}

void InitStartupDirectory() {
  StartupDirectoryState& state = StartupState();
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  // A current directory that has been removed still leaves "." usable.
  state.directory = error ? std::string(".") : Windows1252FromUtf8(current.string());
  while (state.directory.size() > 1 && state.directory.back() == '/') state.directory.pop_back();
  state.captured = true;
}

std::string StartupDirectory() {
  if (!StartupState().captured) InitStartupDirectory();
  return StartupState().directory;
}

namespace {

// share/sonara under the prefix the running program is installed in: beside
// its bin/ folder, or above lib/cups/filter/ for the print server's filter.
std::string DataBesideProgram() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  std::filesystem::path prefix = executable.parent_path().parent_path();
  if (executable.parent_path().filename() == "filter" && prefix.filename() == "cups" &&
      prefix.parent_path().filename() == "lib") {
    prefix = prefix.parent_path().parent_path();
  }
  return (prefix / "share" / "sonara").string();
}

bool IsFolder(const std::string& linuxPath) {
  std::error_code error;
  return !linuxPath.empty() && std::filesystem::is_directory(linuxPath, error);
}

}  // namespace

std::string DataDirectory() {
  if (const char* configured = NonEmptyEnvironment("RELEVIX_DATA_DIR")) return Windows1252FromUtf8(configured);
  if (RunningFromBuildTree()) return Windows1252FromUtf8(RELEVIX_BUILD_DATA_DIR);
  const std::string beside = DataBesideProgram();
  if (IsFolder(beside)) return Windows1252FromUtf8(beside);
  return Windows1252FromUtf8(RELEVIX_INSTALL_DATA_DIR);
}

bool DataDirectoryFound(std::string& lookedIn) {
  lookedIn.clear();
  if (IsFolder(DiskNameFromSystem(DataDirectory()))) return true;
  if (const char* configured = NonEmptyEnvironment("RELEVIX_DATA_DIR")) {
    lookedIn = Windows1252FromUtf8(configured);
  } else {
    const std::string beside = DataBesideProgram();
    lookedIn = Windows1252FromUtf8(beside) + ", " + Windows1252FromUtf8(RELEVIX_INSTALL_DATA_DIR);
  }
  return false;
}

std::string LinuxPath(std::string_view systemPath) {
  std::string_view path = systemPath;
  const bool hasDrive = path.size() >= 2 && path[1] == ':' &&
                        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (hasDrive) path.remove_prefix(2);

  // A Windows path's root is the data directory: "\name", or any root after
  // a drive letter. A path that begins with '/' is a Linux path already.
  const std::string converted = WithForwardSlashes(path);
  const bool windowsRooted = path.starts_with('\\') || (hasDrive && path.starts_with('/'));
  std::string resolved;
  if (!windowsRooted || converted.starts_with("//")) {
    resolved = converted;
  } else if (StartsWithSuiteFolder(converted)) {
    resolved = JoinPath(DataDirectory(), std::string_view(converted).substr(kSuiteFolder.size()));
  } else {
    resolved = JoinPath(DataDirectory(), converted);
  }
  return DiskNameFromSystem(resolved);
}

std::string JoinPath(std::string_view directory, std::string_view name) {
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  while (directory.size() > 1 && IsSeparator(directory.back())) directory.remove_suffix(1);
  if (directory.empty()) return std::string(name);
  std::string joined(directory);
  if (name.empty()) return joined;
  if (!IsSeparator(joined.back())) joined += '/';
  joined += name;
  return joined;
}

bool SameExistingFile(std::string_view first, std::string_view second) {
  struct stat a {}, b {};
  if (first.empty() || second.empty()) return false;
  if (stat(LinuxPath(first).c_str(), &a) != 0 || stat(LinuxPath(second).c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool FileExists(std::string_view systemPath) {
  if (systemPath.empty()) return false;
  struct stat status {};
  if (stat(LinuxPath(systemPath).c_str(), &status) != 0) return false;
  return S_ISREG(status.st_mode) || S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode);
}

bool ProgramOnPath(const std::string& name) {
  const auto executable = [](const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
  };
  if (name.find('/') != std::string::npos) return executable(name);
  const char* path = std::getenv("PATH");
  const std::string_view folders = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = folders.find(':', start);
    const std::string_view folder = folders.substr(start, colon - start);
    if (executable(std::string(folder.empty() ? "." : folder) + "/" + name)) return true;
    if (colon == std::string_view::npos) return false;
    start = colon + 1;
  }
}
