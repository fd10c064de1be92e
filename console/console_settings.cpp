#include "console/console_settings.h"

#include <charconv>

#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/suite_settings.h"

namespace {

constexpr std::size_t kMaxValueChars = 80;

// The settings directory's copy of SONARA.INI (or the file the program was
// told to use instead); the start-up directory's copy does not count.
std::string WindowsDirectorySettingsFile() {
  const std::string inSettingsDirectory = JoinPath(SettingsDirectory(), "SONARA.INI");
  const std::string suiteFile = SuiteSettingsFile();
  return suiteFile == StartupDirectory() + "\\SONARA.INI" ? inSettingsDirectory : suiteFile;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The whole trimmed text as a decimal integer.
bool ParseInteger(std::string_view text, int& value) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && stop == end;
}

bool IsYes(std::string_view value) { return !value.empty() && (value.front() == 'S' || value.front() == 's'); }

struct SettingsReader {
  std::string file = WindowsDirectorySettingsFile();

  std::string Text(std::string_view section, std::string_view key, std::string_view defaultValue,
                   std::size_t maxChars = kMaxValueChars) const {
    return ReadProfileString(file, section, key, defaultValue, maxChars);
  }
  // A value that is not a number keeps the default.
  int Number(std::string_view key, int defaultValue) const {
    int value = defaultValue;
    return ParseInteger(Text("VIDEO", key, std::to_string(defaultValue)), value) ? value : defaultValue;
  }
  // The low bits of the value's first character (0 for an empty value).
  int FirstCharacterBits(std::string_view section, std::string_view key, std::string_view defaultValue,
                         int mask) const {
    const std::string value = Text(section, key, defaultValue, 1);
    return value.empty() ? 0 : static_cast<unsigned char>(value[0]) & mask;
  }
};

}  // namespace

std::array<int, 16> ParseColourMap(std::string_view text) {
  std::array<int, 16> map{};
  for (int i = 0; i < 16; ++i) map[static_cast<std::size_t>(i)] = i;
  const std::string items = std::string(text) + ",";
  std::size_t start = 0;
  for (std::size_t slot = 0; slot < map.size(); ++slot) {
    const std::size_t comma = items.find(',', start);
    if (comma == std::string::npos) break;
    int value = 0;
    if (!ParseInteger(std::string_view(items).substr(start, comma - start), value)) break;
    map[slot] = value;
    start = comma + 1;
  }
  return map;
}

int DefaultCharacterWidth(int workAreaWidth) { return workAreaWidth * 13 / 1024; }

int DefaultCharacterHeight(int workAreaHeight) { return workAreaHeight * 28 / 734; }

VideoSettings ReadVideoSettings() {
  const SettingsReader reader;
  VideoSettings settings;
  settings.colourMap = ParseColourMap(reader.Text("VIDEO", "TABCORES", "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15"));
  settings.fixedColours = IsYes(reader.Text("VIDEO", "CORESFIXAS", "N"));
  settings.slowScroll = IsYes(reader.Text("VIDEO", "LENTO", "N"));
  settings.backgroundColour = reader.Number("CORFUNDO", 0);
  settings.foregroundColour = reader.Number("CORLETRA", 15);
  settings.magnifierFactor = reader.FirstCharacterBits("VIDEO", "AMPLIF", "2", 7);
  settings.fontFace = reader.Text("VIDEO", "FONTE", "Lucida Console");
  settings.characterWidth = reader.Number("LARGURALETRA", 0);
  settings.characterHeight = reader.Number("ALTURALETRA", 0);
  settings.fontWeight = reader.Number("PESOLETRA", 700);
  settings.normalSize = IsYes(reader.Text("VIDEO", "CANTOTELA", "SIM"));
  settings.brailleMode = reader.FirstCharacterBits("BRAILLE", "MODO", "0", 3);
  return settings;
}
