#include "tts/contextual_readings.h"

#include <array>
#include <cstdint>
#include <utility>

#include "platform/text_encoding.h"
#include "tts/character_names.h"
#include "tts/data_file_lines.h"
#include "tts/number_words.h"
#include "tts/portuguese_letters.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool DigitAt(std::string_view text, std::size_t position) { return position < text.size() && IsDigit(text[position]); }
bool LetterAt(std::string_view text, std::size_t position) {
  return position < text.size() && portuguese::IsLetter(static_cast<unsigned char>(text[position]));
}
bool IsCapital(char c) {
  const auto u = static_cast<unsigned char>(c);
  return portuguese::IsLetter(u) && portuguese::FoldToCapital(u) == u;
}
bool BlankAt(std::string_view text, std::size_t position) {
  return position < text.size() && (text[position] == ' ' || text[position] == '\t');
}

std::size_t LettersEnd(std::string_view text, std::size_t position) {
  while (LetterAt(text, position)) ++position;
  return position;
}

std::string Capitals(std::string_view word) { return UpperCaseAnsi(word); }

// Cardinal words with single blanks and none at the ends.
std::string Cardinal(std::uint64_t value) { return Trimmed(CardinalWords(value)); }

// Female given names that do not end in "a" (those that do are female).
constexpr std::array<std::string_view, 19> kFemaleNames = {
    "CARMO",  "IN\xCAS",  "BEATRIZ", "ISABEL", "RAQUEL",  "ESTER", "LUZ",   "MERC\xCAS", "DOLORES", "LURDES",
    "NAZAR\xC9", "ROS\xC1RIO", "ALICE",  "CLARICE", "IRENE", "ADELAIDE", "RUTE", "MIRIAM", "ELISABETE"};

bool IsFemaleName(std::string_view word) {
  const std::string upper = Capitals(word);
  if (upper.empty()) return false;
  if (upper.back() == 'A' || upper.ends_with("\xC7\xC3O") || upper.ends_with("DADE")) return true;
  for (const std::string_view name : kFemaleNames) {
    if (upper == name) return true;
  }
  return false;
}

// The word after a title's full stop and one blank, when it begins with a
// capital.
std::string_view NameAfter(std::string_view text, std::size_t dot) {
  std::size_t start = dot + 1;
  if (!BlankAt(text, start)) return {};
  while (BlankAt(text, start)) ++start;
  if (start >= text.size() || !IsCapital(text[start])) return {};
  return text.substr(start, LettersEnd(text, start) - start);
}

// Value of the digits and thousands separators at position, moved past
// them; false when no digit is there or there are too many.
bool ReadAmount(std::string_view text, std::size_t& position, std::uint64_t& value) {
  if (!DigitAt(text, position)) return false;
  value = 0;
  std::size_t digits = 0;
  while (position < text.size()) {
    if (IsDigit(text[position])) {
      if (++digits > kCardinalDigits) return false;
      value = value * 10 + static_cast<std::uint64_t>(text[position] - '0');
      ++position;
    } else if (ThousandsSeparatorAt(text, position)) {
      ++position;
    } else {
      break;
    }
  }
  return true;
}

struct Currency {
  std::string_view sign, singular, plural;
};
constexpr std::array<Currency, 3> kCurrencies = {
    {{"R$", "real", "reais"}, {"US$", "d\xF3lar", "d\xF3lares"}, {"\x80", "euro", "euros"}}};

struct Unit {
  std::string_view written, singular;
  bool female;
};
constexpr std::array<Unit, 15> kUnits = {{{"km", "quil\xF4metro", false},
                                          {"kg", "quilograma", false},
                                          {"mg", "miligrama", false},
                                          {"g", "grama", false},
                                          {"cm", "cent\xEDmetro", false},
                                          {"mm", "mil\xEDmetro", false},
                                          {"m", "metro", false},
                                          {"ml", "mililitro", false},
                                          {"l", "litro", false},
                                          {"h", "hora", true},
                                          {"min", "minuto", false},
                                          {"t", "tonelada", true},
                                          {"s", "segundo", false},
                                          {"bit", "bit", false},
                                          {"Bit", "bit", false}}};

const Unit* FindUnit(std::string_view written) {
  for (const Unit& unit : kUnits) {
    if (unit.written == written) return &unit;
  }
  return nullptr;
}

// Words before which a Roman numeral is a cardinal.
constexpr std::array<std::string_view, 13> kNumberedParts = {
    "CAP\xCDTULO", "CAP", "LIVRO", "PARTE", "S\xC9" "CULO", "TOMO", "VOLUME", "VOL", "ATO", "CENA", "CANTO",
    "T\xCDTULO", "SE\xC7\xC3O"};

