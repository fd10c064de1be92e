#include "tts/pronunciation_exceptions.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/text_encoding.h"
#include "tts/data_file_lines.h"

namespace {

constexpr std::size_t kMaxExceptions = 15000;
constexpr std::size_t kMaxLineLength = 255;

std::vector<std::pair<std::string, std::string>> exceptions;

}  // namespace

bool LoadExceptions(const std::string& fileName) {
  std::vector<std::string> lines;
  if (!ReadDataFileLines(fileName, lines)) return false;
  exceptions.clear();
  for (const std::string& raw : lines) {
    if (exceptions.size() >= kMaxExceptions) break;
    if (raw.empty()) continue;
    const std::string line = UpperCaseAnsi(raw.substr(0, kMaxLineLength)) + "|=|";
    const std::size_t equals = line.find('=');
    const std::size_t bar = line.find('|', equals + 1);
    exceptions.emplace_back(line.substr(0, equals), line.substr(equals + 1, bar - equals - 1));
  }
  std::sort(exceptions.begin(), exceptions.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return true;
}

std::string LookupException(std::string_view word) {
  std::string stem(word), suffix;
  while (!stem.empty()) {
    const auto found = std::lower_bound(exceptions.begin(), exceptions.end(), stem,
                                        [](const auto& entry, const std::string& key) { return entry.first < key; });
    if (found != exceptions.end() && found->first == stem) return found->second + suffix;
    const char last = stem.back();
    if (last != 'S' && last != 'M') break;
    suffix.insert(suffix.begin(), last);
    stem.pop_back();
  }
  return std::string(word);
}
