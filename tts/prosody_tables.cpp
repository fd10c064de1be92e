#include "tts/prosody_tables.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "platform/message_box.h"
#include "platform/message_texts.h"
#include "platform/text_encoding.h"
#include "tts/data_file_lines.h"

ProsodyTables prosodyTables;

namespace {

constexpr std::string_view kTitle = "Tavelatts";

std::optional<int> ParseInteger(std::string_view text) {
  const std::string trimmed = Trimmed(text);
  int value = 0;
  const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  if (trimmed.empty() || error != std::errc() || end != trimmed.data() + trimmed.size()) return std::nullopt;
  return value;
}

bool Fail(std::string_view message) {
  ShowMessageBox(kTitle, message);
  return false;
}

// The lines of a section, trimmed, without comments and blank lines; false
// when its heading is missing.
bool SectionLines(const std::vector<std::string>& lines, std::string_view heading, std::vector<std::string>& section) {
  section.clear();
  auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return Trimmed(l) == heading; });
  if (line == lines.end()) return false;
  for (++line; line != lines.end(); ++line) {
    const std::string text = Trimmed(*line);
    if (text.empty() || text[0] == '*' || text[0] == ';') continue;
    if (text[0] == '[') break;
    section.push_back(text);
  }
  return true;
}

bool IsLevelValue(std::string_view value) {
  if (value.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    const bool digit = value[i] >= '0' && value[i] <= '9';
    if (!digit && !(i == 0 && value[i] == '?')) return false;
  }
  return true;
}

bool LoadDurations(const std::vector<std::string>& lines) {
  std::vector<std::string> section;
  if (!SectionLines(lines, "[DURA\xC7\xC3O]", section)) return Fail(GetMessage("PRODURAC"));
  for (const std::string& line : section) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return Fail(GetMessageWith("PROFONEM", {line}));
    const std::optional<int> duration = ParseInteger(line.substr(equals + 1));
    // Told, but not fatal: the phoneme gets the usual 100 ms.
    if (!duration) ShowMessageBox(kTitle, GetMessageWith("PROFONEM", {line}));
    prosodyTables.durations.emplace_back(Trimmed(line.substr(0, equals)).substr(0, 2), duration.value_or(100));
  }
  return true;
}

bool LoadKeywords(const std::vector<std::string>& lines) {
  std::vector<std::string> section;
  if (!SectionLines(lines, "[CHAVES]", section)) return Fail(GetMessage("PROPALAV"));
  for (const std::string& line : section) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return Fail(GetMessageWith("PROCHAVE", {line}));
    prosodyTables.keywords.emplace_back(UpperCaseAnsi(Trimmed(line.substr(0, equals))),
                                        UpperCaseAnsi(Trimmed(line.substr(equals + 1))).substr(0, 2));
  }
  std::sort(prosodyTables.keywords.begin(), prosodyTables.keywords.end());
  return true;
}

bool LoadIntonation(const std::vector<std::string>& lines) {
  std::vector<std::string> section;
  if (!SectionLines(lines, "[PROS\xD3" "DIA]", section)) return Fail(GetMessage("PROESPEC"));
  for (const std::string& original : section) {
    const std::string line = UpperCaseAnsi(original);
    if (line.starts_with("HERTZ=")) {
      if (const auto hertz = ParseInteger(std::string_view(line).substr(6))) prosodyTables.HERTZ = *hertz;
      continue;
    }
    if (line.starts_with("TABHERTZ=")) {
      std::string_view values = std::string_view(line).substr(9);
      for (int& level : prosodyTables.TABHERTZ) {
        const std::size_t comma = values.find(',');
        level = ParseInteger(values.substr(0, comma)).value_or(0);
        values = comma == std::string_view::npos ? std::string_view() : values.substr(comma + 1);
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return Fail(GetMessageWith("PROCHAVE", {original}));
    IntonationRule rule;
    std::string_view patterns = std::string_view(line).substr(0, equals);
    for (std::string* part : {&rule.previous, &rule.current, &rule.next}) {
      const std::size_t bar = patterns.find('|');
      *part = Trimmed(patterns.substr(0, bar)).substr(0, 3);
      patterns = bar == std::string_view::npos ? std::string_view() : patterns.substr(bar + 1);
    }
    rule.value = Trimmed(std::string_view(line).substr(equals + 1));
    // A value that is not three levels could not be spoken: the line is wrong.
    if (!IsLevelValue(rule.value)) return Fail(GetMessageWith("PROCHAVE", {original}));
    prosodyTables.intonationRules.push_back(rule);
  }
  return true;
}

}  // namespace

bool LoadProsody(const std::string& fileName) {
  prosodyTables = ProsodyTables{};
  std::vector<std::string> lines;
  if (!ReadDataFileLines(fileName, lines)) return Fail(GetMessage("PRONAOAC"));
  return LoadDurations(lines) && LoadKeywords(lines) && LoadIntonation(lines);
}

std::string LookupKeyword(std::string_view word) {
  const std::string upper = UpperCaseAnsi(word);
  const auto& keywords = prosodyTables.keywords;
  const auto found = std::lower_bound(keywords.begin(), keywords.end(), upper,
                                      [](const auto& entry, const std::string& key) { return entry.first < key; });
  return found != keywords.end() && found->first == upper ? found->second : "";
}

int PhonemeDuration(std::string_view phoneme) {
  for (const auto& [symbol, duration] : prosodyTables.durations) {
    if (symbol == phoneme) return duration;
  }
  return 100;
}
