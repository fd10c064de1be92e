#include "editor/file_names.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace {

// Code page 850, 128..165: the base capital of each letter, 0 for a sign.
constexpr char kCp850Bases[] = "CUEAAAACEEEIIIAAE\x91\x91OOOUUYOUO\0OX\0AIOUNN";
static_assert(sizeof kCp850Bases - 1 == 166 - 128);

// Windows-1252, 192..255.
constexpr char kWindows1252Bases[] =
    "AAAAAA\x91" "CEEEEIIIIDNOOOOOXOUUUUY\0\0"
    "AAAAAA\x91" "CEEEEIIIIDNOOOOOXOUUUUY\0Y";
static_assert(sizeof kWindows1252Bases - 1 == 256 - 192);

constexpr unsigned char kOtherSign = 254;

bool MatchesFrom(std::string_view name, std::string_view mask) {
  // Greedy with one back-track point: the last "*" seen.
  std::size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || UpperWindows1252(static_cast<unsigned char>(mask[m])) ==
                                                         UpperWindows1252(static_cast<unsigned char>(name[n])))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

constexpr std::string_view kNotInShortNames = " .+,;=[]";

bool FitsShortForm(std::string_view part) { return part.find_first_of(kNotInShortNames) == std::string_view::npos; }

// Keeps what a short name may hold: no blanks or full stops, "_" for the
// signs a short name cannot have.
std::string ShortPart(std::string_view part) {
  std::string kept;
  for (const char c : part) {
    if (c == ' ' || c == '.') continue;
    kept += std::string_view("+,;=[]").find(c) == std::string_view::npos ? static_cast<char>(UpperWindows1252(static_cast<unsigned char>(c))) : '_';
  }
  return kept;
}

}  // namespace

unsigned char SortFold(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if (c < 128) return c;
  unsigned char base = 0;
  if (c < 166) base = static_cast<unsigned char>(kCp850Bases[c - 128]);
  if (c >= 192) base = static_cast<unsigned char>(kWindows1252Bases[c - 192]);
  return base != 0 ? base : kOtherSign;
}

bool ListsBefore(std::string_view a, std::string_view b) {
  const auto folded = [](unsigned char x, unsigned char y) { return SortFold(x) < SortFold(y); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) {
        return folded(static_cast<unsigned char>(x), static_cast<unsigned char>(y));
      })) {
    return true;
  }
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), [&](char x, char y) {
        return folded(static_cast<unsigned char>(x), static_cast<unsigned char>(y));
      })) {
    return false;
  }
  return a < b;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (MatchesFrom(name, mask)) return true;
  while (mask.ends_with("**")) mask.remove_suffix(1);
  return mask.ends_with(".*") && name.find('.') == std::string_view::npos &&
         MatchesFrom(name, mask.substr(0, mask.size() - 2));
}

std::string ShortName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  const std::string_view base = dot == std::string_view::npos ? name : name.substr(0, dot);
  const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot + 1);
  const bool fits = !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
                    (dot == std::string_view::npos || !extension.empty()) && FitsShortForm(base) && FitsShortForm(extension);
  std::string shortBase = ShortPart(base);
  std::string shortExtension = ShortPart(extension);
  if (fits) return shortBase + (shortExtension.empty() ? "" : "." + shortExtension);
  if (shortBase.empty()) std::swap(shortBase, shortExtension);
  shortExtension = shortExtension.substr(0, 3);
  return shortBase.substr(0, 6) + "~1" + (shortExtension.empty() ? "" : "." + shortExtension);
}
