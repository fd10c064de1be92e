#include "braille/print_settings.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "platform/suite_settings.h"

namespace {

constexpr std::string_view kSection = "RELEVIX";

std::string Read(std::string_view key) { return ReadSuiteSetting(kSection, key); }

// Number rule: the value replaces the prior one only when it is a whole
// valid integer, and not below the smallest that makes sense; anything else
// written is noted with the value kept.
void ReadNumber(std::string_view key, int& value, int smallest, std::vector<ReplacedSetting>& replacedSettings) {
  const std::string written = Read(key);
  if (written.empty()) return;
  int parsed;
  if (!ParseSettingsInteger(written, parsed)) {
    replacedSettings.push_back({std::string(key), written, value});
  } else if (parsed < smallest) {
    value = smallest;
    replacedSettings.push_back({std::string(key), written, value});
  } else {
    value = parsed;
  }
}

// Yes rule: on exactly when the value begins with "S" or "s".
bool ReadYes(std::string_view key) {
  const std::string value = Read(key);
  return !value.empty() && (value[0] == 'S' || value[0] == 's');
}

// Pacing rule: lines per minute become a pause in milliseconds after each
// line. A negative rate would be a negative pause: taken as no pacing.
int ReadPacing(std::string_view key, std::vector<ReplacedSetting>& replaced) {
  int linesPerMinute = 0;
  ReadNumber(key, linesPerMinute, 0, replaced);
  if (linesPerMinute == 0) return 0;
  return static_cast<int>(60000.0 / linesPerMinute);
}

// A code table path: the value, or the program directory followed by the
// default file name.
std::string ReadTablePath(std::string_view key, std::string_view defaultName) {
  std::string path = Read(key);
  if (path.empty()) path = ReadSuiteSetting("SONARA", "PGMSONARA") + std::string(defaultName);
  return path;
}

}  // namespace

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
  PrintSettings printSettings;
  printSettings.DISPSAIDA = Read("DISPSAIDA");
  if (printSettings.DISPSAIDA.empty()) printSettings.DISPSAIDA = "LPT1";
  // A line holds at least two cells, or it could not be cut; 0 lines per
  // page means no pagination, and fewer is taken as that.
  ReadNumber("COLUNAS", printSettings.COLUNAS, 2, replaced);
  ReadNumber("LINHAS", printSettings.LINHAS, 0, replaced);
  printSettings.FRENTEVERSO = ReadYes("FRENTEVERSO");
  printSettings.AUTOFORMATA = ReadYes("AUTOFORMATA");
  printSettings.TEXTODOEDIT = ReadYes("TEXTODOEDIT");
  printSettings.TITULA = ReadYes("TITULA");
  printSettings.NUMERAORIG = ReadYes("NUMERAORIG");
  printSettings.TITULOATRAS = ReadYes("TITULOATRAS") ? 2 : 1;
  printSettings.AFASTACABECPAR = ReadYes("AFASTACABECPAR");
  printSettings.TEXTOINGLES = ReadYes("TEXTOINGLES");
  printSettings.SEPARASILABAS = ReadYes("SEPARASILABAS");
  printSettings.LINHASPORMINUTO = ReadPacing("LINHASPORMINUTO", replaced);
  printSettings.USABRAILLEANTIGO = ReadYes("USABRAILLEANTIGO");
  printSettings.AMBCODE = ReadTablePath("AMBCODE", "\\ambcode.cfg");
  printSettings.AMBCODE2 = ReadTablePath("AMBCODE2", "\\ambcode2.cfg");
  return printSettings;
}

void NormalisePagination(PrintSettings& settings) {
  if (settings.LINHAS > 0) {
    if (settings.BRPAGINI <= 0) settings.BRPAGINI = 1;
    if (settings.BRPAGFIN <= 0) settings.BRPAGFIN = 9999;
    if (settings.BRNUMINI <= 0) settings.BRNUMINI = 1;
  } else {
    settings.LINHAS = 30000;
  }
}
