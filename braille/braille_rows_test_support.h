// What the tests that read Braille rows share: the rows files (UTF-8 text
// under braille/testdata/, one folder per kind), their lines with numbers,
// and the two kinds of field every file writes: print text, handed to the
// program in Windows-1252, and Unicode Braille cells.
//
// Print text: UTF-8, every character one that Windows-1252 has; a field's
// blanks at either end are no part of it, so a blank there is written ␣
// (␣ may stand for any blank); ⟨XX⟩ is the Windows-1252 byte of hexadecimal
// value XX, for what cannot be seen (⟨AD⟩ the soft hyphen, ⟨A0⟩ the no-break
// space, ⟨09⟩ a tab).
//
// Braille: the cells U+2800 to U+283F and nothing else; ⠀ (U+2800) is the
// blank cell.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/text_encoding.h"

namespace braille_rows {

// The folder of the rows files, set by the build.
inline std::string RowsDirectory() { return RELEVIX_BRAILLE_ROWS_DIR; }

struct SourceLine {
  int number = 0;
  std::string text;  // UTF-8, without the line end
};

struct RowsFile {
  std::string path;
  std::vector<SourceLine> lines;
};

// A failure that names the file and line, as a compiler does.
#define BRAILLE_ROW_FAILURE(file, lineNumber) ADD_FAILURE_AT((file).path.c_str(), (lineNumber))

// Reads the files a kind's test knows, in order. Fails the test for a file
// that is missing, unreadable, not UTF-8 or empty of text, and for a .txt
// file in the kind's folder that is not in the list (its rows would never be
// checked).
inline std::vector<RowsFile> ReadRowsFiles(const std::string& kind, const std::vector<std::string>& names) {
  const std::filesystem::path folder = std::filesystem::path(RowsDirectory()) / kind;
  std::vector<RowsFile> files;
  for (const std::string& name : names) {
    RowsFile file;
    file.path = (folder / name).string();
    std::ifstream in(file.path, std::ios::binary);
    if (!in) {
      ADD_FAILURE() << "missing rows file " << file.path;
      continue;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);  // a byte order mark some editors write
    std::istringstream lines(text);
    int number = 0;
    bool wellFormed = true;
    for (std::string line; std::getline(lines, line);) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      for (std::string_view rest = line; !rest.empty();) {
        const Utf8Step step = DecodeUtf8Step(rest);
        if (!step.valid) {
          ADD_FAILURE_AT(file.path.c_str(), number) << "the line is not UTF-8";
          wellFormed = false;
          break;
        }
        rest.remove_prefix(step.length);
      }
      file.lines.push_back({number, line});
    }
    if (file.lines.empty()) ADD_FAILURE() << "empty rows file " << file.path;
    if (wellFormed) files.push_back(std::move(file));
  }
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".txt" && std::find(names.begin(), names.end(), name) == names.end()) {
      ADD_FAILURE() << entry.path().string() << " is not read: add its name to the list of " << kind << " files";
    }
  }
  if (error) ADD_FAILURE() << "cannot list " << folder.string() << ": " << error.message();
  return files;
}

inline std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Whether a line is a comment (# first) or holds nothing.
inline bool IsCommentOrEmpty(std::string_view line) {
  line = TrimBlanks(line);
  return line.empty() || line.front() == '#';
}

inline constexpr std::string_view kVisibleBlank = "\xE2\x90\xA3";  // ␣
inline constexpr char32_t kByteOpen = U'\u27E8';                   // ⟨
inline constexpr char32_t kByteClose = U'\u27E9';                  // ⟩

inline std::string CodePointName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

inline int HexValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

// A print field (its blanks at either end already gone) as Windows-1252;
// false with the reason when it has a character that is no print text.
inline bool PrintText(std::string_view field, std::string& text, std::string& problem) {
  text.clear();
  std::vector<char32_t> characters;
  for (std::string_view rest = field; !rest.empty();) {
    const Utf8Step step = DecodeUtf8Step(rest);
    characters.push_back(step.codePoint);
    rest.remove_prefix(step.length);
  }
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const char32_t c = characters[i];
    if (c == U'\u2423') {
      text += ' ';
    } else if (c == kByteOpen) {
      const bool complete = i + 3 < characters.size();
      const int high = complete ? HexValue(characters[i + 1]) : -1;
      const int low = complete ? HexValue(characters[i + 2]) : -1;
      if (high < 0 || low < 0 || characters[i + 3] != kByteClose) {
        problem = "\xE2\x9F\xA8 must be followed by two hexadecimal digits and \xE2\x9F\xA9";
        return false;
      }
      text += static_cast<char>(high * 16 + low);
      i += 3;
    } else if (c < 0x20 || c == 0x7F) {
      problem = "a control character (" + CodePointName(c) + "): write it as \xE2\x9F\xA8XX\xE2\x9F\xA9";
      return false;
    } else if (c >= 0x2800 && c <= 0x28FF) {
      problem = "Braille cells where print text is expected";
      return false;
    } else {
      const char byte = Windows1252FromCodePoint(c);
      if (byte == '?' && c != U'?') {
        problem = CodePointName(c) + " is no Windows-1252 character";
        return false;
      }
      text += byte;
    }
  }
  return true;
}

// A Braille field (its blanks at either end already gone), checked: six-dot
// cells only. Gives the cells as they were written.
inline bool BrailleCells(std::string_view field, std::string& cells, std::string& problem) {
  for (std::string_view rest = field; !rest.empty();) {
    const Utf8Step step = DecodeUtf8Step(rest);
    if (step.codePoint == U' ') {
      problem = "a blank among the Braille cells: write the blank cell as \xE2\xA0\x80 (U+2800)";
      return false;
    }
    if (step.codePoint < 0x2800 || step.codePoint > 0x283F) {
      problem = CodePointName(step.codePoint) + " is no six-dot Braille cell";
      return false;
    }
    rest.remove_prefix(step.length);
  }
  cells = std::string(field);
  return true;
}

// Windows-1252 text as a row would write it: UTF-8, blanks at either end
// and invisible characters in their visible forms.
inline std::string ShowPrint(std::string_view text) {
  std::string shown;
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == ' ' && (first == std::string_view::npos || i < first || i > last)) {
      shown += kVisibleBlank;
    } else if (c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D ||
               c == 0xA0 || c == 0xAD) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "%02X", c);
      shown += "\xE2\x9F\xA8" + std::string(escape) + "\xE2\x9F\xA9";
    } else {
      shown += Utf8FromWindows1252(std::string_view(text).substr(i, 1));
    }
  }
  return shown;
}

// Splits a line at the first occurrence of a separator; false when it has
// none.
inline bool SplitAt(std::string_view line, std::string_view separator, std::string_view& before,
                    std::string_view& after) {
  const std::size_t at = line.find(separator);
  if (at == std::string_view::npos) return false;
  before = line.substr(0, at);
  after = line.substr(at + separator.size());
  return true;
}

inline constexpr std::string_view kArrow = "\xE2\x86\x92";  // →

}  // namespace braille_rows
