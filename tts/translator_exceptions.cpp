#include <algorithm>
#include <fstream>

#include "tts/translator_rules.h"

namespace {

constexpr std::size_t kMaxExceptions = 15000;
constexpr std::size_t kMaxLineChars = 255;

bool WordLess(const std::pair<std::string, std::string>& entry, std::string_view word) { return entry.first < word; }

}  // namespace

bool LoadTranslatorExceptions(const std::string& linuxPath, TranslatorExceptions& exceptions) {
  exceptions.clear();
  std::ifstream file(linuxPath, std::ios::binary);
  if (!file) return false;
  std::string line;
  while (exceptions.size() < kMaxExceptions && std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    line = line.substr(0, kMaxLineChars) + "|=|";
    const std::size_t equals = line.find('=');
    const std::size_t bar = line.find('|', equals + 1);
    exceptions.emplace_back(line.substr(0, equals), line.substr(equals + 1, bar - equals - 1));
  }
  std::stable_sort(exceptions.begin(), exceptions.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return true;
}

std::string LookupTranslatorException(const TranslatorExceptions& exceptions, std::string_view word) {
  std::string_view stem = word;
  while (!stem.empty()) {
    const auto found = std::lower_bound(exceptions.begin(), exceptions.end(), stem, WordLess);
    if (found != exceptions.end() && found->first == stem) return found->second + std::string(word.substr(stem.size()));
    if (stem.back() != 's' && stem.back() != 'm') break;
    stem.remove_suffix(1);
  }
  return std::string(word);
}
