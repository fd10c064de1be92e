#include "formats/formatted_output.h"

#include <chrono>
#include <ctime>
#include <filesystem>

#include "braille/embosser_pages.h"
#include "braille/print_settings.h"
#include "formats/pef_writer.h"
#include "formats/text_pages.h"
#include "platform/text_encoding.h"

namespace {

struct FormatName {
  std::string_view name;
  OutputFormat format;
};

constexpr FormatName kFormats[] = {
    {"bytes", OutputFormat::Bytes},
    {"brf", OutputFormat::Brf},
    {"pef", OutputFormat::Pef},
    {"unicode", OutputFormat::Unicode},
};

constexpr FormatName kExtensions[] = {
    {".brf", OutputFormat::Brf},
    {".pef", OutputFormat::Pef},
    {".txt", OutputFormat::Unicode},
};

std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char date[16];
  std::strftime(date, sizeof date, "%Y-%m-%d", &utc);
  return date;
}

// Unique enough to tell two books apart: the title and the moment written.
std::string Identifier(const std::string& title) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return "relevix:" + std::to_string(std::hash<std::string>{}(title)) + ":" +
         std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

}  // namespace

bool ParseOutputFormat(std::string_view name, OutputFormat& format) {
  for (const FormatName& known : kFormats) {
    if (EqualsIgnoringCase(name, known.name)) {
      format = known.format;
      return true;
    }
  }
  return false;
}

OutputFormat FormatForOutputName(std::string_view deviceName) {
  const std::string extension = std::filesystem::path(std::string(deviceName)).extension().string();
  for (const FormatName& known : kExtensions) {
    if (EqualsIgnoringCase(extension, known.name)) return known.format;
  }
  return OutputFormat::Bytes;
}

FormattedOutput::FormattedOutput(OutputFormat format, const PrintSettings& settings, const CodeTable& table,
                                 bool oldRules, const std::string& title, OutputSink& device) {
  const PageSize page = SettingsPageSize(settings);
  std::unique_ptr<CellPages> cells;
  switch (format) {
    case OutputFormat::Bytes:
      pages_ = std::make_unique<EmbosserPages>(table, device);
      return;
    case OutputFormat::Brf:
      cells = std::make_unique<BrfPages>(table, oldRules, page, device);
      break;
    case OutputFormat::Unicode:
      cells = std::make_unique<UnicodePages>(table, oldRules, page, device);
      break;
    case OutputFormat::Pef: {
      const std::string utf8Title = Utf8FromWindows1252(title);
      auto pef = std::make_unique<PefPages>(
          table, oldRules, page, PefDescription{utf8Title, Identifier(utf8Title), Today(), settings.FRENTEVERSO}, device);
      pef_ = pef.get();
      cells = std::move(pef);
      break;
    }
  }
  cells_ = cells.get();
  pages_ = std::move(cells);
}

FormattedOutput::~FormattedOutput() = default;

void FormattedOutput::BeginCopy() {
  if (cells_ != nullptr) cells_->BeginCopy();
}

void FormattedOutput::BeginVolume() {
  if (pef_ != nullptr) pef_->OpenVolume();
}

bool FormattedOutput::Finish() { return cells_ == nullptr || cells_->Finish(); }
