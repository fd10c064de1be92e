#include "volumes/volume_title_page.h"

#include <algorithm>
#include <utility>

#include "braille/line_breaking.h"
#include "braille/print_settings.h"
#include "braille/transcription.h"
#include "platform/message_texts.h"
#include "volumes/book_volumes.h"

namespace {

constexpr int kMostBlankRowsAbove = 6;

// The lines of cells of one text, cut to the width and centred.
void AddCentred(std::vector<std::string>& lines, std::string cells, int width) {
  while (!cells.empty()) {
    std::string head;
    if (static_cast<int>(cells.size()) > width) {
      BreakLine(cells, head, width, false);
    } else {
      head = std::exchange(cells, std::string());
    }
    const int indent = (width - static_cast<int>(head.size())) / 2;
    lines.push_back(std::string(static_cast<std::size_t>(std::max(indent, 0)), ' ') + head);
  }
}

}  // namespace

std::vector<std::string> VolumeTitlePage(const PrintSettings& settings, const std::string& title, int volume,
                                         int volumes, const BookVolume& pages) {
  const int width = std::max(settings.COLUNAS, 2);
  const int rows = std::max(settings.LINHAS, 1);
  TranscriptionState state;
  const auto cells = [&](const std::string& text) {
    return Transcribe(text, settings.BRINGLES_CABECALHO, settings.USABRAILLEANTIGO, state);
  };

  std::vector<std::string> titleLines;
  AddCentred(titleLines, cells(title), width);
  std::vector<std::string> about;
  about.emplace_back();
  AddCentred(about, cells(GetMessageWith("VOLTITU", {std::to_string(volume), std::to_string(volumes)})), width);
  about.emplace_back();
  AddCentred(about,
             cells(GetMessageWith("VOLPGBR", {std::to_string(pages.firstNumber), std::to_string(pages.lastNumber)})),
             width);
  if (pages.firstPrintPage != 0 && pages.lastPrintPage != 0) {
    AddCentred(about,
               cells(GetMessageWith("VOLPGTI",
                                    {std::to_string(pages.firstPrintPage), std::to_string(pages.lastPrintPage)})),
               width);
  }
  // Which volume it is matters more than the whole title on a small page.
  const std::size_t titleRoom = rows > static_cast<int>(about.size()) ? rows - about.size() : 0;
  if (titleLines.size() > titleRoom) titleLines.resize(titleRoom);
  std::vector<std::string> page = titleLines;
  page.insert(page.end(), about.begin(), about.end());
  if (page.size() > static_cast<std::size_t>(rows)) page.resize(static_cast<std::size_t>(rows));
  const int above = std::min(kMostBlankRowsAbove, (rows - static_cast<int>(page.size())) / 3);
  page.insert(page.begin(), static_cast<std::size_t>(std::max(above, 0)), std::string());
  return page;
}
