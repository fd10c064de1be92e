#include "tts/text_normalisation.h"

#include <cstdint>

#include "tts/abbreviations.h"
#include "tts/character_names.h"
#include "tts/number_words.h"
#include "tts/portuguese_letters.h"

namespace {

constexpr std::uint64_t kLargestBeforeLastDigit = 99999999999999;  // fourteen nines

constexpr const char* kDigitWords[] = {"zero", "um", "dois", "tr\xEAs", "quatro",
                                       "cinco", "seis", "sete", "oito", "nove"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool DigitAt(std::string_view text, std::size_t position) {
  return position < text.size() && IsDigit(text[position]);
}

// A blank, a line or tab, or the end of the text: what may follow a full
// stop that ends a sentence or an abbreviation.
bool BlankOrEndAt(std::string_view text, std::size_t position) {
  if (position >= text.size()) return true;
  const char c = text[position];
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// "." followed by exactly three digits: a thousands separator.
bool ThousandsSeparatorAt(std::string_view text, std::size_t position) {
  return text[position] == '.' && DigitAt(text, position + 1) && DigitAt(text, position + 2) &&
         DigitAt(text, position + 3) && !DigitAt(text, position + 4);
}

bool IsKeptPunctuation(char c) {
  switch (c) {
    case ' ': case '!': case '(': case ')': case ',': case '.': case ':': case ';': case '?':
      return true;
    default:
      return false;
  }
}

std::string DigitsAndHyphensAlone(std::string_view run) {
  std::string words;
  for (const char c : run) words += std::string(" ") + (c == '-' ? "tra\xE7o" : kDigitWords[c - '0']);
  return words;
}

}  // namespace

std::string ReadNumber(std::string_view text, std::size_t& position) {
  std::size_t runEnd = position;
  while (runEnd < text.size() && (IsDigit(text[runEnd]) || text[runEnd] == '-')) ++runEnd;
  const std::string_view run = text.substr(position, runEnd - position);
  if (run.find('-') != std::string_view::npos) {
    position = runEnd;
    return DigitsAndHyphensAlone(run);
  }

  std::string zeros;
  while (text[position] == '0' && DigitAt(text, position + 1)) {
    zeros += "zero ";
    ++position;
  }

  std::uint64_t value = 0;
  while (position < text.size()) {
    const char c = text[position];
    if (IsDigit(c)) {
      if (value > kLargestBeforeLastDigit) break;
      value = value * 10 + static_cast<std::uint64_t>(c - '0');
      ++position;
    } else if (ThousandsSeparatorAt(text, position)) {
      ++position;
    } else {
      break;
    }
  }

  struct OrdinalSuffix {
    std::string_view written, gender, plural;
  };
  static constexpr OrdinalSuffix kSuffixes[] = {{"\xBA", "m", ""}, {"\xAA", "f", ""}, {"o.", "m", ""},
                                                {"a.", "f", ""},    {"os.", "m", "s"}, {"as.", "f", "s"}};
  for (const OrdinalSuffix& suffix : kSuffixes) {
    if (text.substr(position).starts_with(suffix.written)) {
      position += suffix.written.size();
      return OrdinalToWords(suffix.gender, value) + std::string(suffix.plural);
    }
  }
  return zeros + CardinalWords(value);
}

std::string ReadWord(std::string_view text, std::size_t& position) {
  const std::size_t start = position;
  bool consonantsOnly = true;
  while (position < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[position]);
    if (portuguese::IsLetter(c)) {
      if (!portuguese::IsConsonant(c)) consonantsOnly = false;
    } else if (!(c == '-' && position > start && portuguese::IsLetter(static_cast<unsigned char>(text[position - 1])))) {
      break;
    }
    ++position;
  }
  const std::string word(text.substr(start, position - start));
  const bool abbreviation = position < text.size() && text[position] == '.' && !ExpandAbbreviation(word).empty();
  if (!consonantsOnly || abbreviation) return word;
  std::string spelled;
  for (const char c : word) spelled += CharacterName(static_cast<unsigned char>(c));
  return spelled;
}

std::string NormaliseText(std::string_view text) {
  if (text.size() == 1) return CharacterName(static_cast<unsigned char>(text[0]));
  std::string output;
  std::size_t position = 0;
  while (position < text.size()) {
    const char c = text[position];
    if (c == '-' && position > 0 && text[position - 1] == ' ' && position + 1 < text.size() &&
        text[position + 1] == ' ') {
      output += ",";
      ++position;
    } else if (c == '-' && DigitAt(text, position + 1)) {
      output += "menos ";
      ++position;
    } else if (IsDigit(c)) {
      output += ReadNumber(text, position) + " ";
      while (position < text.size() && (text[position] == ',' || text[position] == '.') &&
             DigitAt(text, position + 1)) {
        output += text[position] == ',' ? "v\xEDrgula " : "ponto ";
        ++position;
        output += ReadNumber(text, position) + " ";
      }
    } else if (portuguese::IsLetter(static_cast<unsigned char>(c))) {
      const std::string word = ReadWord(text, position);
      const std::string expansion = ExpandAbbreviation(word);
      if (position < text.size() && text[position] == '.' && BlankOrEndAt(text, position + 1) && !expansion.empty()) {
        output += expansion;
        ++position;
      } else {
        output += word;
      }
    } else if (text.substr(position).starts_with("...")) {
      output += "... ";
      position += 3;
    } else if (c == '.' && !BlankOrEndAt(text, position + 1)) {
      output += " ponto ";
      ++position;
    } else {
      if (IsKeptPunctuation(c)) {
        output += c;
      } else if (c != '\t' && c != '\n' && c != '\r') {
        output += " " + CharacterName(static_cast<unsigned char>(c)) + " ";
      }
      ++position;
    }
  }
  return output;
}
