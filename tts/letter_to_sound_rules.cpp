#include "tts/letter_to_sound_rules.h"

#include <algorithm>
#include <array>
#include <climits>

#include "platform/text_encoding.h"
#include "tts/data_file_lines.h"
#include "tts/portuguese_letters.h"

namespace {

struct Rule {
  std::string left, middle, right, output;
};

constexpr std::size_t kPartLength = 5;
constexpr std::size_t kOutputLength = 20;
constexpr std::size_t kOutputUsed = 11;

// One list per first character of the middle part, in file order.
std::array<std::vector<Rule>, 256> rules;

Rule ParseRule(const std::string& line) {
  Rule rule;
  const std::size_t open = line.find('(');
  if (open == std::string::npos) {
    rule.left = line.substr(0, kPartLength);
    return rule;
  }
  rule.left = line.substr(0, std::min(open, kPartLength));
  const std::size_t close = line.find(')', open + 1);
  rule.middle = line.substr(open + 1, std::min(close == std::string::npos ? std::string::npos : close - open - 1, kPartLength));
  if (close == std::string::npos) return rule;
  const std::size_t equals = line.find('=', close + 1);
  rule.right = line.substr(close + 1, std::min(equals == std::string::npos ? std::string::npos : equals - close - 1, kPartLength));
  if (equals == std::string::npos) return rule;
  std::string output = line.substr(equals + 1);
  output = Trimmed(output.substr(0, output.find('|')));
  rule.output = output.substr(0, kOutputLength);
  return rule;
}

// The word seen by the contexts: 1-based positions, upper-cased letters.
struct Word {
  std::string_view text;
  int length() const { return static_cast<int>(text.size()); }
  bool Inside(int cursor) const { return cursor >= 1 && cursor <= length(); }
  unsigned char At(int cursor) const { return UpperWindows1252(static_cast<unsigned char>(text[static_cast<std::size_t>(cursor - 1)])); }
};

bool IsBackVowel(unsigned char c) {
  return c == 'A' || c == 'O' || c == 0xC1 || c == 0xC2 || c == 0xD3 || c == 0xD4;
}
bool IsFrontVowel(unsigned char c) { return c == 'E' || c == 'I' || c == 0xC9 || c == 0xCD; }
bool IsSonorant(unsigned char c) { return c == 'L' || c == 'M' || c == 'N' || c == 'R' || c == 'Z'; }

bool LeftMatches(const Word& word, std::string_view left, int cursor) {
  for (std::size_t i = left.size(); i-- > 0;) {
    const char symbol = left[i];
    const bool inside = word.Inside(cursor);
    const unsigned char c = inside ? word.At(cursor) : 0;
    switch (symbol) {
      case '#':
        if (!inside || !portuguese::IsVowel(c)) return false;
        --cursor;
        break;
      case '%':
        if (inside) return false;
        break;
      case ']':
        if (!inside || !IsBackVowel(c)) return false;
        --cursor;
        break;
      case '_':
        if (cursor == 0) break;
        if (!inside || !portuguese::IsVowel(c)) return false;
        --cursor;
        break;
      case '|':
        if (!inside || (c != 'N' && c != 'R' && c != 'S')) return false;
        --cursor;
        break;
      default:
        if (!inside || c != static_cast<unsigned char>(symbol)) return false;
        --cursor;
    }
  }
  return true;
}

bool RightMatches(const Word& word, std::string_view right, int cursor) {
  for (const char symbol : right) {
    const bool inside = word.Inside(cursor);
    const unsigned char c = inside ? word.At(cursor) : 0;
    switch (symbol) {
      case '#':
        if (!inside || !portuguese::IsVowel(c)) return false;
        ++cursor;
        break;
      case '%':
        if (inside) return false;
        break;
      case '&':
        if (!inside || !IsSonorant(c)) return false;
        ++cursor;
        break;
      case '*':
        if (!inside || !portuguese::IsConsonant(c) || c == 'L' || c == 'R') return false;
        break;
      case '+':
        if (!inside || !IsFrontVowel(c)) return false;
        ++cursor;
        break;
      case '[':
        if (inside && (!portuguese::IsConsonant(c) || c == 'H')) return false;
        break;
      case '\\':
        if (inside && c == 'S') ++cursor;
        break;
      default:
        if (!inside || c != static_cast<unsigned char>(symbol)) return false;
        ++cursor;
    }
  }
  return true;
}

bool MiddleMatches(const Word& word, std::string_view middle, int p) {
  for (std::size_t k = 0; k < middle.size(); ++k) {
    const int at = p + static_cast<int>(k);
    if (!word.Inside(at) || word.At(at) != static_cast<unsigned char>(middle[k])) return false;
  }
  return true;
}

const Rule* FindRule(const Word& word, int p) {
  const unsigned char c = static_cast<unsigned char>(word.text[static_cast<std::size_t>(p - 1)]);
  if (c < 32) return nullptr;
  for (const Rule& rule : rules[UpperWindows1252(c)]) {
    if (MiddleMatches(word, rule.middle, p) && LeftMatches(word, rule.left, p - 1) &&
        RightMatches(word, rule.right, p + static_cast<int>(rule.middle.size()))) {
      return &rule;
    }
  }
  return nullptr;
}

}  // namespace

bool LoadRules(const std::string& fileName) {
  std::vector<std::string> lines;
  if (!ReadDataFileLines(fileName, lines)) return false;
  FreeRules();
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == ';') continue;
    Rule rule = ParseRule(line);
    const unsigned char first = rule.middle.empty() ? 0 : static_cast<unsigned char>(rule.middle[0]);
    if (first < 32) continue;
    rules[first].push_back(std::move(rule));
  }
  return true;
}

void FreeRules() {
  for (auto& list : rules) list.clear();
}

void ApplyRules(std::string_view text, int stressPosition, std::vector<std::string>& phonemeList) {
  const Word word{text};
  int stress = stressPosition < 1 ? INT_MAX : stressPosition;
  std::string phoneme;
  for (int p = 1; p <= word.length();) {
    const Rule* rule = FindRule(word, p);
    if (rule == nullptr) {
      ++p;
      continue;
    }
    const std::string_view output = std::string_view(rule->output).substr(0, kOutputUsed);
    for (const char c : output) {
      if (p >= stress) {
        phoneme += '>';
        stress = INT_MAX;  // one mark per word, however long
      }
      if (c == '&') {
        phonemeList.push_back(phoneme);
        phoneme.clear();
      } else {
        phoneme += c;
      }
    }
    if (!output.empty()) {
      phonemeList.push_back(phoneme);
      phoneme.clear();
    }
    p += static_cast<int>(rule->middle.size());
  }
  phonemeList.push_back(phoneme);
}
