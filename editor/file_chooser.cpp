#include "editor/file_chooser.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "console/console.h"
#include "editor/file_names.h"
#include "platform/disk_names.h"
#include "platform/paths.h"
#include "speech/speech.h"

namespace {

constexpr int kPageSize = 10;

enum Colour : unsigned char { kGreen = 2, kCyan = 3, kBrown = 6, kYellow = 14, kWhite = 15 };

struct Entry {
  std::string name;   // the system name, which leads back to the disk exactly
  std::string shown;  // as shown and spoken
  bool directory = false;
  bool marked = false;
};

struct Chooser {
  std::vector<Entry> entries;
  int current = 0;  // entries.size() after a search that found nothing
  int top = 0;
  int column = 1;
  int row = 1;
  int width = 0;
  int lines = 1;
  unsigned char searchCharacter = 0;
};

// The names of the current folder that match; hidden names only when the
// mask asks for them.
std::vector<Entry> ListEntries(const std::string& nameMask) {
  std::vector<Entry> entries;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(".", error)) {
    Entry entry;
    entry.name = SystemNameFromDisk(item.path().filename().string());
    entry.shown = ShownSystemName(entry.name);
    if (entry.shown.starts_with('.') && !nameMask.starts_with('.')) continue;
    if (!MatchesMask(entry.shown, nameMask)) continue;
    entry.directory = item.is_directory(error);
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return ListsBefore(a.shown, b.shown); });
  return entries;
}

struct SavedCell {
  unsigned char character;
  unsigned char attribute;
};

std::vector<SavedCell> SaveRegion(const Chooser& c) {
  std::vector<SavedCell> cells;
  for (int r = c.row; r < c.row + c.lines; ++r) {
    for (int col = c.column; col < c.column + c.width; ++col) cells.push_back({ScreenCharAt(col, r), ScreenAttributeAt(col, r)});
  }
  return cells;
}

void RestoreRegion(const Chooser& c, const std::vector<SavedCell>& cells) {
  const unsigned char attribute = TextAttribute();
  std::size_t next = 0;
  for (int r = c.row; r < c.row + c.lines; ++r) {
    MoveCursor(c.column, r);
    for (int col = c.column; col < c.column + c.width; ++col, ++next) {
      SetTextAttribute(cells[next].attribute);
      // A cell never written holds 0, which the console would not show.
      const unsigned char character = cells[next].character < 32 ? ' ' : cells[next].character;
      WriteToConsole(std::string(1, static_cast<char>(character)));
    }
  }
  SetTextAttribute(attribute);
}

void Draw(Chooser& c) {
  const int count = static_cast<int>(c.entries.size());
  const int shownIndex = std::min(c.current, count - 1);
  if (shownIndex < c.top) c.top = shownIndex;
  if (shownIndex >= c.top + c.lines) c.top = shownIndex - c.lines + 1;
  const unsigned char attribute = TextAttribute();
  for (int i = 0; i < c.lines; ++i) {
    const int index = c.top + i;
    std::string text;
    int foreground = kWhite;
    if (index < count) {
      const Entry& entry = c.entries[static_cast<std::size_t>(index)];
      text = (c.lines > 1 ? " " : "") + entry.shown;
      if (entry.directory) foreground = kCyan;
      if (entry.marked) foreground = kGreen;
      if (index == c.current) foreground = kYellow;
    }
    text.resize(static_cast<std::size_t>(c.width), ' ');
    SetTextAttribute(static_cast<unsigned char>(kBrown << 4 | foreground));
    MoveCursor(c.column, c.row + i);
    WriteToConsole(text);
  }
  SetTextAttribute(attribute);
  MoveCursor(c.column, c.row + std::clamp(c.current - c.top, 0, c.lines - 1));
}

bool OnEntry(const Chooser& c) { return c.current < static_cast<int>(c.entries.size()); }

Entry& Current(Chooser& c) { return c.entries[static_cast<std::size_t>(c.current)]; }

void SayCurrent(Chooser& c) {
  if (!OnEntry(c)) {
    PlayBeep();
    return;
  }
  if (Current(c).marked) PlayBeep();
  SpeakText(Current(c).shown);
}

// Moves to the target; beyond either end beeps and stops at the end. With
// Shift the entries passed over are marked (or unmarked).
void MoveTo(Chooser& c, int target, bool shift, bool mark) {
  const int last = static_cast<int>(c.entries.size()) - 1;
  const int from = std::min(c.current, last);
  const int to = std::clamp(target, 0, last);
  if (shift) {
    for (int i = std::min(from, to); i <= std::max(from, to); ++i) c.entries[static_cast<std::size_t>(i)].marked = mark;
  }
  const bool beyond = target != to;
  const bool moved = c.current != to;
  c.current = to;
  Draw(c);
  if (beyond) PlayBeep();
  if (moved || !beyond) SayCurrent(c);
}

unsigned char SearchUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

// The next entry after the current one that begins with the character; none
// leaves the position past the last entry.
void Search(Chooser& c) {
  const int count = static_cast<int>(c.entries.size());
  int i = c.current + 1;
  while (i < count && (c.entries[static_cast<std::size_t>(i)].shown.empty() ||
                       SearchUpper(static_cast<unsigned char>(c.entries[static_cast<std::size_t>(i)].shown[0])) !=
                           SearchUpper(c.searchCharacter))) {
    ++i;
  }
  c.current = std::min(i, count);
  Draw(c);
  SayCurrent(c);
}

