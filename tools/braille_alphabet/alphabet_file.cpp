#include "tools/braille_alphabet/alphabet_file.h"
#include "tools/generated_source/cpp_literal.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

#include "platform/text_encoding.h"

namespace {

constexpr char32_t kBlankCell = 0x2800;

std::string Utf8Of(char32_t codePoint) {
  std::string utf8;
  if (codePoint < 0x80) {
    utf8 += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    utf8 += static_cast<char>(0xC0 | (codePoint >> 6));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    utf8 += static_cast<char>(0xE0 | (codePoint >> 12));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | (codePoint >> 18));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    utf8 += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return utf8;
}

std::string CellText(int pattern) { return Utf8Of(kBlankCell + static_cast<char32_t>(pattern)); }

// "1246 (⠫)", as messages name a cell.
std::string CellName(int pattern) { return DotNumbers(pattern) + " (" + CellText(pattern) + ")"; }

// The one character of a field, or nothing when it holds more or fewer.
std::optional<char32_t> SingleCharacter(std::string_view field) {
  if (field.empty()) return std::nullopt;
  const Utf8Step step = DecodeUtf8Step(field);
  if (!step.valid || step.length != field.size()) return std::nullopt;
  return step.codePoint;
}

// U+XXXX (four to six hexadecimal digits).
std::optional<char32_t> UnicodeNumber(std::string_view field) {
  if (field.size() < 6 || field.size() > 8 || field.substr(0, 2) != "U+") return std::nullopt;
  char32_t value = 0;
  for (const char c : field.substr(2)) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<char32_t>(digit);
  }
  return value;
}

std::optional<AlphabetGroup> GroupNamed(std::string_view name) {
  if (name == "base") return AlphabetGroup::kBase;
  if (name == "ambas") return AlphabetGroup::kBoth;
  if (name == "atual") return AlphabetGroup::kCurrent;
  if (name == "antiga") return AlphabetGroup::kOld;
  return std::nullopt;
}

bool LooksLikeDots(std::string_view field) {
  return !field.empty() && field.find_first_not_of("0123456789") == std::string_view::npos;
}

bool LooksLikeCell(std::string_view field) {
  const std::optional<char32_t> c = SingleCharacter(field);
  return c && *c >= kBlankCell && *c <= 0x28FF;
}

// Splits a line at blanks and tabs, up to a field that begins with '#'.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (true) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string_view::npos || line[at] == '#') break;
    const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
    fields.push_back(line.substr(at, end - at));
    at = end;
  }
  return fields;
}

class Reader {
 public:
  AlphabetReading Read(std::string_view text) {
    reading_.alphabet.currentRulesDots.fill(-1);
    reading_.alphabet.oldRulesDots.fill(-1);
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int number = 0;
    while (!text.empty()) {
      const std::size_t end = std::min(text.find('\n'), text.size());
      std::string_view line = text.substr(0, end);
      text.remove_prefix(std::min(end + 1, text.size()));
      if (line.ends_with('\r')) line.remove_suffix(1);
      ReadLine(line, ++number);
    }
    for (int pattern = 0; pattern < 64; ++pattern) {
      if (!baseLineOfCell_.contains(pattern)) Error(0, "the cell " + CellName(pattern) + " has no base character");
    }
    Resolve();
    return std::move(reading_);
  }

 private:
  void Error(int line, std::string message) { reading_.errors.push_back({line, std::move(message)}); }

