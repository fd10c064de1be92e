#include "tts/abbreviations.h"

#include <utility>
#include <vector>

#include "platform/text_encoding.h"
#include "tts/data_file_lines.h"

namespace {

std::vector<std::pair<std::string, std::string>> abbreviations;

}  // namespace

bool LoadAbbreviations(const std::string& fileName) {
  std::vector<std::string> lines;
  if (!ReadDataFileLines(fileName, lines)) return false;
  abbreviations.clear();
  for (const std::string& raw : lines) {
    const std::string line = Trimmed(raw);
    if (line.empty() || line[0] == ';') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      abbreviations.emplace_back("", line);
    } else {
      abbreviations.emplace_back(UpperCaseAnsi(Trimmed(line.substr(0, equals))), Trimmed(line.substr(equals + 1)));
    }
  }
  return true;
}

std::string ExpandAbbreviation(std::string_view word) {
  const std::string upper = UpperCaseAnsi(word);
  for (const auto& [abbreviation, expansion] : abbreviations) {
    if (abbreviation == upper) return expansion;
  }
  return "";
}
