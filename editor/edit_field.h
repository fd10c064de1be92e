// The spoken one-line editor: every answer the user types is edited here.
// Typed and deleted characters are heard by their letter sounds; words, the
// whole field, the time and the date can be asked for; the speech speed can
// be changed on the spot; screen review is a key away.
#pragma once

#include <string>

struct LineEditorState {
  bool clearOnFirstKey = true;  // a typed first key replaces the proposed text
  bool echo = true;             // typed characters are heard (F4 toggles)
  int lastCursor = 1;           // the cursor where the last edit ended
  std::string displayLabel;     // shown before the field on the Braille display (a form's question)
};

extern LineEditorState lineEditor;

// Edits text in place at (column, row), 1-based, showing width characters of
// at most maxLength (up to 2048); returns the key that ended the edit: 9,
// 10, 13 or 27, or the code of an extended key (72 for Up). Trailing blanks
// are removed from the text.
int EditField(std::string& text, int column, int row, bool editingAllowed, int width, int maxLength);
// The same, showing up to the end of the line (width 79 - column).
int EditFieldToLineEnd(std::string& text, int column, int row, bool editingAllowed, int maxLength);

void ResetLineEditor();