int RomanDigit(char c) {
  switch (c) {
    case 'I': return 1;
    case 'V': return 5;
    case 'X': return 10;
    case 'L': return 50;
    case 'C': return 100;
    case 'D': return 500;
    case 'M': return 1000;
    default: return 0;
  }
}

std::string RomanOf(int value) {
  static constexpr std::array<std::pair<int, std::string_view>, 13> kParts = {
      {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"}, {40, "XL"},
       {10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}}};
  std::string roman;
  for (const auto& [part, letters] : kParts) {
    for (; value >= part; value -= part) roman += letters;
  }
  return roman;
}

// The value of a Roman numeral written the usual way; 0 for anything else.
int RomanValue(std::string_view word) {
  if (word.empty() || word.size() > 15) return 0;
  int value = 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const int digit = RomanDigit(word[i]);
    if (digit == 0) return 0;
    const int next = i + 1 < word.size() ? RomanDigit(word[i + 1]) : 0;
    value += digit < next ? -digit : digit;
  }
  return value > 0 && value < 4000 && RomanOf(value) == word ? value : 0;
}

bool IsName(std::string_view word) {
  if (word.size() < 2 || !IsCapital(word[0])) return false;
  for (std::size_t i = 1; i < word.size(); ++i) {
    if (IsCapital(word[i])) return false;
  }
  return true;
}

bool IsCapitalsWord(std::string_view word) {
  if (word.size() < 2) return false;
  for (const char c : word) {
    if (!IsCapital(c)) return false;
  }
  return true;
}

// The word before start and the word after end (letters only).
std::string_view WordBefore(std::string_view text, std::size_t start) {
  std::size_t end = start;
  while (end > 0 && !LetterAt(text, end - 1)) --end;
  std::size_t begin = end;
  while (begin > 0 && LetterAt(text, begin - 1)) --begin;
  return text.substr(begin, end - begin);
}

std::string_view WordAfter(std::string_view text, std::size_t end) {
  while (end < text.size() && !LetterAt(text, end)) ++end;
  return text.substr(end, LettersEnd(text, end) - end);
}

// Only blanks and punctuation beside the word on its line (or in the whole
// text when it has one line).
bool AloneInText(std::string_view text, std::size_t begin, std::size_t end) {
  const std::size_t lineEnd = text.find('\n', end);
  for (std::size_t i = begin; i > 0 && text[i - 1] != '\n'; --i) {
    if (LetterAt(text, i - 1) || IsDigit(text[i - 1])) return false;
  }
  for (std::size_t i = end; i < (lineEnd == std::string_view::npos ? text.size() : lineEnd); ++i) {
    if (LetterAt(text, i) || IsDigit(text[i])) return false;
  }
  return true;
}

// Whether capitals can be read as one Portuguese word: syllables of an
// onset (one consonant, or a cluster such as BR or CH), a vowel and maybe a
// closing S, R, L, M, N, Z or X; at least one consonant ("ONU", "SENAI", not
// "CEP", "IBGE" or "EUA").
bool Pronounceable(std::string_view word) {
  const auto vowel = [&](std::size_t i) {
    return i < word.size() && portuguese::IsVowel(static_cast<unsigned char>(word[i]));
  };
  const auto consonant = [&](std::size_t i) { return i < word.size() && !vowel(i); };
  const auto cluster = [&](std::size_t i) {
    static constexpr std::array<std::string_view, 16> kClusters = {"BR", "CR", "DR", "FR", "GR", "PR", "TR", "VR",
                                                                   "BL", "CL", "FL", "GL", "PL", "CH", "LH", "NH"};
    for (const std::string_view pair : kClusters) {
      if (word.substr(i, 2) == pair) return true;
    }
    return false;
  };
  bool anyConsonant = false;
  std::size_t i = 0;
  while (i < word.size()) {
    if (consonant(i) && consonant(i + 1)) {
      if (!cluster(i)) return false;
      i += 2;
      anyConsonant = true;
    } else if (consonant(i)) {
      ++i;
      anyConsonant = true;
    }
    if (!vowel(i)) return false;
    ++i;
    if (consonant(i) && !vowel(i + 1) && std::string_view("SRLMNZX").find(word[i]) != std::string_view::npos) {
      ++i;
      anyConsonant = true;
    }
  }
  return anyConsonant;
}

// Words ending like feminine nouns that are not: Greek words in -ma, and
// words that come after numbers without being counted.
constexpr std::array<std::string_view, 26> kNotFeminine = {
    "DIA",  "DIAS",  "MAPA",  "MAPAS", "PLANETA", "PLANETAS", "POETA", "POETAS", "PARA",  "CONTRA", "AGORA", "FORA", "ERA",
    "ORA",  "TODA",  "TODAS", "ESSA",  "ESSAS",   "ESTA",     "ESTAS", "CADA",   "NADA",  "AINDA",  "DA",    "DAS",  "NA"};

}  // namespace

