#include "tools/voice_data/unit_inventory.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr std::size_t kMaxUnitName = 8;

struct Vowel {
  std::string name, oral, nasal;
  bool til = false;
};

struct Inventory {
  std::vector<std::pair<std::string, std::string>> starts;  // name, phonemes
  std::vector<Vowel> vowels;
  std::vector<SoundToRender> singles;
};

std::string Nothing(const std::string& field) { return field == "-" ? std::string() : field; }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return text;
}

std::string Phonemes(const std::string& phonemes) { return "[[" + phonemes + "]]"; }

bool ParseLine(const std::string& line, Inventory& inventory) {
  std::istringstream fields(line);
  std::string kind, name, first, second, third;
  fields >> kind >> name >> first;
  if (kind == "inicio") {
    inventory.starts.emplace_back(Nothing(name), Nothing(first));
    return !first.empty();
  }
  if (kind == "vogal") {
    fields >> second >> third;
    inventory.vowels.push_back({name, first, second, third == "til"});
    return !second.empty();
  }
  if (kind == "unidade") {
    SoundToRender sound{Upper(name), Phonemes(first)};
    std::string to;
    if (fields >> sound.fromPhoneme) {
      if (!(fields >> to)) return false;
      sound.toPhoneme = to == "fim" ? -1 : std::atoi(to.c_str());
    }
    inventory.singles.push_back(sound);
    return !first.empty();
  }
  return false;
}

void AddUnit(std::vector<SoundToRender>& units, const std::string& name, const std::string& speech) {
  if (name.size() <= kMaxUnitName) units.push_back({Upper(name), speech});
}

std::vector<SoundToRender> Expand(const Inventory& inventory) {
  std::vector<SoundToRender> units = inventory.singles;
  for (const auto& [start, startPhonemes] : inventory.starts) {
    for (const Vowel& vowel : inventory.vowels) {
      const std::string stem = "$" + start + vowel.name;
      AddUnit(units, stem, Phonemes(startPhonemes + "'" + vowel.oral));
      AddUnit(units, stem + "CIRC", Phonemes(startPhonemes + "'" + vowel.nasal));
      if (vowel.til) AddUnit(units, stem + "TIL", Phonemes(startPhonemes + "'" + vowel.nasal));
    }
  }
  std::stable_sort(units.begin(), units.end(), [](const SoundToRender& a, const SoundToRender& b) { return a.name < b.name; });
  // A name listed twice keeps its first entry.
  units.erase(std::unique(units.begin(), units.end(), [](const SoundToRender& a, const SoundToRender& b) { return a.name == b.name; }),
              units.end());
  return units;
}

template <typename Handle>
bool ForEachLine(const std::string& path, std::string& error, Handle handle) {
  std::ifstream file(path);
  if (!file) {
    error = "cannot read " + path;
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (line.empty() || line.front() == '#') continue;
    if (!handle(line)) {
      error = path + ":" + std::to_string(number) + ": malformed line";
      return false;
    }
  }
  return true;
}

}  // namespace

bool ReadUnitInventory(const std::string& path, std::vector<SoundToRender>& units, std::string& error) {
  Inventory inventory;
  if (!ForEachLine(path, error, [&](const std::string& line) { return ParseLine(line, inventory); })) return false;
  units = Expand(inventory);
  return true;
}

bool ReadLetterNames(const std::string& path, std::vector<SoundToRender>& letters, std::string& error) {
  return ForEachLine(path, error, [&](const std::string& line) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string::npos || blank + 1 >= line.size()) return false;
    const int code = std::atoi(line.substr(0, blank).c_str());
    if (code < 1 || code > 255) return false;
    letters.push_back({"_" + std::to_string(code), line.substr(blank + 1)});
    return true;
  });
}
