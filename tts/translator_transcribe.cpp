// TranslatorTranscribe: text to the translator's phonetic string, word by
// word: respelled by the exceptions, stress marked, then spelled or passed
// through the rules.
#include "tts/translator.h"
#include "tts/translator_rules.h"
#include "tts/translator_state.h"
#include "tts/translator_words.h"

namespace {

constexpr char kMarker = 1;

bool IsPunctuation(char c) {
  return c == ' ' || c == '!' || c == ',' || c == '.' || c == ':' || c == ';' || c == '?';
}

bool IsLetter(char c) { return IsWordVowel(c) || IsWordConsonant(c); }

// The next word from position i: a run of letters and accent marks
// (lower-cased), or any other single character. Blanks before it are
// skipped; empty at the end of the text.
std::string NextWord(std::string_view text, std::size_t& i) {
  while (i < text.size() && text[i] == ' ') ++i;
  if (i >= text.size()) return {};
  if (!IsLetter(text[i])) return std::string(1, text[i++]);
  std::string word;
  while (i < text.size() && (IsLetter(text[i]) || IsAccentMark(text[i]))) {
    const char c = text[i++];
    word += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return word;
}

// The automaton marks the stress unless the word's accent marks already do
// (the diaeresis does not), or the word has no vowel, or one vowel and no
// final "l".
bool NeedsStressMark(std::string_view word) {
  int vowels = 0;
  for (char c : word) {
    if (IsAccentMark(c) && c != '"') return false;
    if (IsWordVowel(c)) ++vowels;
  }
  return vowels > 1 || (vowels == 1 && word.back() == 'l');
}

bool IsSpelled(std::string_view word) {
  if (word.size() == 1 && word.front() == kMarker) return true;
  for (char c : word) {
    if (!IsWordConsonant(c) && !IsPunctuation(c)) return false;
  }
  return true;
}

std::string Spelled(std::string_view word) {
  std::string phonetic;
  for (char c : word) {
    phonetic += "[ /_";
    phonetic += c;
    phonetic += ']';
  }
  return phonetic;
}

}  // namespace

std::string TranslatorTranscribe(std::string_view text) {
  const std::string plain = TransliterateForTranslator(text);
  std::string phonetic;
  std::size_t i = 0;
  for (std::string word = NextWord(plain, i); !word.empty(); word = NextWord(plain, i)) {
    word = LookupTranslatorException(translator.exceptions, word);
    if (word.empty()) continue;
    if (NeedsStressMark(word)) word = MarkStress(word);
    phonetic += IsSpelled(word) ? Spelled(word) : ApplyTranslatorRules(translator.rules, word);
  }
  return phonetic;
}