void SetAllMarks(Chooser& c, bool marked) {
  for (Entry& entry : c.entries) entry.marked = marked;
  Draw(c);
}

void SetMark(Chooser& c, bool marked) {
  if (!OnEntry(c)) return;
  Current(c).marked = marked;
  Draw(c);
}

void Spell(Chooser& c, bool shortForm) {
  if (!OnEntry(c)) {
    PlayBeep();
    return;
  }
  SpeakLetters(shortForm ? ShortName(Current(c).shown) : Current(c).shown);
}

void HandleExtendedKey(Chooser& c, int code, bool shift) {
  const int last = static_cast<int>(c.entries.size()) - 1;
  switch (code) {
    case kUpKey: MoveTo(c, c.current - 1, shift, false); break;
    case kDownKey: MoveTo(c, c.current + 1, shift, true); break;
    case kPageUpKey: MoveTo(c, c.current - kPageSize, false, false); break;
    case kPageDownKey: MoveTo(c, c.current + kPageSize, false, false); break;
    case kHomeKey: MoveTo(c, 0, shift, false); break;
    case kCtrlPageUpKey: MoveTo(c, 0, false, false); break;
    case kEndKey: MoveTo(c, last, shift, true); break;
    case kCtrlPageDownKey: MoveTo(c, last, false, false); break;
    case kRightKey: Spell(c, false); break;
    case kLeftKey: Spell(c, true); break;
    case kF5Key: {
      const int key = ReadKey();
      if (key == kExtendedKey) {
        ReadKey();
        break;
      }
      c.searchCharacter = static_cast<unsigned char>(key);
      Search(c);
      break;
    }
    case kCtrlF5Key:
      if (c.searchCharacter != 0) Search(c);
      break;
    default: break;
  }
}

// Runs the keys until Enter, Esc or Tab.
std::string RunChooser(Chooser& c) {
  Draw(c);
  SayCurrent(c);
  for (;;) {
    if (!KeyPressed()) WaitSpeechEnd();
    const int key = ReadKey();
    StopSpeech();
    if (key == kExtendedKey) {
      const int code = ReadKey();
      HandleExtendedKey(c, code, LastKeyModifiers().shift);
      continue;
    }
    switch (key) {
      case kEnterKey: return OnEntry(c) ? Current(c).name : "";
      case kEscapeKey: return "";
      case kTabKey: return kChooserTab;
      case ' ':
        if (OnEntry(c)) SetMark(c, !Current(c).marked);
        break;
      case '+': SetMark(c, true); break;
      case '-': SetMark(c, false); break;
      case '*': SetAllMarks(c, true); break;
      case '/': SetAllMarks(c, false); break;
      default: break;
    }
  }
}

}  // namespace

std::string ChooseFile(int column, int row, int lines, const std::string& mask) {
  const std::size_t slash = mask.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : mask.substr(0, slash + 1);
  std::string nameMask = mask.substr(folder.size());
  nameMask += nameMask.find('.') != std::string::npos ? "*" : "*.*";

  std::error_code error;
  const std::filesystem::path startedIn = std::filesystem::current_path(error);
  if (error) return "";
  if (!folder.empty()) {
    std::filesystem::current_path(LinuxPath(folder), error);
    if (error) return "";
  }
  std::string answer;
  std::string entered;  // the folders entered in the chooser, each with its '/'
  for (;;) {
    Chooser chooser;
    chooser.entries = ListEntries(nameMask);
    if (chooser.entries.empty()) break;
    chooser.column = std::clamp(column, 1, kColumns);
    chooser.row = std::clamp(row, 1, kRows);
    chooser.lines = std::clamp(lines, 1, kRows - chooser.row + 1);
    // On the last row the last cell stays unwritten: writing it would scroll.
    const int lastColumn = chooser.row + chooser.lines - 1 == kRows ? kColumns - 1 : kColumns;
    chooser.column = std::min(chooser.column, lastColumn);
    chooser.width = lastColumn - chooser.column + 1;
    const int cursorColumn = CursorColumn();
    const int cursorRow = CursorRow();
    const std::vector<SavedCell> saved = SaveRegion(chooser);
    answer = RunChooser(chooser);
    RestoreRegion(chooser, saved);
    MoveCursor(cursorColumn, cursorRow);
    // Enter on a folder goes into it: a folder is no file to choose.
    const bool folderChosen = !answer.empty() && answer != kChooserTab &&
                              chooser.current < static_cast<int>(chooser.entries.size()) &&
                              chooser.entries[static_cast<std::size_t>(chooser.current)].directory;
    if (!folderChosen) break;
    std::filesystem::current_path(LinuxPath(answer), error);
    if (error) break;
    entered += answer + "/";
    answer.clear();
    // The mask found the folder; inside it every name is offered.
    nameMask = "*.*";
  }
  std::filesystem::current_path(startedIn, error);
  if (!answer.empty() && answer != kChooserTab) answer = folder + entered + answer;
  return answer;
}
