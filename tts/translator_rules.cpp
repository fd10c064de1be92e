#include "tts/translator_rules.h"

#include <fstream>
#include <vector>

#include "platform/text_encoding.h"
#include "tts/translator_words.h"

namespace {

constexpr std::size_t kContextChars = 5;
constexpr std::size_t kOutputChars = 11;

std::string Part(std::string_view line, std::size_t from, std::size_t to, std::size_t capacity) {
  if (from >= line.size() || to <= from) return {};
  return std::string(line.substr(from, std::min(to - from, capacity)));
}

// Splits left "(" middle ")" right "=" output "|"; a missing "(" leaves the
// whole line in the left part, a missing ")" or "=" empties what follows.
TranslatorRule ParseRule(std::string_view line) {
  TranslatorRule rule;
  const std::size_t open = line.find('(');
  rule.left = Part(line, 0, open, kContextChars);
  if (open == std::string_view::npos) return rule;
  const std::size_t close = line.find(')', open + 1);
  rule.middle = Part(line, open + 1, close, kContextChars);
  if (close == std::string_view::npos) return rule;
  const std::size_t equals = line.find('=', close + 1);
  rule.right = Part(line, close + 1, equals, kContextChars);
  if (equals == std::string_view::npos) return rule;
  rule.output = Part(line, equals + 1, line.find('|', equals + 1), kOutputChars);
  return rule;
}

int BucketOf(char c) {
  const int code = static_cast<unsigned char>(c);
  return code >= kFirstRuleCode && code <= kLastRuleCode ? code - kFirstRuleCode : -1;
}

bool IsOneOf(char c, std::string_view set) { return set.find(AsciiUpper(c)) != std::string_view::npos; }

// Where each run of vowels and accent marks of a word begins and ends, so
// that the "#" contexts step over a run at once: walking it at every
// position would make a long run of vowels cost time squared.
struct VowelRuns {
  std::vector<long> start;          // first position of the run holding i
  std::vector<long> end;            // position after that run
  std::vector<long> lastNonAccent;  // last position <= i that is no accent mark, or -1

