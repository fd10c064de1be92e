#include "tts/text_normalisation.h"

#include <cstdint>

#include "tts/abbreviations.h"
#include "tts/contextual_readings.h"
#include "tts/data_file_lines.h"
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

bool IsKeptPunctuation(char c) {
  switch (c) {
    case ' ': case '!': case '(': case ')': case ',': case '.': case ':': case ';': case '?':
      return true;
    default:
      return false;
  }
}

// A full stop that ends a sentence: before a blank, the end, or a closing
// quote, bracket or comma.
bool SentenceEndAfter(std::string_view text, std::size_t position) {
  if (BlankOrEndAt(text, position)) return true;
  switch (text[position]) {
    case '"': case '\'': case ')': case ']': case '}': case ',': case ';': case ':':
    case '\x94': case '\x92': case '\xBB':
      return true;
    default:
      return false;
  }
}

// A capital letter alone with its full stop before a name ("J. P. Ramos"):
// an initial, read as the letter.
bool IsInitial(std::string_view text, std::size_t start, std::size_t end) {
  if (end != start + 1 || portuguese::FoldToCapital(static_cast<unsigned char>(text[start])) !=
                              static_cast<unsigned char>(text[start])) {
    return false;
  }
  const std::size_t next = end + 2;
  return next < text.size() && text[end] == '.' && text[end + 1] == ' ' && portuguese::IsLetter(static_cast<unsigned char>(text[next])) &&
         portuguese::FoldToCapital(static_cast<unsigned char>(text[next])) == static_cast<unsigned char>(text[next]);
}

// Quotation marks and apostrophes are not read in running text.
bool IsQuote(char c) {
  switch (c) {
    case '"': case '\'': case '\x93': case '\x94': case '\x91': case '\x92': case '\xAB': case '\xBB':
      return true;
    default:
      return false;
  }
}

// The nearest non-blank character before position is a digit, and so is the
// one after it: a dash or hyphen between numbers.
bool BetweenNumbers(std::string_view text, std::size_t position) {
  std::size_t before = position;
  while (before > 0 && text[before - 1] == ' ') --before;
  std::size_t after = position + 1;
  while (after < text.size() && text[after] == ' ') ++after;
  return before > 0 && IsDigit(text[before - 1]) && DigitAt(text, after);
}