  void ReadLine(std::string_view line, int number) {
    for (std::string_view rest = line; !rest.empty();) {
      const Utf8Step step = DecodeUtf8Step(rest);
      if (!step.valid) return Error(number, "the line is not UTF-8 text");
      rest.remove_prefix(step.length);
    }
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.empty()) return;
    const std::optional<AlphabetLine> read = ReadFields(fields, number);
    if (read) Add(*read);
  }

  std::optional<AlphabetLine> ReadFields(const std::vector<std::string_view>& fields, int number) {
    AlphabetLine read{};
    read.line = number;
    const std::string_view written = fields.front();
    std::optional<char32_t> character = UnicodeNumber(written);
    if (!character) character = SingleCharacter(written);
    if (!character) {
      Error(number, "'" + std::string(written) +
                        "' is not one character (write a character that is hard to see as U+0020, U+00A0, ...)");
      return std::nullopt;
    }
    read.character = Utf8Of(*character);
    const char internal = Windows1252FromCodePoint(*character);
    if (internal == '?' && *character != U'?') {
      Error(number, "'" + std::string(written) + "' has no Windows-1252 form, and the program's text is Windows-1252");
      return std::nullopt;
    }
    read.internal = static_cast<unsigned char>(internal);

    const std::string_view last = fields.back();
    const std::optional<AlphabetGroup> group = fields.size() > 1 ? GroupNamed(last) : std::nullopt;
    if (!group) {
      const bool missing = fields.size() == 1 || LooksLikeDots(last) || LooksLikeCell(last);
      Error(number, missing ? "the line ends without its group (base, ambas, atual or antiga)"
                            : "unknown group '" + std::string(last) + "' (base, ambas, atual or antiga)");
      return std::nullopt;
    }
    read.group = *group;

    std::optional<int> dots;
    std::optional<int> cell;
    for (std::size_t i = 1; i + 1 < fields.size(); ++i) {
      const std::string_view field = fields[i];
      if (LooksLikeDots(field)) {
        if (dots) {
          Error(number, "the line gives the dots twice");
          return std::nullopt;
        }
        dots = ReadDots(field, number);
        if (!dots) return std::nullopt;
      } else if (LooksLikeCell(field)) {
        if (cell) {
          Error(number, "the line gives the cell twice");
          return std::nullopt;
        }
        const char32_t c = *SingleCharacter(field);
        if (c > kBlankCell + 63) {
          Error(number, "'" + std::string(field) + "' is a cell of eight dots; the alphabet has six-dot cells, ⠀ to ⠿");
          return std::nullopt;
        }
        cell = static_cast<int>(c - kBlankCell);
      } else {
        Error(number, "'" + std::string(field) + "' is neither the dots (1246) nor the cell (⠫) of the character");
        return std::nullopt;
      }
    }
    if (!dots && !cell) {
      Error(number, "the line gives no cell: write the dots (1246) or the cell (⠫)");
      return std::nullopt;
    }
    if (dots && cell && *dots != *cell) {
      Error(number, "the dots " + DotNumbers(*dots) + " are the cell " + CellText(*dots) + ", not " + CellText(*cell));
      return std::nullopt;
    }
    read.dots = dots ? *dots : *cell;
    return read;
  }

  std::optional<int> ReadDots(std::string_view field, int number) {
    if (field == "0") return 0;
    int pattern = 0;
    for (const char dot : field) {
      if (dot < '1' || dot > '6') {
        Error(number, std::string("there is no dot ") + dot + " in '" + std::string(field) +
                          "': a cell has the dots 1 to 6 (0 alone is the blank cell)");
        return std::nullopt;
      }
      const int bit = 1 << (dot - '1');
      if ((pattern & bit) != 0) {
        Error(number, std::string("the dot ") + dot + " is written twice in '" + std::string(field) + "'");
        return std::nullopt;
      }
      pattern |= bit;
    }
    return pattern;
  }

  void Add(const AlphabetLine& read) {
    // base and ambas lines share one list of characters; atual and antiga
    // have one list each.
    std::map<unsigned char, int>& lineOfCharacter = read.group == AlphabetGroup::kCurrent ? currentLine_
                                                    : read.group == AlphabetGroup::kOld   ? oldLine_
                                                                                          : bothLine_;
    const auto [known, added] = lineOfCharacter.emplace(read.internal, read.line);
    if (!added) {
      return Error(read.line, "'" + read.character + "' is already on line " + std::to_string(known->second) +
                                  (read.group == AlphabetGroup::kCurrent ? " (atual)"
                                   : read.group == AlphabetGroup::kOld   ? " (antiga)"
                                                                         : " (base or ambas)"));
    }
    if (read.group == AlphabetGroup::kBase) {
      const auto [cellKnown, cellAdded] = baseLineOfCell_.emplace(read.dots, read.line);
      if (!cellAdded) {
        return Error(read.line, "the cell " + CellName(read.dots) + " already has its base character, on line " +
                                    std::to_string(cellKnown->second));
      }
      reading_.alphabet.cellCharacters[static_cast<std::size_t>(read.dots)] = read.internal;
    }
    reading_.alphabet.lines.push_back(read);
  }

  // The cell of each character under each rule set: its base or ambas line,
  // unless an atual or antiga line puts it elsewhere in those rules.
  void Resolve() {
    Alphabet& alphabet = reading_.alphabet;
    for (const AlphabetLine& line : alphabet.lines) {
      if (line.group == AlphabetGroup::kBase || line.group == AlphabetGroup::kBoth) {
        alphabet.currentRulesDots[line.internal] = line.dots;
        alphabet.oldRulesDots[line.internal] = line.dots;
      }
    }
    for (const AlphabetLine& line : alphabet.lines) {
      if (line.group == AlphabetGroup::kCurrent) alphabet.currentRulesDots[line.internal] = line.dots;
      if (line.group == AlphabetGroup::kOld) alphabet.oldRulesDots[line.internal] = line.dots;
    }
  }

  AlphabetReading reading_;
  std::map<unsigned char, int> bothLine_;
  std::map<unsigned char, int> currentLine_;
  std::map<unsigned char, int> oldLine_;
  std::map<int, int> baseLineOfCell_;
};

