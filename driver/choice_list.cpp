#include "driver/choice_list.h"

#include <algorithm>
#include <vector>

#include "console/console.h"
#include "console/key_queue.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"

namespace {

constexpr int kItemColour = 15;
constexpr int kCurrentItemColour = 14;
constexpr int kGrowth = 100;
constexpr int kPageStep = 10;

struct ChoiceItem {
  int index = 0;
  std::string data;
  std::string text;
};

struct SavedCell {
  unsigned char character;
  unsigned char attribute;
};

struct ChoiceList {
  int left = 1;
  int top = 1;
  int width = 1;
  int bottom = 1;  // the last row the list covers
  int firstVisible = 1;
  std::vector<ChoiceItem> items;
  std::string selection;
  std::vector<SavedCell> saved;
  int savedColumn = 1;
  int savedRow = 1;
  unsigned char savedAttribute = 7;
};

ChoiceList list;

int ItemCount() { return static_cast<int>(list.items.size()); }
bool IsItem(int index) { return index >= 1 && index <= ItemCount(); }
const ChoiceItem& Item(int index) { return list.items[static_cast<std::size_t>(index - 1)]; }
int RowOf(int index) { return list.top + index - list.firstVisible; }

void DrawItem(int index, int foreground) {
  const int row = RowOf(index);
  if (row < list.top || row > list.bottom) return;
  std::string text = Item(index).text;
  text.resize(static_cast<std::size_t>(list.width), ' ');
  SetTextColour(foreground);
  MoveCursor(list.left, row);
  WriteToConsole(text);
  MoveCursor(list.left, row);
}

void DrawAllItems() {
  for (int index = 1; index <= ItemCount(); ++index) DrawItem(index, kItemColour);
}

void BringIntoView(int index) {
  const int before = list.firstVisible;
  if (index >= 1 && index < list.firstVisible) {
    list.firstVisible = index;
  } else {
    while (RowOf(index) > list.bottom) ++list.firstVisible;
  }
  if (list.firstVisible != before) DrawAllItems();
}

bool IsSearchKey(int key) {
  return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z') || (key >= '0' && key <= '9') || key == '*' ||
         key == '+' || key == '-' || key == '/' || (key >= kCtrlAKey && key <= kCtrlZKey);
}

// The first item after current (after none when current is past the last)
// whose text, leading blanks aside, begins with the key; past the last
// item when there is none.
int Search(int current, int key) {
  const unsigned char wanted = UpperWindows1252(static_cast<unsigned char>(key));
  const int start = current > ItemCount() ? 1 : current + 1;
  for (int index = std::max(start, 1); index <= ItemCount(); ++index) {
    const std::string& text = Item(index).text;
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string::npos && UpperWindows1252(static_cast<unsigned char>(text[first])) == wanted) {
      return index;
    }
  }
  return ItemCount() + 1;
}

void SpeakItem(int index, bool spelled) {
  const ChoiceItem& item = Item(index);
  if (spelled) {
    SpeakLetters(item.text);
  } else if (!item.data.empty() && HasMessageSound(item.data)) {
    PlayMessageSound(item.data);
  } else {
    SpeakText(item.text);
  }
}

// Puts back the covered cells, runs of one attribute written together.
void RestoreScreen() {
  std::size_t next = 0;
  for (int row = list.top; row <= list.bottom; ++row) {
    MoveCursor(list.left, row);
    std::string run;
    unsigned char runAttribute = 0;
    for (int column = 0; column < list.width; ++column, ++next) {
      const SavedCell cell = list.saved[next];
      if (!run.empty() && cell.attribute != runAttribute) {
        SetTextAttribute(runAttribute);
        WriteToConsole(run);
        run.clear();
      }
      runAttribute = cell.attribute;
      // A cell never written holds 0, which the console would not show.
      run += static_cast<char>(cell.character < 32 ? ' ' : cell.character);
    }
    SetTextAttribute(runAttribute);
    WriteToConsole(run);
  }
  SetTextAttribute(list.savedAttribute);
  MoveCursor(list.savedColumn, list.savedRow);
}

}  // namespace

void OpenChoiceList(int left, int top, int width, int backgroundColour, int height) {
  list = ChoiceList{};
  list.savedColumn = CursorColumn();
  list.savedRow = CursorRow();
  list.savedAttribute = TextAttribute();
  width = std::clamp(width, 1, 80);
  height = std::clamp(height, 1, kRows);
  if (left + width > 80) left = 80 - width;
  if (top + height > kRows) top = std::max(1, kRows - height + 1);
  list.left = std::max(1, left);
  list.top = std::max(1, top);
  list.width = width;
  // Items are drawn only on the rows kept for restoring.
  list.bottom = std::min(kRows, list.top + height - 1);
  list.items.reserve(kGrowth);
  SetBackgroundColour(backgroundColour);
  for (int row = list.top; row <= list.bottom; ++row) {
    for (int column = list.left; column < list.left + list.width; ++column) {
      list.saved.push_back({ScreenCharAt(column, row), ScreenAttributeAt(column, row)});
    }
  }
}

void AddChoice(const std::string& data, const std::string& text) {
  if (list.items.size() == list.items.capacity()) list.items.reserve(list.items.size() + kGrowth);
  list.items.push_back({ItemCount() + 1, data, text});
}

int RunChoiceList() {
  list.selection.clear();
  DrawAllItems();
  BringIntoView(1);
  int current = 1;
  int key = ' ';  // the first turn matches nothing and speaks item 1
  bool extended = false;
  bool finished = false;
  while (true) {
    if (IsItem(current)) DrawItem(current, kItemColour);
    if (!extended && (key == kEnterKey || key == kEscapeKey)) {
      finished = true;
    } else if (extended) {
      switch (key) {
        case kDownKey: ++current; break;
        case kUpKey: --current; break;
        case kPageDownKey: current += kPageStep; break;
        case kPageUpKey: current -= kPageStep; break;
        case kHomeKey:
        case kCtrlPageUpKey: current = 1; break;
        case kEndKey:
        case kCtrlPageDownKey: current = ItemCount(); break;
        default: break;
      }
    } else if (key == kFocusLostKey) {
      // The window lost the focus: the list waits for the next key.
      while (!KeyPressed()) Delay(10);
    } else if (IsSearchKey(key)) {
      current = Search(current, key);
    }
    current = std::clamp(current, 0, ItemCount() + 1);
    if (!IsItem(current)) {
      PlayBeep();
    } else if (!finished) {
      BringIntoView(current);
      DrawItem(current, kCurrentItemColour);
      SpeakItem(current, extended && key == kRightKey);
    }
    if (finished) break;
    key = ReadKey();
    StopSpeech();
    extended = key == kExtendedKey;
    if (extended) key = ReadKey();
  }
  int result = 0;
  if (IsItem(current) && key != kEscapeKey) {
    DrawItem(current, kCurrentItemColour);
    SetTextColour(kItemColour);
    result = current;
    list.selection = Item(current).text;
  }
  MoveCursor(1, std::min(kRows, list.top + ItemCount()));
  list.items.clear();
  RestoreScreen();
  return result;
}

const std::string& ChoiceListSelection() { return list.selection; }
