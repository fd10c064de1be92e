#include "braille/embedded_commands.h"

#include <limits>

#include "platform/text_encoding.h"

namespace {

using Kind = LayoutCommand::Kind;

constexpr char kCommandStart = '<';
constexpr char kCommandEnd = '>';
constexpr std::string_view kSwitchOn = "+>";
constexpr std::string_view kSwitchOff = "->";
constexpr char kDefaultPictureOption = '6';
constexpr std::size_t kLongestMargin = 999;

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

LayoutCommand Switch(Kind kind, std::string_view line) {
  LayoutCommand command{.kind = kind};
  const std::string_view change = SwitchOf(line);
  if (change == kSwitchOn) {
    command.switchTo = true;
  } else if (change == kSwitchOff) {
    command.switchTo = false;
  }
  return command;
}

// n of <T+n>: a digit after '+', the line ending in '>'; characters after
// the digits are ignored.
std::optional<int> SetPageNumberOf(std::string_view line) {
  if (line.size() < 5 || line[2] != '+' || !IsDigit(line[3]) || !line.ends_with(kCommandEnd)) return std::nullopt;
  std::size_t digitCount;
  return LeadingNumber(line.substr(3), kLargestSetPageNumber, digitCount);
}

LayoutCommand TitleCommand(std::string_view line) {
  const std::string_view change = SwitchOf(line);
  if (change == kSwitchOff) return {.kind = Kind::TitlesOff};
  if (change == kSwitchOn) return {.kind = Kind::TitlesOn};
  if (const std::optional<int> number = SetPageNumberOf(line)) return {.kind = Kind::NumberedPage, .number = *number};
  return {.kind = Kind::Title, .text = std::string(WithoutFinalEnd(line.substr(2)))};
}

// "<G name>" or "<Go name>", o being the graphic-mode option.
LayoutCommand PictureCommand(std::string_view line) {
  LayoutCommand command{.kind = Kind::Picture};
  if (line.size() < 3 || !line.ends_with(kCommandEnd)) {
    command.pictureMalformed = true;
    return command;
  }
  std::string rest(line);
  command.pictureOption = kDefaultPictureOption;
  if (rest[2] != ' ') {
    command.pictureOption = rest[2];
    rest.erase(2, 1);
  }
  // What lies between "<G " and the final '>'.
  if (rest.size() >= 4) command.text = rest.substr(3, rest.size() - 4);
  return command;
}

// <n>: a number that is not all digits still sets the value of its leading
// digits, and the line is then printed; a number too large for the counter
// sets nothing.
LayoutCommand PrintPageNumberCommand(std::string_view line) {
  if (!line.ends_with(kCommandEnd)) return {};
  const std::string_view digits = line.substr(1, line.size() - 2);
  std::size_t digitCount;
  const std::optional<int> number = LeadingNumber(digits, std::numeric_limits<int>::max(), digitCount);
  if (!number) return {};
  return {.kind = Kind::PrintPageNumber, .number = *number, .printedToo = digitCount != digits.size()};
}

}  // namespace

LayoutCommand ParseCommand(std::string_view line) {
  // "<" alone (and anything not beginning with '<') is text.
  if (line.size() < 2 || line.front() != kCommandStart) return {};
  if (line == "<p>" || line == "<P>") return {.kind = Kind::NewPage};
  if (line == "<v>" || line == "<V>") return {.kind = Kind::NewVolume};
  switch (UpperWindows1252(static_cast<unsigned char>(line[1]))) {
    case 'T':
      return TitleCommand(line);
    case 'F':
      return Switch(Kind::Reformat, line);
    case 'S':
      return Switch(Kind::SyllableSeparation, line);
    case 'R':
      return Switch(Kind::ContinuationIndent, line);
    case 'I':
      return Switch(Kind::EnglishStyle, line);
    case 'G':
      return PictureCommand(line);
    case 'M':
      return {.kind = Kind::Margin, .text = std::string(WithoutFinalEnd(line.substr(2, kLongestMargin)))};
    default:
      break;
  }
  if (IsDigit(line[1])) return PrintPageNumberCommand(line);
  // Matches no command (a heading in angle brackets, say): left out.
  return {.kind = Kind::Ignored};
}
