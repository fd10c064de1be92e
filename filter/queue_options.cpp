#include "filter/queue_options.h"

#include <algorithm>

#include "formats/formatted_output.h"
#include "platform/message_texts.h"

namespace {

// Embossers take paper from about 20 to 44 cells wide and 10 to 40 lines
// long.
constexpr QueueSetting kQueueSettings[] = {
    {"COLUNAS", "PPDCOLUN", 20, 44},  {"LINHAS", "PPDLINHA", 10, 40}, {"FRENTEVERSO", "PPDFREVE"},
    {"AUTOFORMATA", "PPDAUTOF"},      {"SEPARASILABAS", "PPDSEPAR"}, {"TEXTOINGLES", "PPDINGLE"},
    {"USABRAILLEANTIGO", "PPDANTIG"}, {"TITULA", "PPDTITUL"},
    // The embosser's bytes, or a Braille file for a queue whose device is one.
    {"FORMATO", "PPDFORMA", 0, 0, "bytes brf pef unicode"},
    // Books in volumes, one after another in the job: 0 for none.
    {"FOLHASPORVOLUME", "PPDFOLVO", 0, 100, {}, 10},
};

bool IsQueueSetting(std::string_view key) {
  return std::ranges::any_of(kQueueSettings, [key](const QueueSetting& setting) { return setting.key == key; });
}

// "A-B", "A" or "A-": the first and last page; false for anything else
// (several ranges among them: the composer embosses one run of pages).
bool ParsePageRange(const std::string& value, int& first, int& last) {
  const std::size_t dash = value.find('-');
  if (dash == std::string::npos) {
    if (!ParseSettingsInteger(value, first)) return false;
    last = first;
  } else if (!ParseSettingsInteger(value.substr(0, dash), first)) {
    return false;
  } else if (dash + 1 == value.size()) {
    last = 9999;
  } else if (!ParseSettingsInteger(value.substr(dash + 1), last)) {
    return false;
  }
  return first >= 1 && last >= first;
}

}  // namespace

std::span<const QueueSetting> QueueSettings() { return kQueueSettings; }

bool ApplyQueueOptions(std::span<const QueueOption> options, std::string_view jobTitle, PrintSettings& settings,
                       std::vector<ReplacedSetting>& replaced, std::string& error) {
  for (const QueueOption& option : options) {
    if (option.name == "page-ranges") {
      if (!ParsePageRange(option.value, settings.BRPAGINI, settings.BRPAGFIN)) {
        error = GetMessageWith("FILPAGIN", {option.value});
        return false;
      }
    } else if (option.name == kJobTitleOption) {
      if (!option.value.empty() && (option.value[0] == 'S' || option.value[0] == 's')) {
        // As long as the dialogue's answer may be.
        const auto limit = static_cast<std::size_t>(FindPrintSetting("BRTIT")->limit);
        settings.BRTIT = std::string(jobTitle.substr(0, limit));
      }
    } else if (option.name == "FORMATO") {
      OutputFormat format;
      if (!ParseOutputFormat(option.value, format)) {
        error = GetMessageWith("FMTDESC", {option.value});
        return false;
      }
      settings.FORMATO = option.value;
    } else if (IsQueueSetting(option.name)) {
      SetPrintSetting(*FindPrintSetting(option.name), option.value, settings, replaced);
    }
  }
  return true;
}
