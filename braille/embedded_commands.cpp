#include "braille/embedded_commands.h"

#include <limits>
#include <optional>
#include <string>

#include "braille/brImprim.h"
#include "braille/dot_picture.h"
#include "catalogue/brmsg.h"
#include "devices/brdevice.h"
#include "platform/text_encoding.h"

namespace {

constexpr char kCommandStart = '<';
constexpr char kCommandEnd = '>';
constexpr std::string_view kSwitchOn = "+>";
constexpr std::string_view kSwitchOff = "->";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of the decimal digits at the front of text; nullopt when it
// would pass limit. digitCount receives how many digits there are.
std::optional<int> LeadingNumber(std::string_view text, int limit, std::size_t& digitCount) {
  long long value = 0;
  digitCount = 0;
  while (digitCount < text.size() && IsDigit(text[digitCount])) {
    value = value * 10 + (text[digitCount] - '0');
    if (value > limit) return std::nullopt;
    ++digitCount;
  }
  return static_cast<int>(value);
}

std::string_view WithoutFinalEnd(std::string_view text) {
  if (text.ends_with(kCommandEnd)) text.remove_suffix(1);
  return text;
}

// The two characters after the command letter.
std::string_view SwitchOf(std::string_view line) { return line.substr(2, 2); }

void SetSwitch(std::string_view line, bool& value) {
  const std::string_view change = SwitchOf(line);
  if (change == kSwitchOn) {
    value = true;
  } else if (change == kSwitchOff) {
    value = false;
  }
}

// The open paragraph ends before a command that changes the layout.
void EndParagraph() {
  if (composerState.autoReformat && !composerState.pendingText.empty()) FlushPending(true);
}

// n of <T+n>: a digit after '+', the line ending in '>'; characters after
// the digits are ignored.
std::optional<int> SetPageNumberOf(std::string_view line) {
  if (line.size() < 5 || line[2] != '+' || !IsDigit(line[3]) || !line.ends_with(kCommandEnd)) return std::nullopt;
  std::size_t digitCount;
  return LeadingNumber(line.substr(3), kLargestSetPageNumber, digitCount);
}

void TitleCommand(std::string_view line) {
  EndParagraph();
  ComposerState& s = composerState;
  const std::string_view change = SwitchOf(line);
  if (change == kSwitchOff) {
    s.titlesOn = false;
  } else if (change == kSwitchOn) {
    s.titlesOn = true;
  } else if (const std::optional<int> number = SetPageNumberOf(line)) {
    s.titlesOn = true;
    s.pageNumber = *number - 1;
    StartNewPage();
  } else {
    s.currentTitle = WithoutFinalEnd(line.substr(2));
  }
}

// On an odd page the picture goes on the page as it stands; otherwise it
// gets a page of its own and counts as two pages of the numbering.
bool PictureCommand(std::string_view line) {
  EndParagraph();
  ComposerState& s = composerState;
  const bool ownPage = s.pageNumber % 2 == 0;
  if (ownPage) StartNewPage();
  if (!PrintGraphic(line)) {
    ShowMessage("BRGRFNAO", 1);
    return false;
  }
  DeviceWrite(kLineEnd);
  if (ownPage) {
    StartNewPage();
    ++s.pageNumber;
  } else {
    DeviceWrite(kFormFeed);
  }
  return true;
}

// The prefix bytes are not transcribed; at least two cells stay for text.
void MarginCommand(std::string_view line) {
  ComposerState& s = composerState;
  if (!s.pendingText.empty()) FlushPending(true);
  constexpr std::size_t kLongestMargin = 999;
  std::string_view prefix = WithoutFinalEnd(line.substr(2, kLongestMargin));
  const int columns = ComposerColumns();
  prefix = prefix.substr(0, static_cast<std::size_t>(columns - 2));
  s.marginPrefix = prefix;
  s.lineWidth = columns - static_cast<int>(prefix.size());
}

// <n>: a number that is not all digits still sets the value of its leading
// digits, and the line is then printed; a number too large for the counter
// sets nothing.
bool PrintPageNumberCommand(std::string_view line) {
  if (!line.ends_with(kCommandEnd)) return false;
  const std::string_view digits = line.substr(1, line.size() - 2);
  std::size_t digitCount;
  const std::optional<int> number = LeadingNumber(digits, std::numeric_limits<int>::max(), digitCount);
  if (!number) return false;
  composerState.printPageNumber = *number;
  return digitCount == digits.size();
}

}  // namespace

bool ExecuteCommand(std::string_view line) {
  // "<" alone (and anything not beginning with '<') is text.
  if (line.size() < 2 || line.front() != kCommandStart) return false;
  if (line == "<p>" || line == "<P>") {
    EndParagraph();
    StartNewPage();
    return true;
  }
  ComposerState& s = composerState;
  switch (UpperWindows1252(static_cast<unsigned char>(line[1]))) {
    case 'T':
      TitleCommand(line);
      return true;
    case 'F':
      EndParagraph();
      SetSwitch(line, s.autoReformat);
      return true;
    case 'S':
      SetSwitch(line, s.syllableSeparation);
      return true;
    case 'R':
      EndParagraph();
      SetSwitch(line, s.continuationIndent);
      return true;
    case 'I':
      SetSwitch(line, s.englishStyle);
      return true;
    case 'G':
      return PictureCommand(line);
    case 'M':
      MarginCommand(line);
      return true;
    default:
      break;
  }
  if (IsDigit(line[1])) return PrintPageNumberCommand(line);
  // Matches no command (a heading in angle brackets, say): left out.
  return true;
}
