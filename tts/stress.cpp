#include "tts/stress.h"

#include <string>

#include "platform/text_encoding.h"

namespace {

unsigned char Lower(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 0x20);
  return c;
}

bool IsAccentedVowel(unsigned char c) {
  switch (c) {
    case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE9: case 0xEA: case 0xED: case 0xF3: case 0xF4: case 0xF5:
    case 0xFA:
      return true;
    default:
      return false;
  }
}

bool IsAnyVowel(unsigned char c) {
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'w' || c == 'y' || c == 0xFC;
}

bool IsAeo(unsigned char c) { return c == 'a' || c == 'e' || c == 'o'; }

// The automaton that reads an unaccented word from its end.
int StressFromTheEnd(const std::string& word) {
  int state = 0, result = 0, lastI = 0;  // lastI: the final i of state 20
  for (int k = static_cast<int>(word.size()); k >= 1; --k) {
    const unsigned char c = static_cast<unsigned char>(word[static_cast<std::size_t>(k - 1)]);
    const bool gq = c == 'g' || c == 'q';
    switch (state) {
      case 0:
        if (IsAeo(c)) { result = k; state = 1; }
        else if (c == 'u') { result = k; state = 10; }
        else if (c == 'i') { result = lastI = k; state = 20; }
        else if (c == 's') {}
        else if (c == 'm') { state = 40; }
        else if (c == 'n' && k >= 2 && word[static_cast<std::size_t>(k - 2)] == 'e') { state = 40; }  // -ens as -em
        else { state = 30; }
        break;
      case 1:
        if (c == 'u') state = 4;
        // -eia, -eio, -aia, -oia: the i glides after the stressed vowel.
        else if (c == 'i' && k >= 2 && IsAeo(static_cast<unsigned char>(word[static_cast<std::size_t>(k - 2)]))) return k - 1;
        else if (IsAnyVowel(c)) return k;
        else state = 2;
        break;
      case 2:
        if (IsAeo(c)) return k;
        if (c == 'i' || c == 'u') { result = k; state = 3; }
        break;
      case 3:
        if (IsAeo(c)) return k;
        if (c == 'u') state = 5;
        else return result;
        break;
      case 4:
        if (gq) { result = k + 2; state = 2; }
        else return k + 1;
        break;
      case 5:
        return gq ? k + 2 : k + 1;
      case 10:
        return (IsAeo(c) || c == 'i') ? k : result;
      case 20:
        if (IsAeo(c) && result != lastI) return result;  // -oei, -oai: the e, the a
        if (IsAeo(c)) result = k;
        else if (c == 'u' && result != lastI) return result;  // -uei: the e
        else if (c == 'u') state = 21;
        else return result;
        break;
      case 21:
        return gq ? k + 2 : k + 1;
      case 30:
        if (IsAnyVowel(c)) return k;
        break;
      case 40:
        if (c == 'i' || c == 'o' || c == 'u') return k;
        if (c == 'a' || c == 'e') { result = k; state = 1; }
        else state = 0;
        break;
    }
  }
  return result;
}

}  // namespace

int FindStress(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
  for (std::size_t k = lower.size(); k >= 1; --k) {
    if (IsAccentedVowel(static_cast<unsigned char>(lower[k - 1]))) return static_cast<int>(k);
  }
  bool anyVowel = false;
  for (const char c : lower) anyVowel = anyVowel || IsAnyVowel(static_cast<unsigned char>(c));
  if (!anyVowel) return 0;
  const int stress = StressFromTheEnd(lower);
  // A vowel followed by i or u before nh or before m or n and a consonant
  // ("ainda", "saindo", "rainha") leaves the stress on that i or u.
  const auto at = [&](std::size_t i) { return i < lower.size() ? lower[i] : '\0'; };
  const auto next = static_cast<std::size_t>(stress);
  if (stress > 0 && IsAeo(static_cast<unsigned char>(lower[next - 1])) && (at(next) == 'i' || at(next) == 'u') &&
      (at(next + 1) == 'n' || at(next + 1) == 'm') && at(next + 2) != '\0' &&
      !IsAnyVowel(static_cast<unsigned char>(at(next + 2)))) {
    return stress + 1;
  }
  return stress;
}

bool IsUnstressedWord(std::string_view word) {
  if (word.size() < 3) return true;
  const std::string upper = UpperCaseAnsi(word);
  for (const char* unstressed : {"POR", "DAS", "DOS", "COM", "N\xC3O", "SIM"}) {
    if (upper == unstressed) return true;
  }
  return false;
}