bool ThousandsSeparatorAt(std::string_view text, std::size_t position) {
  return position < text.size() && text[position] == '.' && DigitAt(text, position + 1) &&
         DigitAt(text, position + 2) && DigitAt(text, position + 3) && !DigitAt(text, position + 4);
}

bool DegreesAt(std::string_view text, std::size_t position) {
  return position + 1 < text.size() && (text[position] == '\xB0' || text[position] == '\xBA') &&
         (text[position + 1] == 'C' || text[position + 1] == 'F') && !LetterAt(text, position + 2);
}

bool FeminineNounAfter(std::string_view text, std::size_t position) {
  if (!BlankAt(text, position)) return false;
  while (BlankAt(text, position)) ++position;
  const std::string word = Capitals(text.substr(position, LettersEnd(text, position) - position));
  if (word.size() < 3 || word.ends_with("MA") || word.ends_with("MAS")) return false;
  for (const std::string_view other : kNotFeminine) {
    if (word == other) return false;
  }
  for (const std::string_view ending : {"A", "AS", "\xC7\xC3O", "\xC7\xD5" "ES", "DADE", "DADES", "GEM", "GENS", "VEZ",
                                        "VEZES"}) {
    if (word.ends_with(ending)) return true;
  }
  return false;
}

bool ReadTitle(std::string_view text, std::size_t& position, std::string& output) {
  const char first = text[position];
  if (LetterAt(text, position + 1)) {
    return false;
  }
  if ((first == 'n' || first == 'N') && position + 1 < text.size()) {
    const std::string_view rest = text.substr(position + 1);
    for (const std::string_view sign : {"\xBA", "\xB0", ".\xBA", ".\xB0"}) {
      if (rest.starts_with(sign)) {
        position += 1 + sign.size();
        output += "n\xFAmero";
        return true;
      }
    }
    return false;
  }
  if (position + 1 >= text.size() || text[position + 1] != '.') return false;
  const std::string_view name = NameAfter(text, position + 1);
  if (name.empty()) return false;
  std::string title;
  if (first == 'D') {
    title = IsFemaleName(name) ? "Dona" : "Dom";
  } else if (first == 'S') {
    title = IsFemaleName(name) ? "Santa" : portuguese::IsVowel(static_cast<unsigned char>(name[0])) ? "Santo" : "S\xE3o";
  } else if (first == 'V' && (name[0] == 'E' || name[0] == 'S')) {
    title = "Vossa";
  } else {
    return false;
  }
  output += title;
  position += 2;
  return true;
}

bool ReadMoney(std::string_view text, std::size_t& position, std::string& output) {
  for (const Currency& currency : kCurrencies) {
    if (!text.substr(position).starts_with(currency.sign)) continue;
    std::size_t at = position + currency.sign.size();
    while (BlankAt(text, at)) ++at;
    std::uint64_t units = 0;
    if (!ReadAmount(text, at, units)) return false;
    std::uint64_t cents = 0;
    if (at + 1 < text.size() && text[at] == ',' && DigitAt(text, at + 1)) {
      cents = static_cast<std::uint64_t>(text[at + 1] - '0') * 10;
      at += 2;
      if (DigitAt(text, at)) cents += static_cast<std::uint64_t>(text[at++] - '0');
      if (DigitAt(text, at)) return false;  // not an amount of money
    }
    std::string words;
    if (units > 0 || cents == 0) {
      words = Cardinal(units) + " ";
      if (units >= 1000000 && units % 1000000 == 0) words += "de ";
      words += std::string(units == 1 ? currency.singular : currency.plural);
      if (cents > 0) words += " e ";
    }
    if (cents > 0) words += Cardinal(cents) + (cents == 1 ? " centavo" : " centavos");
    output += words;
    position = at;
    return true;
  }
  return false;
}

bool ReadDate(std::string_view text, std::size_t& position, std::string& output) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "janeiro", "fevereiro", "mar\xE7o", "abril", "maio", "junho", "julho", "agosto", "setembro", "outubro",
      "novembro", "dezembro"};
  std::size_t at = position;
  std::array<int, 3> parts{};
  for (std::size_t part = 0; part < 3; ++part) {
    const std::size_t start = at;
    while (DigitAt(text, at) && at - start < 4) parts[part] = parts[part] * 10 + (text[at++] - '0');
    const std::size_t digits = at - start;
    if (digits == 0 || DigitAt(text, at) || (part < 2 && digits > 2) || (part == 2 && digits != 2 && digits != 4)) {
      return false;
    }
    // A day and month alone ("31/12") when both have two digits; else the
    // year must follow.
    const bool yearFollows = at + 1 < text.size() && text[at] == '/' && DigitAt(text, at + 1);
    if (part == 1 && !yearFollows) {
      if (at - start != 2 || position + 2 != start - 1 || (at < text.size() && text[at] == '/')) return false;
      parts[2] = -1;
      break;
    }
    if (part < 2) {
      if (at >= text.size() || text[at] != '/') return false;
      ++at;
    }
  }
  const int day = parts[0], month = parts[1];
  if (day < 1 || day > 31 || month < 1 || month > 12 || (at < text.size() && text[at] == '/')) return false;
  output += (day == 1 ? std::string("primeiro") : Cardinal(static_cast<std::uint64_t>(day))) + " de " +
            std::string(kMonths[static_cast<std::size_t>(month - 1)]);
  if (parts[2] >= 0) output += " de " + Cardinal(static_cast<std::uint64_t>(parts[2]));
  position = at;
  return true;
}