// A number with its decimals, and the unit or degrees after it.
std::string ReadNumberWithUnit(std::string_view text, std::size_t& position) {
  std::string spoken = ReadNumber(text, position) + " ";
  const bool one = spoken == "um ";
  bool whole = true;
  while (position < text.size() && (text[position] == ',' || text[position] == '.') && DigitAt(text, position + 1)) {
    spoken += text[position] == ',' ? "v\xEDrgula " : "ponto ";
    ++position;
    spoken += ReadNumber(text, position) + " ";
    whole = false;
  }
  std::string unit;
  bool female = false;
  if (ReadUnit(text, position, whole && one, unit, female)) {
    spoken = Trimmed(spoken);
    if (female && whole) spoken = FeminineCardinal(spoken);
    spoken += " " + unit + " ";
  } else if (whole && FeminineNounAfter(text, position)) {
    spoken = FeminineCardinal(Trimmed(spoken)) + " ";  // "duas casas", "trezentas funções"
  }
  return spoken;
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
  // The degree sign stands for the ordinal sign too ("2°"), unless a scale
  // follows ("30°C").
  static constexpr OrdinalSuffix kSuffixes[] = {
      {"\xBA", "m", ""},   {"\xAA", "f", ""},    {"\xB0", "m", ""},     {".\xBA", "m", ""},  {".\xAA", "f", ""},
      {".\xB0", "m", ""},  {"o.", "m", ""},      {"a.", "f", ""},       {"os.", "m", "s"}, {"as.", "f", "s"}};
  const bool degrees = DegreesAt(text, position) || (position < text.size() && text[position] == '.' &&
                                                     DegreesAt(text, position + 1));
  for (const OrdinalSuffix& suffix : kSuffixes) {
    if (!degrees && text.substr(position).starts_with(suffix.written)) {
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
    } else if (!(c == '-' && position > start && portuguese::IsLetter(static_cast<unsigned char>(text[position - 1])) &&
                 position + 1 < text.size() && portuguese::IsLetter(static_cast<unsigned char>(text[position + 1])))) {
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
  std::string_view previousWord;
  std::size_t position = 0;
  while (position < text.size()) {
    const char c = text[position];
    const std::size_t start = position;
    if (ReadMoney(text, position, output)) {
      output += " ";
    } else if (c == '-' && position > 0 && text[position - 1] == ' ' && position + 1 < text.size() &&
               text[position + 1] == ' ' && !BetweenNumbers(text, position)) {
      output += ",";
      ++position;
    } else if ((c == '-' || c == '\x96') && BetweenNumbers(text, position)) {
      // "123.456.789-09": traço; "1914–1918": a.
      output += c == '-' ? " tra\xE7o " : " a ";
      ++position;
    } else if (c == '\x96' || c == '\x97' || (c == '-' && position + 1 < text.size() && text[position + 1] == '-')) {
      while (position + 1 < text.size() && text[position + 1] == '-') ++position;
      output += ",";  // a dash in running text (dialogue, an aside) pauses as a comma
      ++position;
    } else if (c == '\x85') {
      output += "... ";
      ++position;
    } else if (c == '-' && DigitAt(text, position + 1) && position > 0 &&
               portuguese::IsLetter(static_cast<unsigned char>(text[position - 1]))) {
      output += ' ';  // "BR-101": the hyphen between a name and its number is not read
      ++position;
    } else if (c == '-' && DigitAt(text, position + 1)) {
      output += "menos ";
      ++position;
    } else if (IsDigit(c)) {
      if (!output.empty() && portuguese::IsLetter(static_cast<unsigned char>(output.back()))) output += ' ';
      if (ReadDate(text, position, output) || ReadClockTime(text, position, output)) {
        output += " ";
      } else {
        output += ReadNumberWithUnit(text, position);
      }
    } else if (portuguese::IsLetter(static_cast<unsigned char>(c))) {
      if (ReadTitle(text, position, output) || ReadRomanNumeral(text, position, previousWord, output)) {
        previousWord = text.substr(start, position - start);
        continue;
      }
      const std::string word = ReadWord(text, position);
      previousWord = text.substr(start, position - start);
      const std::string expansion = ExpandAbbreviation(word);
      if (IsInitial(text, start, position)) {
        output += Trimmed(CharacterName(static_cast<unsigned char>(c)));  // its full stop is no end of sentence
        ++position;
      } else if (position < text.size() && text[position] == '.' && SentenceEndAfter(text, position + 1) &&
                 !expansion.empty()) {
        output += expansion;
        ++position;
      } else if (word == text.substr(start, position - start) && IsSpelledAcronym(text, start, position)) {
        output += SpelledAcronym(text.substr(start, position - start));
      } else {
        output += word;
      }
    } else if (text.substr(position).starts_with("://")) {
      output += " dois pontos barra barra ";  // an address: http://
      position += 3;
    } else if (text.substr(position).starts_with("...")) {
      output += "... ";
      position += 3;
    } else if (c == '.' && !SentenceEndAfter(text, position + 1)) {
      output += " ponto ";
      ++position;
    } else {
      if (IsKeptPunctuation(c)) {
        output += c;
      } else if (IsQuote(c)) {
        output += ' ';
      } else if (c == '\t' || c == '\n' || c == '\r') {
        output += ' ';  // words on either side of a line end stay apart
      } else {
        output += " " + CharacterName(static_cast<unsigned char>(c)) + " ";
      }
      ++position;
    }
  }
  return output;
}
