// What every layout text made of a document must hold, whatever the
// document: a line beginning with '<' is one of the commands the
// conversion writes, never a piece of the document's own text.
#pragma once

#include <cstdlib>
#include <string_view>

inline bool IsWrittenCommand(std::string_view line) {
  if (line == "<F+>" || line == "<F->" || line == "<P>" || line == "<R+>" || line == "<R->") return true;
  if (!line.ends_with('>') || line.size() < 3) return false;
  const std::string_view inside = line.substr(2, line.size() - 3);
  if (line[1] == 'M') return inside.find_first_not_of(' ') == std::string_view::npos;
  if (line[1] == 'T') return inside.find('\n') == std::string_view::npos;
  return line.substr(1, line.size() - 2).find_first_not_of("0123456789") == std::string_view::npos;
}

inline void CheckLayoutText(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) std::abort();  // every line is ended
    const std::string_view line = text.substr(0, end);
    if (line.starts_with('<') && !IsWrittenCommand(line)) std::abort();
    text.remove_prefix(end + 1);
  }
}
