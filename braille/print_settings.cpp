#include "braille/print_settings.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "platform/suite_settings.h"

namespace {

constexpr std::string_view kSection = "RELEVIX";

constexpr PrintSettingRow kRows[] = {
#include "braille/print_settings_rows.inc"
};

// Number rule: the value replaces the default only when it is a whole valid
// integer, and not below the smallest that makes sense (a line of fewer than
// two cells could not be cut); anything else written is noted with the
// default kept.
void ReadNumber(std::string_view key, const std::string& written, int& value, int smallest,
                std::vector<ReplacedSetting>& replaced) {
  if (written.empty()) return;
  int parsed;
  if (ParseSettingsInteger(written, parsed) && parsed >= smallest) {
    value = parsed;
  } else {
    replaced.push_back({std::string(key), written, value});
  }
}

// Yes rule: on exactly when the value begins with "S" or "s".
bool ReadYes(const std::string& value) { return !value.empty() && (value[0] == 'S' || value[0] == 's'); }

// Pacing rule: lines per minute become a pause in milliseconds after each
// line. A negative rate would be a negative pause: taken as no pacing.
int ReadPacing(const PrintSettingRow& row, const std::string& written, std::vector<ReplacedSetting>& replaced) {
  int linesPerMinute = 0;
  ReadNumber(row.key, written, linesPerMinute, row.limit, replaced);
  if (linesPerMinute == 0) return 0;
  return static_cast<int>(60000.0 / linesPerMinute);
}

// A code table path: the value, or the program directory followed by the
// default file name.
std::string ReadTablePath(const PrintSettingRow& row, std::string path) {
  if (path.empty()) path = ReadSuiteSetting("SONARA", "PGMSONARA") + std::string(row.defaultValue);
  return path;
}

}  // namespace

void SetPrintSetting(const PrintSettingRow& row, const std::string& written, PrintSettings& settings,
                     std::vector<ReplacedSetting>& replaced) {
  switch (row.kind) {
    case SettingKind::kText:
      // An empty value is the default (the first parallel port, for the
      // device).
      settings.*row.text = written.empty() ? std::string(row.defaultValue) : written;
      break;
    case SettingKind::kNumber:
      ReadNumber(row.key, written, settings.*row.number, row.limit, replaced);
      break;
    case SettingKind::kYesno:
      settings.*row.yesNo = ReadYes(written);
      break;
    case SettingKind::kTitles:
      settings.*row.number = ReadYes(written) ? 2 : 1;
      break;
    case SettingKind::kPacing:
      settings.*row.number = ReadPacing(row, written, replaced);
      break;
    case SettingKind::kTable:
      settings.*row.text = ReadTablePath(row, written);
      break;
    case SettingKind::kDerived:
      break;
  }
}

std::span<const PrintSettingRow> PrintSettingRows() { return kRows; }

const PrintSettingRow* FindPrintSetting(std::string_view key) {
  for (const PrintSettingRow& row : kRows) {
    if (row.key == key) return &row;
  }
  return nullptr;
}

bool ParseSettingsInteger(const std::string& text, int& value) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == text.size()) return false;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9') return false;
  }
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed < std::numeric_limits<int>::min() || parsed > std::numeric_limits<int>::max()) {
    return false;
  }
  value = static_cast<int>(parsed);
  return true;
}

PrintSettings ReadPrintSettings(std::vector<ReplacedSetting>& replaced) {
  replaced.clear();
  PrintSettings settings;
  for (const PrintSettingRow& row : kRows) {
    if (row.inFile) SetPrintSetting(row, ReadSuiteSetting(kSection, row.key), settings, replaced);
  }
  return settings;
}

void NormalisePagination(PrintSettings& settings) {
  if (settings.LINHAS > 0) {
    if (settings.BRPAGINI <= 0) settings.BRPAGINI = 1;
    if (settings.BRPAGFIN <= 0) settings.BRPAGFIN = 9999;
    if (settings.BRNUMINI <= 0) settings.BRNUMINI = 1;
  } else {
    settings.LINHAS = 30000;
  }
  // A volume holds its title page's sheet and at least one more.
  if (settings.FOLHASPORVOLUME == 1) settings.FOLHASPORVOLUME = 2;
}
