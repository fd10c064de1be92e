#include "platform/message_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/text_encoding.h"

namespace {

constexpr std::string_view kRecordedMark = " gravada";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsKeyCharacter(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

bool IsBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::string CodePointName(char32_t codePoint) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
  return name;
}

// Empty when every character of the UTF-8 text is printable and has a
// Windows-1252 form, else what is wrong.
std::string ProblemOfText(std::string_view text) {
  while (!text.empty()) {
    const Utf8Step step = DecodeUtf8Step(text);
    if (!step.valid) return "the text is not valid UTF-8";
    const char32_t c = step.codePoint;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return "control character " + CodePointName(c) + " in the text";
    if (c != '?' && Windows1252FromCodePoint(c) == '?') {
      return "character " + CodePointName(c) + " has no Windows-1252 form";
    }
    text.remove_prefix(step.length);
  }
  return {};
}

// One line that is neither blank nor a comment; false with what is wrong.
bool ParseLine(std::string_view line, CatalogueMessage& message, std::string& what) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    what = "missing '=' between the key and the text";
    return false;
  }
  const std::string_view key = line.substr(0, equals);
  if (key.empty()) {
    what = "missing key before '='";
    return false;
  }
  for (const char c : key) {
    if (!IsKeyCharacter(c)) {
      what = "key \"" + std::string(key) + "\": only capitals, digits and '_' are allowed";
      return false;
    }
  }
  std::string_view rest = line.substr(equals + 1);
  if (rest.empty() || rest.front() != '"') {
    what = "the text of " + std::string(key) + " must be written in double quotes";
    return false;
  }
  rest.remove_prefix(1);
  std::string text;
  bool closed = false;
  while (!rest.empty()) {
    const char c = rest.front();
    rest.remove_prefix(1);
    if (c == '"') {
      closed = true;
      break;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    const char escaped = rest.empty() ? '\0' : rest.front();
    if (escaped == '"' || escaped == '\\') {
      text += escaped;
    } else if (escaped == 'n') {
      text += '\n';
    } else {
      what = "unknown escape in the text of " + std::string(key) + " (only \\\", \\\\ and \\n)";
      return false;
    }
    rest.remove_prefix(1);
  }
  if (!closed) {
    what = "the text of " + std::string(key) + " has no closing quote";
    return false;
  }
  if (!rest.empty() && rest != kRecordedMark) {
    what = "after the text of " + std::string(key) + " only \" gravada\" may follow, not \"" + std::string(rest) + "\"";
    return false;
  }
  // Line ends written as \n are the one control character a text may hold.
  std::string withoutLineEnds = text;
  std::erase(withoutLineEnds, '\n');
  if (const std::string problem = ProblemOfText(withoutLineEnds); !problem.empty()) {
    what = std::string(key) + ": " + problem;
    return false;
  }
  message = {std::string(key), std::move(text), !rest.empty()};
  return true;
}

}  // namespace

bool ParseMessageFile(std::string_view contents, std::vector<CatalogueMessage>& messages, MessageFileError& error) {
  messages.clear();
  if (contents.starts_with(kByteOrderMark)) contents.remove_prefix(kByteOrderMark.size());
  std::map<std::string, int, std::less<>> firstLine;
  int number = 0;
  while (!contents.empty()) {
    ++number;
    const std::size_t end = contents.find('\n');
    std::string_view line = contents.substr(0, end);
    contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (IsBlankLine(line) || line.front() == '#') continue;
    CatalogueMessage message;
    if (!ParseLine(line, message, error.what)) {
      error.line = number;
      return false;
    }
    const auto [earlier, added] = firstLine.emplace(message.key, number);
    if (!added) {
      error = {number, "key " + message.key + " given twice (first on line " + std::to_string(earlier->second) + ")"};
      return false;
    }
    messages.push_back(std::move(message));
  }
  return true;
}

bool ReadMessageFile(const std::string& path, std::vector<CatalogueMessage>& messages, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  const std::string contents{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (!file.is_open() || file.bad()) {
    error = path + ": cannot be read";
    return false;
  }
  MessageFileError problem;
  if (ParseMessageFile(contents, messages, problem)) return true;
  error = path + ":" + std::to_string(problem.line) + ": " + problem.what;
  return false;
}
