#include "editor/read_line.h"

#include <filesystem>
#include <system_error>

#include "console/console.h"
#include "editor/edit_field.h"
#include "editor/file_chooser.h"
#include "platform/paths.h"
#include "speech/speech.h"

ReadLineState readLine;

namespace {

constexpr int kLongestName = 255;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsDirectory(const std::string& text) {
  std::error_code error;
  return !text.empty() && std::filesystem::is_directory(LinuxPath(text), error);
}

}  // namespace

void ReadLine(int lines, std::string& result) {
  const int column = CursorColumn();
  const int row = CursorRow();
  for (;;) {
    std::string text;
    const int key = EditFieldToLineEnd(text, column, row, true, kLongestName);
    readLine.lastKey = key;
    if (key == kEscapeKey || (key == kEnterKey && text.empty())) {
      result.clear();
      return;
    }
    text = Trimmed(text);
    if (IsDirectory(text) && !text.ends_with('/')) text += '/';
    const std::size_t slash = text.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : text.substr(0, slash + 1);
    if (text.empty()) text = "*.*";
    if (key != kEnterKey || text.find('*') != std::string::npos) text = ChooseFile(column, row, lines, text);
    if (text != kChooserTab) {
      result = text.find('/') != std::string::npos ? text : folder + text;
      return;
    }
    PlayClick();
    PlayClick();
  }
}
