#include "platform/suite_settings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/profile.h"

namespace {

constexpr std::string_view kSuiteSection = "SONARA";
constexpr std::string_view kSettingsFileName = "SONARA.INI";
constexpr std::size_t kMaxValueChars = 255;

struct SuiteSettingsState {
  std::string overrideFile;  // empty: the usual search
};

SuiteSettingsState& State() {
  static SuiteSettingsState state;
  return state;
}

std::string_view SectionOrSuite(std::string_view section) { return section.empty() ? kSuiteSection : section; }

// The settings directory's copy, which is also where settings are written.
std::string WindowsDirectorySettingsFile() {
  const std::string& overrideFile = State().overrideFile;
  return overrideFile.empty() ? JoinPath(SettingsDirectory(), kSettingsFileName) : overrideFile;
}

// PGMSONARA of the same file; the start-up directory when it is empty or
// would itself need substituting.
std::string ProgramDirectory(std::string_view file) {
  std::string directory = ReadProfileString(file, kSuiteSection, "PGMSONARA", "", kMaxValueChars);
  return directory.empty() || directory.front() == '@' ? StartupDirectory() : directory;
}

// Replaces a leading "@", then each first "@\", by the program directory.
// Every step takes one "@" away; when the program directory holds none, the
// "@" count falls by one per step and the loop ends within that many steps.
// A directory holding "@\" (or ending in "@") would make the replacement go
// on for ever, so the number of steps is bounded by the value's own "@"s.
std::string SubstituteProgramDirectory(std::string value, std::string_view file) {
  const auto atSigns = static_cast<std::size_t>(std::count(value.begin(), value.end(), '@'));
  std::string programDirectory;
  for (std::size_t step = 0; step < atSigns && !value.empty(); ++step) {
    const std::size_t at = value.front() == '@' ? 0 : value.find("@\\");
    if (at == std::string::npos) break;
    if (step == 0) programDirectory = ProgramDirectory(file);
    value.replace(at, 1, programDirectory);
  }
  return value;
}

}  // namespace

void SetSuiteSettingsFile(std::string_view file) { State().overrideFile = std::string(file); }

std::string SuiteSettingsFile() {
  if (!State().overrideFile.empty()) return State().overrideFile;
  std::string inSettingsDirectory = JoinPath(SettingsDirectory(), kSettingsFileName);
  if (FileExists(inSettingsDirectory)) return inSettingsDirectory;
  return StartupDirectory() + "\\" + std::string(kSettingsFileName);
}

std::string ReadSuiteSetting(std::string_view section, std::string_view key) {
  const std::string file = SuiteSettingsFile();
  return SubstituteProgramDirectory(ReadProfileString(file, SectionOrSuite(section), key, "", kMaxValueChars), file);
}

std::string ReadWindowsDirectorySetting(std::string_view section, std::string_view key) {
  return ReadProfileString(WindowsDirectorySettingsFile(), SectionOrSuite(section), key, "", kMaxValueChars);
}

bool WriteSuiteSetting(std::string_view section, std::string_view key, std::string_view value) {
  const std::string target = WindowsDirectorySettingsFile();
  const std::string read = SuiteSettingsFile();
  if (read != target && !FileExists(target) && FileExists(read)) {
    // The settings were read from the start-up directory's copy. The next
    // run reads the settings directory's copy first, so it starts as the
    // whole file read: one setting written must not lose all the others.
    std::error_code error;
    std::filesystem::create_directories(LinuxPath(SettingsDirectory()), error);
    std::filesystem::copy_file(LinuxPath(read), LinuxPath(target), error);
  }
  return WriteProfileString(target, SectionOrSuite(section), key, value);
}