std::string Hex(int byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

const char* GroupConstant(AlphabetGroup group) {
  switch (group) {
    case AlphabetGroup::kBase: return "Group::kBase";
    case AlphabetGroup::kBoth: return "Group::kBoth";
    case AlphabetGroup::kCurrent: return "Group::kCurrent";
    case AlphabetGroup::kOld: return "Group::kOld";
  }
  return "";
}

// The 256 dot patterns of a rule set, sixteen to a row.
std::string DotsTable(const char* name, const std::array<int, 256>& dots) {
  std::string source = "inline constexpr std::array<signed char, 256> " + std::string(name) + " = {\n";
  for (int c = 0; c < 256; ++c) {
    source += c % 16 == 0 ? "    " : " ";
    source += std::to_string(dots[static_cast<std::size_t>(c)]) + ",";
    if (c % 16 == 15) source += "  // " + Hex(c - 15) + "\n";
  }
  return source + "};\n\n";
}

}  // namespace

AlphabetReading ReadAlphabet(std::string_view text) { return Reader().Read(text); }

std::string DotNumbers(int pattern) {
  std::string numbers;
  for (int dot = 0; dot < 6; ++dot) {
    if ((pattern & (1 << dot)) != 0) numbers += static_cast<char>('1' + dot);
  }
  return numbers.empty() ? "0" : numbers;
}

std::string AlphabetTablesSource(const Alphabet& alphabet) {
  std::string source =
      "// Made at build time from data/braille/alfabeto.txt by relevix_make_braille_alphabet: edit that file,\n"
      "// not this one. Included by braille/braille_alphabet.h, which declares Row and Group.\n"
      "#pragma once\n\n"
      "namespace braille_alphabet {\n\n";
  source += "inline constexpr std::array<unsigned char, 64> kCellCharacters = {\n";
  for (int pattern = 0; pattern < 64; ++pattern) {
    source += pattern % 8 == 0 ? "    " : " ";
    source += Hex(alphabet.cellCharacters[static_cast<std::size_t>(pattern)]) + ",";
    if (pattern % 8 == 7) source += "\n";
  }
  source += "};\n\n";
  source += DotsTable("kCurrentRulesDots", alphabet.currentRulesDots);
  source += DotsTable("kOldRulesDots", alphabet.oldRulesDots);
  source += "inline constexpr Row kRows[] = {\n";
  for (const AlphabetLine& line : alphabet.lines) {
    source += "    {" + CppStringLiteral(line.character) + ", " + Hex(line.internal) + ", " + std::to_string(line.dots) + ", " +
              GroupConstant(line.group) + ", " + std::to_string(line.line) + "},\n";
  }
  source += "};\n\n}  // namespace braille_alphabet\n";
  return source;
}
