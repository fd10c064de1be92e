#include "editor/word_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/program_start.h"
#include "platform/suite_settings.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"

namespace {

bool IsWebAddress(std::string_view word) {
  return word.starts_with("http://") || word.starts_with("https://") || word.starts_with("www.");
}

// The three characters after the first full stop, upper-cased.
std::string ExtensionOf(std::string_view word) {
  const std::size_t dot = word.find('.');
  return dot == std::string_view::npos ? "" : UpperCaseAnsi(word.substr(dot + 1, 3));
}

// The word as a path of an executable regular file (relative to the
// current directory), or empty.
std::string ExecutablePath(std::string_view word) {
  std::error_code error;
  std::string path = Utf8FromWindows1252(word);
  if (!path.starts_with('/')) path = (std::filesystem::current_path(error) / path).string();
  struct stat status {};
  if (error || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || access(path.c_str(), X_OK) != 0) return "";
  return path;
}

// The program a setting names, else xdg-open; the word is its argument.
std::vector<std::string> OpenWith(std::string_view settingKey, std::string_view word) {
  const std::string program = ReadSuiteSetting("SONARA", settingKey);
  return {program.empty() ? "xdg-open" : LinuxPath(program), Utf8FromWindows1252(word)};
}

std::vector<std::string> CommandFor(std::string_view word) {
  if (IsWebAddress(word)) return OpenWith("PROG.HTM", word);
  if (const std::string path = ExecutablePath(word); !path.empty()) return {path};
  return OpenWith("PROG." + ExtensionOf(word), word);
}

}  // namespace

void OpenWordTarget(std::string_view word) {
  const std::vector<std::string> command = CommandFor(word);
  WaitSpeechEnd();
  const bool started = StartProgram(command, "");
  WaitSpeechEnd();
  if (!started) PlayBeep();
}
