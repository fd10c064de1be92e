#include "tts/number_words.h"

#include <algorithm>
#include <array>

#include "tts/data_file_lines.h"

namespace {

using WordTable = std::array<const char*, 10>;

constexpr WordTable kUnits = {"zero", "um", "dois", "tr\xEAs", "quatro", "cinco", "seis", "sete", "oito", "nove"};
constexpr WordTable kTeens = {"dez",    "onze",      "doze",      "treze",   "catorze",
                              "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
constexpr WordTable kTens = {"", "", "vinte", "trinta", "quarenta", "cinq\xFC" "enta", "sessenta", "setenta", "oitenta",
                             "noventa"};
constexpr WordTable kHundreds = {"",           "cento",      "duzentos",  "trezentos",  "quatrocentos",
                                 "quinhentos", "seiscentos", "setecentos", "oitocentos", "novecentos"};

constexpr std::array<const char*, 4> kScaleSingular = {"trilh\xE3o ", "bilh\xE3o ", "milh\xE3o ", "mil "};
constexpr std::array<const char*, 4> kScalePlural = {"trilh\xF5" "es ", "bilh\xF5" "es ", "milh\xF5" "es ", "mil "};

constexpr WordTable kOrdinalUnits = {"",       "primeiro", "segundo", "terceiro", "quarto",
                                     "quinto", "sexto",    "s\xE9timo", "oitavo", "nono"};
constexpr WordTable kOrdinalTens = {"",
                                    "d\xE9" "cimo",
                                    "vig\xE9simo",
                                    "trig\xE9simo",
                                    "quadrag\xE9simo",
                                    "quinquag\xE9simo",
                                    "sexag\xE9simo",
                                    "septuag\xE9simo",
                                    "octag\xE9simo",
                                    "nonag\xE9simo"};
constexpr WordTable kOrdinalHundreds = {"",
                                        "cent\xE9simo",
                                        "ducent\xE9simo",
                                        "tricent\xE9simo",
                                        "quadrigent\xE9simo",
                                        "quingent\xE9simo",
                                        "seiscent\xE9simo",
                                        "septigent\xE9simo",
                                        "octigent\xE9simo",
                                        "nongent\xE9simo"};

int DigitValue(char c) { return c - '0'; }

}  // namespace

std::string GroupToWords(std::string_view digits) {
  if (digits == "000") return "";
  if (digits == "100") return "cem";
  const int h = DigitValue(digits[0]), t = DigitValue(digits[1]), u = DigitValue(digits[2]);
  std::string words;
  if (h != 0) {
    words = kHundreds[h];
    if (t == 0 && u == 0) return words;
    words += " e ";
  }
  if (t == 1) return words + kTeens[u];
  if (t != 0) {
    words += kTens[t];
    if (u == 0) return words;
    words += " e ";
  }
  if (u != 0) words += kUnits[u];
  return words;
}

std::string CardinalWords(std::uint64_t value) {
  if (value == 0) return "zero";
  std::string digits = std::string(kCardinalDigits - 1, '0') + std::to_string(value);
  digits = digits.substr(digits.size() - kCardinalDigits);
  std::array<std::string, 5> groups;
  int last = 4;
  bool lastFound = false;
  for (int i = 0; i < 5; ++i) {
    const std::string_view group = std::string_view(digits).substr(3 * i, 3);
    groups[i] = GroupToWords(group);
    if (i < 4 && group != "000") groups[i] += std::string(" ") + (group == "001" ? kScaleSingular[i] : kScalePlural[i]);
    if (i == 3 && group == "001") groups[i] = kScaleSingular[i];  // a thousand is "mil", never "um mil"
  }
  for (int i = 4; i >= 0 && !lastFound; --i) {
    if (!groups[i].empty()) {
      last = i;
      lastFound = true;
    }
  }
  std::string result;
  for (int i = 0; i <= last; ++i) {
    const std::string_view group = std::string_view(digits).substr(3 * i, 3);
    const bool roundOrSmall = group[0] == '0' || group.substr(1) == "00";
    if (i == last && !groups[i].empty() && !result.empty() && roundOrSmall) result += "e ";
    result += groups[i];
  }
  return result;
}

std::string OrdinalToWords(std::string_view gender, std::uint64_t value) {
  if (value >= 2000) return CardinalWords(value);
  if (value == 0) return "zero";
  const bool feminine = gender == "f";
  std::string words;
  const auto put = [&](std::string word) {
    if (feminine) word.back() = 'a';
    words = word + " " + words;
  };
  const int units = static_cast<int>(value % 10), tens = static_cast<int>(value / 10 % 10);
  const int hundreds = static_cast<int>(value / 100 % 10), thousands = static_cast<int>(value / 1000);
  if (units != 0) put(kOrdinalUnits[units]);
  if (tens != 0) put(kOrdinalTens[tens]);
  if (hundreds != 0) put(kOrdinalHundreds[hundreds]);
  if (thousands != 0) put("mil\xE9simo");
  return Trimmed(words);
}

std::string FeminineCardinal(std::string words) {
  // The words after the last million (or larger) scale word agree; the
  // scale words themselves are masculine.
  std::size_t from = 0;
  for (const char* scale : {"milh", "bilh", "trilh"}) {
    const std::size_t at = words.rfind(scale);
    if (at == std::string::npos) continue;
    const std::size_t blank = words.find(' ', at);
    from = std::max(from, blank == std::string::npos ? words.size() : blank + 1);
  }
  std::string result = words.substr(0, from);
  std::size_t start = from;
  while (start < words.size()) {
    std::size_t end = words.find(' ', start);
    if (end == std::string::npos) end = words.size();
    std::string word = words.substr(start, end - start);
    if (word == "um") word = "uma";
    else if (word == "dois") word = "duas";
    else if (word.ends_with("entos")) word.replace(word.size() - 5, 5, "entas");
    result += word + (end < words.size() ? " " : "");
    start = end + 1;
  }
  return result;
}
