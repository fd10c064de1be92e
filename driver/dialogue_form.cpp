#include "driver/dialogue_form.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "console/console.h"
#include "console/key_queue.h"
#include "driver/choice_list.h"
#include "editor/edit_field.h"
#include "platform/message_texts.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"

int formLabelWidth = 28;

namespace {

constexpr int kNumberWidth = 10;
constexpr std::size_t kLongestText = 255;
constexpr int kLabelBackground = 4;
constexpr int kAnswerBackground = 0;
constexpr int kEditedAnswerColour = 14;
constexpr int kChoiceBackground = 5;

enum class FieldKind { Text, Integer, YesNo };

struct FormField {
  std::string key;
  std::string label;
  std::string value;
  std::string choices;  // alternatives separated by '|'
  int width = kNumberWidth;
  FieldKind kind = FieldKind::Text;
  std::string* text = nullptr;
  int* integer = nullptr;
  bool* yesNo = nullptr;
};

struct Form {
  std::vector<FormField> fields;
  int topRow = 1;
  int scrollOffset = 0;
};

Form form;

// The answers of a yes/no field; an answer that begins with N is no.
std::string Yes() { return GetMessage("RESPSIM"); }
std::string No() { return GetMessage("RESPNAO"); }

int FieldCount() { return static_cast<int>(form.fields.size()); }
FormField& Field(int n) { return form.fields[static_cast<std::size_t>(n - 1)]; }
int RowOf(int n) { return form.topRow + n - 1 - form.scrollOffset; }

int VisibleWidth(const FormField& field) {
  return field.width + formLabelWidth >= 80 ? 79 - formLabelWidth : field.width;
}

std::string Shown(const std::string& value, int width) {
  std::string shown = value;
  shown.resize(static_cast<std::size_t>(std::max(width, 0)), ' ');
  return shown;
}

void DrawLabel(const FormField& field, int row) {
  SetBackgroundColour(kLabelBackground);
  MoveCursor(1, row);
  const std::string label = field.label + " ";
  const int padding = formLabelWidth - static_cast<int>(label.size());
  WriteToConsole(std::string(static_cast<std::size_t>(std::max(padding, 0)), ' ') + label);
  SetBackgroundColour(kAnswerBackground);
}

void DrawField(int n) {
  const int row = RowOf(n);
  if (row < form.topRow || row > kRows) return;
  const FormField& field = Field(n);
  const unsigned char attribute = TextAttribute();
  DrawLabel(field, row);
  WriteToConsole(Shown(field.value, VisibleWidth(field)));
  ClearToLineEnd();
  SetTextAttribute(attribute);
}

void DrawForm() {
  for (int n = 1; n <= FieldCount(); ++n) DrawField(n);
}

// A key read before the first field or after the last: a raw key, an
// extended one standing for its code.
int ReadRawKey(int row) {
  MoveCursor(1, row);
  PlayBeep();
  const int key = ReadKey();
  return key == kExtendedKey ? ReadKey() : key;
}

// Shows field n as being edited, says its question and answer, and lets
// the user edit it; the key that ended the editing.
int EditFormField(int n, bool editing) {
  FormField& field = Field(n);
  const int row = RowOf(n);
  const int width = VisibleWidth(field);
  const unsigned char attribute = TextAttribute();
  DrawLabel(field, row);
  SetTextColour(kEditedAnswerColour);
  WriteToConsole(Shown(field.value, width));
  if (HasMessageSound(field.key)) {
    PlayMessageSound(field.key);
  } else {
    SpeakText(field.label);
  }
  WaitSpeechEnd();
  SpeakText(field.value);
  // On the Braille display the answer follows its question.
  lineEditor.displayLabel = field.label.ends_with(' ') ? field.label : field.label + " ";
  const int key = EditField(field.value, formLabelWidth + 1, row, editing, width, field.width);
  lineEditor.displayLabel.clear();
  if (key == kF9Key) field.value = ChooseFromList(n, field.value);
  SetTextColour(attribute & 0x0F);
  MoveCursor(formLabelWidth + 1, row);
  WriteToConsole(Shown(field.value, width));
  return key;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The number formed by the leading digits (an optional sign first); 0 when
// there are none. Digits past 32 bits are not taken.
int LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long number = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    const long long next = number * 10 + (text[i] - '0');
    if (next > 2147483648LL) break;
    number = next;
  }
  if (negative) number = -number;
  return static_cast<int>(std::clamp<long long>(number, -2147483648LL, 2147483647LL));
}

