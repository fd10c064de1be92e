// The record of one edit in progress and the operations the editor's keys
// share: drawing, typing, deleting, reading aloud and the clipboard.
// Internal to the field editor.
#pragma once

#include <cstdlib>
#include <string>

#include "console/key_queue.h"
#include "editor/field_text.h"

struct FieldEdit {
  FieldText field;
  int column = 1;
  int row = 1;
  int width = 0;
  int firstVisible = 1;
  int cursor = 1;
  std::string original;  // for Ctrl+U
  bool editingAllowed = true;
  int selectionAnchor = 0;  // 0: no selection
  int selectionEnd = 0;
  bool firstKey = true;
  int lastCode = 0;  // the last extended code read
  KeyModifiers modifiers;

  bool HasSelection() const { return selectionAnchor != 0 && selectionAnchor != selectionEnd; }
  int SelectionStart() const { return selectionAnchor < selectionEnd ? selectionAnchor : selectionEnd; }
  int SelectionLength() const { return HasSelection() ? std::abs(selectionEnd - selectionAnchor) : 0; }
  void ClearSelection() { selectionAnchor = selectionEnd = 0; }
};

// What a key handler answers: go on editing, or end with that key.
inline constexpr int kGoOnEditing = -1;

int HandleCharacterKey(FieldEdit& edit, int key);
int HandleExtendedKey(FieldEdit& edit, int code);

// Scrolls to the cursor, draws the visible part and places the cursor.
void DrawField(FieldEdit& edit);
// Inserts at the cursor (a beep past the maximum length); the cursor moves
// right and the character is heard when the echo is on.
void TypeCharacter(FieldEdit& edit, unsigned char c);
// Removes the character at the cursor and says it, after "_DEL" when asked.
void DeleteAtCursor(FieldEdit& edit, bool sayDeleted);
// Removes count characters at the cursor one by one; "_DEL" before the first.
void DeleteCharacters(FieldEdit& edit, int count);
void SpeakWholeField(const FieldEdit& edit);
void PasteIntoField(FieldEdit& edit);
void CopyFromField(const FieldEdit& edit);
// The first key of an edit warns with two clicks when it would replace text.
bool WarnFirstKey(FieldEdit& edit);