bool ReadClockTime(std::string_view text, std::size_t& position, std::string& output) {
  std::size_t at = position;
  int hours = 0;
  for (int i = 0; i < 2 && DigitAt(text, at); ++i) hours = hours * 10 + (text[at++] - '0');
  if (at == position || DigitAt(text, at) || hours > 23 || at >= text.size() || (text[at] != 'h' && text[at] != 'H')) {
    return false;
  }
  ++at;
  int minutes = -1;
  if (DigitAt(text, at) && DigitAt(text, at + 1) && !DigitAt(text, at + 2)) {
    minutes = (text[at] - '0') * 10 + (text[at + 1] - '0');
    if (minutes > 59) return false;
    at += 2;
    if (text.substr(at).starts_with("min")) at += 3;
  }
  if (LetterAt(text, at) || DigitAt(text, at)) return false;
  const std::string hourWords = FeminineCardinal(Cardinal(static_cast<std::uint64_t>(hours)));
  if (minutes > 0) {
    output += hourWords + " e " + Cardinal(static_cast<std::uint64_t>(minutes));
  } else {
    output += hourWords + (hours == 1 ? " hora" : " horas");
  }
  position = at;
  return true;
}

bool ReadUnit(std::string_view text, std::size_t& position, bool singular, std::string& words, bool& female) {
  std::size_t at = position;
  female = false;
  if (DegreesAt(text, at)) {
    words = std::string(singular ? "grau " : "graus ") + (text[at + 1] == 'C' ? "Celsius" : "Fahrenheit");
    position = at + 2;
    return true;
  }
  if (BlankAt(text, at)) ++at;
  const std::size_t end = LettersEnd(text, at);
  const Unit* unit = FindUnit(text.substr(at, end - at));
  if (unit == nullptr || DigitAt(text, end)) return false;
  words = std::string(unit->singular) + (singular ? "" : "s");
  female = unit->female;
  position = end;
  if (position + 1 < text.size() && text[position] == '/') {
    const std::size_t perEnd = LettersEnd(text, position + 1);
    const Unit* per = FindUnit(text.substr(position + 1, perEnd - position - 1));
    if (per != nullptr) {
      words += " por " + std::string(per->singular);
      position = perEnd;
    }
  }
  return true;
}

bool ReadRomanNumeral(std::string_view text, std::size_t& position, std::string_view previousWord,
                      std::string& output) {
  const std::size_t end = LettersEnd(text, position);
  const std::string_view word = text.substr(position, end - position);
  const int value = RomanValue(word);
  if (value == 0) return false;
  const std::string previous = Capitals(previousWord);
  bool part = false;
  for (const std::string_view name : kNumberedParts) part = part || previous == name;
  std::string words;
  if (part || (word.size() > 1 && AloneInText(text, position, end))) {
    words = Cardinal(static_cast<std::uint64_t>(value));
  } else if (IsName(previousWord) && value <= 30 && (word.size() > 1 || word == "I" || word == "V" || word == "X")) {
    words = value <= 10 ? OrdinalToWords("m", static_cast<std::uint64_t>(value)) : Cardinal(static_cast<std::uint64_t>(value));
  } else {
    return false;
  }
  output += words;
  position = end;
  return true;
}

bool IsSpelledAcronym(std::string_view text, std::size_t start, std::size_t end) {
  const std::string_view word = text.substr(start, end - start);
  if (word.size() > 5 || !IsCapitalsWord(word) || Pronounceable(word)) return false;
  return !IsCapitalsWord(WordBefore(text, start)) && !IsCapitalsWord(WordAfter(text, end));
}

std::string SpelledAcronym(std::string_view word) {
  std::string spelled;
  for (const char c : word) {
    if (!spelled.empty()) spelled += ' ';
    switch (portuguese::FoldToCapital(static_cast<unsigned char>(c))) {
      case 'A': spelled += "\xE1"; break;
      case 'E': spelled += "\xE9"; break;
      case 'O': spelled += "\xF3"; break;
      default: spelled += Trimmed(CharacterName(static_cast<unsigned char>(c)));
    }
  }
  return spelled;
}
