#include "editor/field_edit.h"

#include <algorithm>

#include "braille_display/braille_display.h"
#include "console/console.h"
#include "editor/edit_field.h"
#include "speech/speech.h"

namespace {

constexpr int kSelectionBackground = 8;

// Control bytes would move the console's cursor; they are shown as blanks.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  return text;
}

// The visible part at the field's place, the selection on its own
// background; the rest of the row is cleared.
void WriteVisiblePart(const FieldEdit& edit) {
  const std::string& text = edit.field.text;
  const std::size_t first = static_cast<std::size_t>(edit.firstVisible - 1);
  const std::string visible = first < text.size() ? Printable(text.substr(first, static_cast<std::size_t>(edit.width))) : "";
  MoveCursor(edit.column, edit.row);
  const int shown = static_cast<int>(visible.size());
  int selectedFrom = 0;
  int selectedTo = 0;
  if (edit.HasSelection()) {
    selectedFrom = std::clamp(edit.SelectionStart() - edit.firstVisible, 0, shown);
    selectedTo = std::clamp(edit.SelectionStart() + edit.SelectionLength() - edit.firstVisible, 0, shown);
  }
  WriteToConsole(visible.substr(0, static_cast<std::size_t>(selectedFrom)));
  if (selectedTo > selectedFrom) {
    const unsigned char attribute = TextAttribute();
    SetBackgroundColour(kSelectionBackground);
    WriteToConsole(visible.substr(static_cast<std::size_t>(selectedFrom), static_cast<std::size_t>(selectedTo - selectedFrom)));
    SetTextAttribute(attribute);
  }
  WriteToConsole(visible.substr(static_cast<std::size_t>(selectedTo)));
  if (shown < 80) ClearToLineEnd();
}

void PlaceCursor(const FieldEdit& edit) { MoveCursor(edit.column + edit.cursor - edit.firstVisible, edit.row); }

// The whole field on the Braille display, after the question it answers,
// with the cursor; the display pans over what does not fit.
void ShowOnDisplay(const FieldEdit& edit) {
  const std::string& label = lineEditor.displayLabel;
  ShowOnBrailleDisplay(label + Printable(edit.field.Trimmed()), static_cast<int>(label.size()) + edit.cursor - 1);
}

}  // namespace

void DrawField(FieldEdit& edit) {
  if (edit.cursor < edit.firstVisible) edit.firstVisible = edit.cursor;
  if (edit.cursor - edit.firstVisible > edit.width) edit.firstVisible = edit.cursor - edit.width;
  WriteVisiblePart(edit);
  PlaceCursor(edit);
  ShowOnDisplay(edit);
}

void TypeCharacter(FieldEdit& edit, unsigned char c) {
  if (edit.cursor > edit.field.maxLength) {
    PlayBeep();
    return;
  }
  edit.field.Insert(edit.cursor, c);
  ++edit.cursor;
  DrawField(edit);
  if (lineEditor.echo) PlayLetterSound(c);
}

void DeleteAtCursor(FieldEdit& edit, bool sayDeleted) {
  if (edit.cursor > edit.field.maxLength) {
    PlayBeep();
    return;
  }
  const unsigned char removed = edit.field.Remove(edit.cursor);
  WriteVisiblePart(edit);
  PlaceCursor(edit);
  if (sayDeleted) PlayMessageSound("_DEL");
  PlayLetterSound(removed);
}

void DeleteCharacters(FieldEdit& edit, int count) {
  for (int i = 0; i < count; ++i) DeleteAtCursor(edit, i == 0);
}

void SpeakWholeField(const FieldEdit& edit) { SpeakText(edit.field.Trimmed()); }

bool WarnFirstKey(FieldEdit& edit) {
  if (!edit.firstKey || !lineEditor.clearOnFirstKey) return false;
  if (edit.field.LastNonBlank() < edit.cursor) return false;
  PlayClick();
  PlayClick();
  return true;
}

void PasteIntoField(FieldEdit& edit) {
  if (!edit.editingAllowed) return;
  std::string pasted;
  PasteTextFromClipboard(pasted, edit.field.maxLength + 2);
  pasted = pasted.substr(0, pasted.find_first_of("\r\n"));
  if (WarnFirstKey(edit)) {
    edit.field.Blank();
    edit.cursor = 1;
  }
  if (edit.HasSelection()) {
    const int start = edit.SelectionStart();
    edit.field.text.erase(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(edit.SelectionLength()));
    edit.cursor = start;
  }
  if (edit.cursor > edit.field.maxLength) {
    edit.field.Assign(edit.field.text);
    PlayBeep();
    return;
  }
  edit.field.text.insert(static_cast<std::size_t>(edit.cursor - 1), pasted);
  edit.field.Assign(edit.field.text);
  edit.selectionAnchor = edit.cursor;
  edit.selectionEnd = std::min(edit.cursor + static_cast<int>(pasted.size()), edit.field.maxLength + 1);
}

void CopyFromField(const FieldEdit& edit) {
  if (edit.HasSelection()) {
    CopyTextToClipboard(edit.field.text.substr(static_cast<std::size_t>(edit.SelectionStart() - 1),
                                               static_cast<std::size_t>(edit.SelectionLength())));
  } else {
    CopyTextToClipboard(edit.field.Trimmed() + "\r\n");
  }
}
