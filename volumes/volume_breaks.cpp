#include "volumes/volume_breaks.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "braille/embedded_commands.h"

namespace {

constexpr char kBullet = static_cast<char>(149);
constexpr std::size_t kCentringBlanks = 10;  // leading blanks that centre a line

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::size_t LeadingBlanks(std::string_view line) {
  std::size_t blanks = 0;
  for (const char c : line) {
    if (c == ' ') {
      ++blanks;
    } else if (c == '\t') {
      blanks += 2;  // as the composer expands a tab
    } else {
      break;
    }
  }
  return blanks;
}

LayoutCommand::Kind CommandOf(std::string_view line) {
  if (line.empty() || line.front() != '<') return LayoutCommand::Kind::Text;
  const std::size_t last = line.find_last_not_of(' ');
  return ParseCommand(line.substr(0, last + 1)).kind;
}

bool OpensParagraph(std::string_view line) {
  return line.front() == ' ' || line.front() == '\t' || line.front() == kBullet;
}

// How many volumes the pages from start to end take with planned volumes
// aimed at: more than planned when the places fall short of the targets.
int SimulatedVolumes(const std::vector<PlaceInBook>& places, double start, double end, int planned, int capacity) {
  int volumes = 0;
  double at = start;
  for (;;) {
    ++volumes;
    const int target = VolumeTarget(end - at, planned - volumes + 1, capacity);
    if (end - at <= target) return volumes;
    std::vector<PlaceInVolume> inVolume;
    std::vector<double> pageOf;
    for (auto place = std::ranges::upper_bound(places, at, {}, &PlaceInBook::page);
         place != places.end() && place->page - at <= target; ++place) {
      inVolume.push_back({std::ceil(place->page - at), place->kind});
      pageOf.push_back(place->page);
    }
    const std::optional<std::size_t> chosen = ChooseVolumeEnd(inVolume, target);
    at = chosen ? pageOf[*chosen] : at + target;
  }
}

}  // namespace

std::optional<BreakPlace> BreakBefore(const ComposerState& s, const std::vector<std::string>& lines, std::size_t i,
                                      int rows) {
  const std::string& line = lines[i];
  if (s.lineOnPage == 0 || IsBlank(line)) return std::nullopt;
  using Kind = LayoutCommand::Kind;
  const Kind command = CommandOf(line);
  if (command == Kind::NewVolume) return std::nullopt;
  const bool pending = !s.pendingText.empty();
  const bool pageFull = s.lineOnPage > rows;
  const bool centred = line.size() > kCentringBlanks && LeadingBlanks(line) >= kCentringBlanks;
  if (pending) {
    // Reformatting: these lines write the open paragraph's end first, just
    // as ending the volume before them does. Before a centred line that end
    // would be centred with it, so no volume ends there.
    const bool heading = command == Kind::Title || command == Kind::NumberedPage || command == Kind::NewPage;
    if (!heading && (command != Kind::Text || !OpensParagraph(line) || centred)) return std::nullopt;
    return BreakPlace{heading ? VolumeEnd::Heading : VolumeEnd::Paragraph, pageFull ? 1 : 0};
  }
  // A page that holds only its header is not ended for a volume.
  if (!s.pageHasBody && !pageFull) return std::nullopt;
  if (centred || command == Kind::Title || command == Kind::NumberedPage || command == Kind::NewPage) {
    return BreakPlace{VolumeEnd::Heading, 0};
  }
  const bool afterBlank = i == 0 || IsBlank(lines[i - 1]);
  const bool afterCommand = i > 0 && CommandOf(lines[i - 1]) != Kind::Text;
  if (afterBlank || afterCommand || OpensParagraph(line)) return BreakPlace{VolumeEnd::Paragraph, 0};
  return std::nullopt;
}

std::optional<std::size_t> ChooseVolumeEnd(const std::vector<PlaceInVolume>& places, int target) {
  const int windowStart = target - target / 5;
  std::optional<std::size_t> heading, paragraph;
  for (std::size_t p = 0; p < places.size(); ++p) {
    if (places[p].pages < windowStart || places[p].pages > target) continue;
    (places[p].kind == VolumeEnd::Heading ? heading : paragraph) = p;
  }
  return heading ? heading : paragraph;
}

int VolumeTarget(double pagesLeft, int volumesLeft, int capacity) {
  if (volumesLeft <= 1) return capacity;
  return std::clamp(static_cast<int>(std::ceil(pagesLeft / volumesLeft)), 1, capacity);
}

int PlanVolumes(const std::vector<PlaceInBook>& places, double start, double end, int capacity) {
  // A run that begins mid-page begins its volume on a page of its own: its
  // pages are counted whole.
  const double pages = std::ceil(end - start - 1e-9);
  int planned = std::max(1, static_cast<int>(std::ceil(pages / capacity)));
  // Each volume holds at least a page, so the plan comes to an end.
  while (planned < pages && SimulatedVolumes(places, start, end, planned, capacity) > planned) ++planned;
  return planned;
}
