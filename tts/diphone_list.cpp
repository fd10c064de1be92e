#include "tts/diphone_list.h"

#include <algorithm>
#include <vector>

#include "tts/data_file_lines.h"

namespace {

std::vector<std::string> diphones;  // "first-second", lower case, sorted

bool IsPhonemeCharacter(char c) {
  return c == '2' || c == '@' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         static_cast<unsigned char>(c) >= 0xC0;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
  }
  return text;
}

// The run of phoneme characters at or after position, which moves past it.
std::string NextRun(const std::string& line, std::size_t& position) {
  while (position < line.size() && !IsPhonemeCharacter(line[position])) ++position;
  const std::size_t start = position;
  while (position < line.size() && IsPhonemeCharacter(line[position])) ++position;
  return line.substr(start, position - start);
}

}  // namespace

bool LoadDiphoneList(const std::string& fileName) {
  std::vector<std::string> lines;
  if (!ReadDataFileLines(fileName, lines)) return false;
  diphones.clear();
  for (const std::string& raw : lines) {
    const std::string line = Trimmed(raw);
    if (line.empty() || line[0] == '!' || line[0] == '*' || line[0] == ';') continue;
    std::size_t position = 0;
    const std::string first = NextRun(line, position);
    const std::string second = NextRun(line, position);
    diphones.push_back(LowerAscii(first + "-" + second));
  }
  std::sort(diphones.begin(), diphones.end());
  return true;
}

void FreeDiphoneList() { diphones.clear(); }

bool HasDiphone(std::string_view first, std::string_view second) {
  return std::binary_search(diphones.begin(), diphones.end(),
                            LowerAscii(std::string(first) + "-" + std::string(second)));
}

std::string FillerBetween(std::string_view first, std::string_view second) {
  std::vector<std::string> candidates;
  if (first == "r2") candidates.push_back("_");
  candidates.insert(candidates.end(), {"y", "_", "@"});
  for (const std::string& pair : diphones) candidates.push_back(pair.substr(0, pair.find('-')));
  for (const std::string& filler : candidates) {
    if (HasDiphone(first, filler) && HasDiphone(filler, second)) return filler;
  }
  return "_";
}
