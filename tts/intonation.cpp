#include "tts/intonation.h"

#include "tts/portuguese_letters.h"
#include "tts/prosody_tables.h"

namespace {

std::string KeyOf(const std::string& line) { return line.size() > 1 ? line.substr(1, 2) : ""; }

bool PatternFits(const std::string& pattern, const std::string& key) { return pattern.empty() || pattern == key; }

std::string PatternOf(const std::string& previous, const std::string& current, const std::string& next) {
  for (const IntonationRule& rule : prosodyTables.intonationRules) {
    if (PatternFits(rule.previous, KeyOf(previous)) && PatternFits(rule.current, KeyOf(current)) &&
        PatternFits(rule.next, KeyOf(next))) {
      return rule.value;
    }
  }
  return "555";
}

}  // namespace

std::vector<std::string> Tokenise(std::string_view text) {
  std::vector<std::string> tokens = {"[--]"};
  std::size_t position = 0;
  while (true) {
    while (position < text.size() && text[position] == ' ') ++position;
    if (position >= text.size()) break;
    std::string key, token;
    if (text[position] == '.' && position + 1 < text.size() && text[position + 1] == '.') {
      while (position < text.size() && text[position] == '.') ++position;
      key = ".-";
      token = ".";
    } else if (!portuguese::IsLetter(static_cast<unsigned char>(text[position]))) {
      token = std::string(1, text[position]);
      key = token + token;
      ++position;
    } else {
      const std::size_t start = position;
      while (position < text.size() && portuguese::IsLetter(static_cast<unsigned char>(text[position]))) ++position;
      token = std::string(text.substr(start, position - start));
      key = LookupKeyword(token);
      if (key.empty()) key = "XX";
    }
    tokens.push_back("[" + key + "]" + token);
    if (token[0] == '!' || token[0] == '.' || token[0] == '?') tokens.push_back("[--]");
  }
  return tokens;
}

std::vector<std::string> AssignIntonation(const std::vector<std::string>& tokens, bool usePatterns) {
  std::vector<const std::string*> lines;
  for (const std::string& line : tokens) {
    if (!line.empty()) lines.push_back(&line);
  }
  static const std::string kNone;
  std::vector<std::string> result;
  char previousLastLevel = '5';
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& previous = i > 0 ? *lines[i - 1] : kNone;
    const std::string& next = i + 1 < lines.size() ? *lines[i + 1] : kNone;
    std::string value = usePatterns ? PatternOf(previous, *lines[i], next) : "555";
    if (value[0] == '?') value[0] = previousLastLevel;
    previousLastLevel = value[2];
    result.push_back(value + "|" + (lines[i]->size() > 4 ? lines[i]->substr(4) : ""));
  }
  return result;
}