  explicit VowelRuns(std::string_view word)
      : start(word.size()), end(word.size()), lastNonAccent(word.size()) {
    const long size = static_cast<long>(word.size());
    auto inRun = [&word](long i) { return IsWordVowel(word[i]) || IsAccentMark(word[i]); };
    for (long i = 0; i < size; ++i) {
      start[i] = i > 0 && inRun(i) && inRun(i - 1) ? start[i - 1] : i;
      lastNonAccent[i] = IsAccentMark(word[i]) ? (i > 0 ? lastNonAccent[i - 1] : -1) : i;
    }
    for (long i = size - 1; i >= 0; --i) end[i] = i + 1 < size && inRun(i) && inRun(i + 1) ? end[i + 1] : i + 1;
  }
};

// A word seen through a cursor that may stand outside it on either side.
struct WordCursor {
  std::string_view word;
  const VowelRuns& runs;
  long at;
  bool Inside() const { return at >= 0 && at < static_cast<long>(word.size()); }
  bool Inside(long position) const { return position >= 0 && position < static_cast<long>(word.size()); }
  char Char() const { return word[static_cast<std::size_t>(at)]; }
  char CharAt(long position) const { return word[static_cast<std::size_t>(position)]; }
};

// Right context symbols, read left to right from the end of the match.
bool MatchRightSymbol(char symbol, WordCursor& c) {
  switch (symbol) {
    case '#':  // one or more vowels with their accent marks
      if (!c.Inside() || !IsWordVowel(c.Char())) return false;
      c.at = c.runs.end[static_cast<std::size_t>(c.at)];
      return true;
    case '%':
      return c.at >= static_cast<long>(c.word.size());
    case '&':
      if (!c.Inside() || !IsOneOf(c.Char(), "LMNRZ")) return false;
      ++c.at;
      return true;
    case '*':
      return c.Inside() && IsWordConsonant(c.Char()) && !IsOneOf(c.Char(), "RL");
    case '+':  // a front vowel, and the accent mark after it
      if (!c.Inside() || !IsOneOf(c.Char(), "EI")) return false;
      ++c.at;
      if (c.Inside() && IsAccentMark(c.Char())) ++c.at;
      return true;
    case '[':
      return !c.Inside() || (IsWordConsonant(c.Char()) && AsciiUpper(c.Char()) != 'H');
    case '\\':  // an optional S
      if (c.Inside() && AsciiUpper(c.Char()) == 'S') ++c.at;
      return true;
    default:
      if (!c.Inside() || AsciiUpper(c.Char()) != symbol) return false;
      ++c.at;
      return true;
  }
}

// Left context symbols, read right to left from before the match. An accent
// mark belongs to the vowel before it.
bool MatchLeftSymbol(char symbol, WordCursor& c) {
  switch (symbol) {
    case '#': {
      if (!c.Inside()) return false;
      const long at = c.runs.lastNonAccent[static_cast<std::size_t>(c.at)];
      if (at < 0 || !IsWordVowel(c.CharAt(at))) return false;
      c.at = c.runs.start[static_cast<std::size_t>(at)] - 1;
      return true;
    }
    case '%':
      return c.at < 0;
    case ']':  // a back vowel, also with an accent mark after it
      if (!c.Inside()) return false;
      if (IsOneOf(c.Char(), "AO")) {
        --c.at;
        return true;
      }
      if (IsAccentMark(c.Char()) && c.Inside(c.at - 1) && IsOneOf(c.CharAt(c.at - 1), "AO")) {
        c.at -= 2;
        return true;
      }
      return false;
    case '_':  // the start of the word, or a vowel with its accent mark
      if (c.at < 0) return true;
      if (IsAccentMark(c.Char()) && c.Inside(c.at - 1) && IsWordVowel(c.CharAt(c.at - 1))) {
        c.at -= 2;
        return true;
      }
      if (!IsWordVowel(c.Char())) return false;
      --c.at;
      return true;
    case '|':
      if (!c.Inside() || !IsOneOf(c.Char(), "NRS")) return false;
      --c.at;
      return true;
    default:
      if (!c.Inside() || AsciiUpper(c.Char()) != symbol) return false;
      --c.at;
      return true;
  }
}

bool Matches(const TranslatorRule& rule, std::string_view word, const VowelRuns& runs, std::size_t p) {
  if (p + rule.middle.size() > word.size()) return false;
  for (std::size_t k = 0; k < rule.middle.size(); ++k) {
    if (AsciiUpper(word[p + k]) != rule.middle[k]) return false;
  }
  WordCursor left{word, runs, static_cast<long>(p) - 1};
  for (auto symbol = rule.left.rbegin(); symbol != rule.left.rend(); ++symbol) {
    if (!MatchLeftSymbol(*symbol, left)) return false;
  }
  WordCursor right{word, runs, static_cast<long>(p + rule.middle.size())};
  for (char symbol : rule.right) {
    if (!MatchRightSymbol(symbol, right)) return false;
  }
  return true;
}

const TranslatorRule* FindRule(const TranslatorRules& rules, std::string_view word, const VowelRuns& runs,
                               std::size_t p) {
  const int bucket = BucketOf(AsciiUpper(word[p]));
  if (bucket < 0) return nullptr;
  for (const TranslatorRule& rule : rules[static_cast<std::size_t>(bucket)]) {
    if (Matches(rule, word, runs, p)) return &rule;
  }
  return nullptr;
}

std::string StressedOutput(std::string output) {
  for (char& c : output) {
    if (IsWordVowel(c)) {
      c = AsciiUpper(c);
      break;
    }
  }
  return output;
}

}  // namespace

bool LoadTranslatorRules(const std::string& linuxPath, TranslatorRules& rules) {
  for (auto& bucket : rules) bucket.clear();
  std::ifstream file(linuxPath, std::ios::binary);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    TranslatorRule rule = ParseRule(line);
    if (rule.middle.empty()) continue;
    const int bucket = BucketOf(rule.middle.front());
    if (bucket >= 0) rules[static_cast<std::size_t>(bucket)].push_back(std::move(rule));
  }
  return true;
}

std::string ApplyTranslatorRules(const TranslatorRules& rules, std::string_view word) {
  std::string phonetic = "[";
  const VowelRuns runs(word);
  for (std::size_t p = 0; p < word.size();) {
    if (p > 0) phonetic += '/';
    const TranslatorRule* rule = FindRule(rules, word, runs, p);
    if (rule == nullptr) {
      phonetic += " /_";
      phonetic += static_cast<char>(UpperWindows1252(static_cast<unsigned char>(word[p])));
      ++p;
      continue;
    }
    const bool stressed = IsWordVowel(word[p]) && AsciiUpper(word[p]) == word[p];
    phonetic += stressed ? StressedOutput(rule->output) : rule->output;
    p += rule->middle.size();
  }
  return phonetic + "]";
}
