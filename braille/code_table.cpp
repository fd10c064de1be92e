#include "braille/code_table.h"

#include <cstdio>

#include "braille/braille_alphabet.h"
#include "braille/print_settings.h"
#include "platform/paths.h"

CodeTable::CodeTable() {
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i);
}

// The base characters of the alphabet's 64 cells (data/braille/alfabeto.txt).
const std::array<unsigned char, 64> DotPatternTable = braille_alphabet::kCellCharacters;

namespace {

// Only this much of a table line is looked at.
constexpr std::size_t kLineLimit = 255;

enum class LineResult { kLine, kEnd, kError };

// Reads one line: at most kLineLimit characters are kept, the rest of the
// line is skipped. LF ends a line, and so does CR LF: a CR right before the
// line end (or the end of the file) is no part of the line.
LineResult ReadTableLine(std::FILE* file, std::string& line) {
  line.clear();
  auto append = [&line](char c) {
    if (line.size() < kLineLimit) line += c;
  };
  bool readAny = false;
  bool carriageReturn = false;
  int c;
  while ((c = std::getc(file)) != EOF && c != '\n') {
    readAny = true;
    if (carriageReturn) append('\r');
    carriageReturn = c == '\r';
    if (!carriageReturn) append(static_cast<char>(c));
  }
  if (std::ferror(file)) return LineResult::kError;
  return readAny || c == '\n' ? LineResult::kLine : LineResult::kEnd;
}

unsigned HexDigitValue(char c) {
  auto code = static_cast<unsigned char>(c);
  if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
  return code >= 'A' ? code - 55u : code - 48u;
}

// Reads the table entries; the number of the line that stopped the reading,
// or 0 when the whole file was read.
int ReadEntries(std::FILE* file, CodeTable& table) {
  std::string line;
  int lineNumber = 0;
  for (;;) {
    const LineResult result = ReadTableLine(file, line);
    if (result == LineResult::kEnd) return 0;
    ++lineNumber;
    if (result == LineResult::kError) return lineNumber;
    if (line.empty() || line[0] == '*') continue;
    // An entry needs all five characters; a shorter one would be read
    // beyond its end.
    if (line.size() < 5 || line[2] != '=') return lineNumber;
    table[HexByte(line[0], line[1])] = HexByte(line[3], line[4]);
  }
}

}  // namespace

unsigned char HexByte(char high, char low) {
  return static_cast<unsigned char>(((HexDigitValue(high) << 4) | HexDigitValue(low)) & 0xFFu);
}

std::string CodeTablePath(const PrintSettings& settings) {
  return settings.USABRAILLEANTIGO ? settings.AMBCODE : settings.AMBCODE2;
}

CodeTableLoad LoadCodeTable(const std::string& path, CodeTable& table) {
  table = CodeTable();
  std::FILE* file = std::fopen(LinuxPath(path).c_str(), "rb");
  if (file == nullptr) return {};
  CodeTableLoad load;
  load.opened = true;
  load.badLine = ReadEntries(file, table);
  std::fclose(file);
  return load;
}
