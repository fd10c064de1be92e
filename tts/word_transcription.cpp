#include "tts/word_transcription.h"

#include <string_view>

#include "platform/text_encoding.h"
#include "tts/letter_to_sound_rules.h"
#include "tts/pronunciation_exceptions.h"
#include "tts/stress.h"

namespace {

constexpr char kDiaeresis = '\xA8';

bool IsPauseCharacter(char c) {
  return std::string_view("!(),.:;?").find(c) != std::string_view::npos;
}

bool BeginsWithPhonemeVowel(std::string_view phoneme) {
  if (!phoneme.empty() && phoneme[0] == kDiaeresis) phoneme.remove_prefix(1);
  return !phoneme.empty() && std::string_view("aeiouwy").find(phoneme[0]) != std::string_view::npos;
}

// A word's final r2 and s2 are linked to a following vowel as r and z.
void LinkFinalConsonants(std::vector<std::string>& list) {
  for (std::size_t i = 3; i + 1 < list.size(); ++i) {
    if (list[i].empty() || list[i][0] != ';') continue;
    if (BeginsWithPhonemeVowel(list[i + 1])) {
      std::string& last = list[i - 2];
      if (last == "r2") last = "r";
      else if (last == "s2") last = "z";
    }
    ++i;
  }
}

}  // namespace

std::vector<std::string> TranscribeWords(const std::vector<std::string>& intonationList) {
  std::vector<std::string> list;
  for (const std::string& line : intonationList) {
    list.push_back(";" + line);
    const std::string token = line.size() > 4 ? UpperCaseAnsi(std::string_view(line).substr(4)) : "";
    if (token.empty()) {
      list.push_back("__");
      list.push_back("");
    } else if (token[0] == ' ') {
    } else if (IsPauseCharacter(token[0])) {
      list.push_back(std::string("_") + token[0]);
    } else {
      const std::string word = LookupException(token);
      const int stress = IsUnstressedWord(word) ? 0 : FindStress(word);
      ApplyRules(word, stress, list);
    }
  }
  list.push_back("__");
  LinkFinalConsonants(list);
  return list;
}
