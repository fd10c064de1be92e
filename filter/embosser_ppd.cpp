#include "filter/embosser_ppd.h"

#include <algorithm>
#include <string_view>

#include "filter/queue_options.h"
#include "platform/message_texts.h"

namespace {

// The document types the filter lays out itself; anything the print server
// cannot name (a Word or OpenDocument file, an EPUB, a PEF) reaches it as
// application/octet-stream and is recognised, or refused, by its content.
constexpr std::string_view kAcceptedTypes[] = {"text/plain", "text/html", "application/pdf",
                                               "application/octet-stream"};

constexpr std::string_view kHeader =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"" RELEVIX_VERSION "\"\n"
    "*LanguageVersion: Portuguese\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"RELEVIX.PPD\"\n"
    "*Manufacturer: \"Relevix\"\n"
    "*Product: \"(Relevix)\"\n"
    "*ModelName: \"Relevix Braille\"\n"
    "*ShortNickName: \"Relevix Braille\"\n"
    "*NickName: \"Relevix Braille, " RELEVIX_VERSION "\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: False\n"
    "*DefaultColorSpace: Gray\n"
    "*FileSystem: False\n"
    "*Throughput: \"1\"\n"
    "*LandscapeOrientation: Plus90\n"
    "*TTRasterizer: Type42\n"
    "*cupsVersion: 2.4\n"
    // The filter makes the copies: each is laid out from the text again.
    "*cupsManualCopies: True\n";

// Fan-fold Braille paper, 11 x 11.5 inches, in points; the filter lays out
// cells and lines, so the size is only what dialogues show.
constexpr std::string_view kPaper =
    "*OpenUI *PageSize: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageSize\n"
    "*DefaultPageSize: 11x11.5.Fullbleed\n"
    "*PageSize 11x11.5.Fullbleed/Braille 11 x 11,5 pol: \"<</PageSize[792 828]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageRegion\n"
    "*DefaultPageRegion: 11x11.5.Fullbleed\n"
    "*PageRegion 11x11.5.Fullbleed/Braille 11 x 11,5 pol: \"<</PageSize[792 828]/ImagingBBox null>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: 11x11.5.Fullbleed\n"
    "*ImageableArea 11x11.5.Fullbleed/Braille 11 x 11,5 pol: \"0 0 792 828\"\n"
    "*DefaultPaperDimension: 11x11.5.Fullbleed\n"
    "*PaperDimension 11x11.5.Fullbleed/Braille 11 x 11,5 pol: \"792 828\"\n";

std::string Choice(std::string_view key, std::string_view choice, std::string_view label) {
  return "*" + std::string(key) + " " + std::string(choice) + "/" + std::string(label) + ": \"\"\n";
}

// A PickOne option; choices are written by the caller between its lines.
std::string OpenOption(std::string_view key, std::string_view label, std::string_view defaultChoice) {
  const std::string name(key);
  return "*OpenUI *" + name + "/" + std::string(label) + ": PickOne\n*OrderDependency: 20 AnySetup *" + name +
         "\n*Default" + name + ": " + std::string(defaultChoice) + "\n";
}

std::string CloseOption(std::string_view key) { return "*CloseUI: *" + std::string(key) + "\n"; }

std::string YesNoOption(std::string_view key, std::string_view labelKey, bool on) {
  return OpenOption(key, GetMessage(labelKey), on ? "S" : "N") + Choice(key, "S", GetMessage("PPDSIM")) +
         Choice(key, "N", GetMessage("PPDNAO")) + CloseOption(key);
}

// A text setting's words; an empty value is the first word.
std::string WordOption(const QueueSetting& setting, const std::string& value) {
  std::string_view words = setting.choices;
  const std::string current = value.empty() ? std::string(words.substr(0, words.find(' '))) : value;
  std::string text = OpenOption(setting.key, GetMessage(setting.labelKey), current);
  while (!words.empty()) {
    const std::string_view word = words.substr(0, words.find(' '));
    text += Choice(setting.key, word, word);
    words.remove_prefix(std::min(words.size(), word.size() + 1));
  }
  return text + CloseOption(setting.key);
}

std::string NumberOption(const QueueSetting& setting, int value) {
  const std::string current = std::to_string(value);
  std::string text = OpenOption(setting.key, GetMessage(setting.labelKey), current);
  // The settings' own value is a choice even off the usual ones.
  bool listed = false;
  for (int n = setting.lowest; n <= setting.highest; n += setting.step) {
    if (!listed && value < n) text += Choice(setting.key, current, current);
    listed = listed || value <= n;
    text += Choice(setting.key, std::to_string(n), std::to_string(n));
  }
  if (!listed) text += Choice(setting.key, current, current);
  return text + CloseOption(setting.key);
}

}  // namespace

std::string EmbosserPpd(const PrintSettings& settings) {
  std::string ppd(kHeader);
  for (std::string_view type : kAcceptedTypes) {
    ppd += "*cupsFilter2: \"" + std::string(type) + " application/vnd.cups-raw 0 relevix-cups\"\n";
  }
  ppd += kPaper;
  for (const QueueSetting& setting : QueueSettings()) {
    const PrintSettingRow& row = *FindPrintSetting(setting.key);
    if (row.kind == SettingKind::kNumber) {
      ppd += NumberOption(setting, settings.*row.number);
    } else if (row.kind == SettingKind::kText) {
      ppd += WordOption(setting, settings.*row.text);
    } else {
      ppd += YesNoOption(setting.key, setting.labelKey, settings.*row.yesNo);
    }
  }
  ppd += YesNoOption(kJobTitleOption, "PPDTITTR", false);
  return ppd;
}