void StoreAnswer(const FormField& field) {
  switch (field.kind) {
    case FieldKind::Text:
      *field.text = field.value.substr(0, kLongestText);
      break;
    case FieldKind::Integer:
      *field.integer = LeadingNumber(Trimmed(field.value));
      break;
    case FieldKind::YesNo: {
      const std::string answer = Trimmed(field.value);
      if (!answer.empty()) *field.yesNo = UpperWindows1252(static_cast<unsigned char>(answer[0])) != 'N';
      break;
    }
  }
}

void ScrollTo(int n) {
  const int largestOffset = FieldCount() - (kRows - form.topRow) - 1;
  while (RowOf(n) > kRows && form.scrollOffset < largestOffset) {
    ++form.scrollOffset;
    DrawForm();
  }
  while (RowOf(n) < form.topRow && form.scrollOffset != 0) {
    --form.scrollOffset;
    DrawForm();
  }
}

}  // namespace

void BeginForm() {
  form = Form{};
  form.topRow = CursorRow();
}

void AddTextField(const std::string& key, const std::string& label, std::string& target, int width) {
  FormField field{key, label, target, "", width, FieldKind::Text};
  field.text = &target;
  form.fields.push_back(field);
}

void AddNumberField(const std::string& key, const std::string& label, int& target) {
  FormField field{key, label, std::to_string(target), "", kNumberWidth, FieldKind::Integer};
  field.integer = &target;
  form.fields.push_back(field);
}

void AddYesNoField(const std::string& key, const std::string& label, bool& target) {
  FormField field{key, label, target ? Yes() : No(), Yes() + "|" + No(), kNumberWidth, FieldKind::YesNo};
  field.yesNo = &target;
  form.fields.push_back(field);
}

int RunForm(bool editing) {
  int n = 1;
  form.scrollOffset = 0;
  DrawForm();
  ClearKeyQueue();
  int key = 0;
  bool finished = false;
  while (!finished) {
    if (n < 1) {
      key = ReadRawKey(form.topRow);
    } else if (n > FieldCount()) {
      key = ReadRawKey(RowOf(FieldCount()));
    } else {
      key = EditFormField(n, editing);
    }
    switch (key) {
      case kTabKey:
      case kEnterKey:
      case kDownKey: ++n; break;
      case kUpKey: --n; break;
      case kCtrlUpKey: n = 1; break;
      case kCtrlDownKey: n = FieldCount(); break;
      case kEscapeKey:
      case kPageUpKey:
      case kPageDownKey: finished = true; break;
      default: break;
    }
    n = std::clamp(n, 0, FieldCount() + 1);
    ScrollTo(n);
  }
  for (const FormField& field : form.fields) StoreAnswer(field);
  MoveCursor(1, std::min(kRows, form.topRow + FieldCount() - form.scrollOffset));
  form.fields.clear();
  return key;
}

std::string ChooseFromList(int n, const std::string& value) {
  const FormField& field = Field(n);
  if (field.choices.empty()) return value;
  std::vector<std::string> items;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = field.choices.find('|', start);
    items.push_back(field.choices.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::size_t longest = 1;
  for (const std::string& item : items) longest = std::max(longest, item.size());
  const int height = std::min(static_cast<int>(items.size()), kRows);
  int top = CursorRow();
  if (top + height - 1 > kRows) top = kRows - height + 1;
  OpenChoiceList(CursorColumn(), top, static_cast<int>(longest), kChoiceBackground, height);
  for (const std::string& item : items) AddChoice("", item);
  return RunChoiceList() > 0 ? ChoiceListSelection() : value;
}
