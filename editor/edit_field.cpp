#include "editor/edit_field.h"

#include <algorithm>

#include "console/console.h"
#include "editor/field_edit.h"
#include "speech/speech.h"

LineEditorState lineEditor;

void ResetLineEditor() { lineEditor = LineEditorState{}; }

namespace {

constexpr int kLongestText = 2048;

// Reads a key and cuts any speech. An extended key gives kExtendedKey with
// its code in the edit; after a modifier's code (AltGr on some keyboards)
// the key that follows is the one typed.
int ReadFieldKey(FieldEdit& edit) {
  for (;;) {
    const int key = ReadKey();
    StopSpeech();
    edit.modifiers = LastKeyModifiers();
    if (key != kExtendedKey) return key;
    const int code = ReadKey();
    edit.modifiers = LastKeyModifiers();
    if (code >= kShiftModifierKey && code <= kAltModifierKey) continue;
    edit.lastCode = code;
    return kExtendedKey;
  }
}

// The visible width stays inside the row; on the last row it stops short of
// the last cell, since writing that cell would scroll the screen.
int FittedWidth(int column, int row, int width, int maxLength) {
  width = std::min(width, maxLength);
  width = std::min(width, kColumns + 1 - column);
  if (row == kRows && column + width > kColumns) width = kColumns - column;
  return std::max(width, 0);
}

void EndEdit(const FieldEdit& edit, std::string& text) {
  lineEditor.lastCursor = edit.cursor;
  MoveCursor(edit.column, edit.row);
  std::string start = edit.field.text.substr(0, static_cast<std::size_t>(edit.width));
  for (char& c : start) {
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  }
  WriteToConsole(start);
  MoveCursor(edit.column, edit.row);
  text = edit.field.text.substr(0, static_cast<std::size_t>(edit.field.LastNonBlank()));
}

}  // namespace

int EditField(std::string& text, int column, int row, bool editingAllowed, int width, int maxLength) {
  FieldEdit edit;
  edit.field.maxLength = std::clamp(maxLength, 0, kLongestText);
  edit.field.Assign(text);
  edit.original = text;
  edit.column = column;
  edit.row = row;
  edit.width = FittedWidth(column, row, width, edit.field.maxLength);
  edit.editingAllowed = editingAllowed;
  for (;;) {
    DrawField(edit);
    const int key = ReadFieldKey(edit);
    const int result = key == kExtendedKey ? HandleExtendedKey(edit, edit.lastCode) : HandleCharacterKey(edit, key);
    edit.firstKey = false;
    if (result != kGoOnEditing) {
      EndEdit(edit, text);
      return result;
    }
  }
}

int EditFieldToLineEnd(std::string& text, int column, int row, bool editingAllowed, int maxLength) {
  return EditField(text, column, row, editingAllowed, 79 - column, maxLength);
}
