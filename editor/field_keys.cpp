// The editor's character and control keys.
#include <algorithm>
#include <string>

#include "editor/dial_tones.h"
#include "editor/field_edit.h"
#include "speech/speech.h"

namespace {

enum : int {
  kCtrlC = 3,
  kCtrlD = 4,
  kBackspace = 8,
  kTab = 9,
  kCtrlEnter = 10,
  kCtrlK = 11,
  kEnter = 13,
  kCtrlS = 19,
  kCtrlU = 21,
  kCtrlV = 22,
  kCtrlY = 25,
  kEscape = 27,
  kCtrlBackslash = 28,
  kCtrlBackspace = 127,
  kFocusGained = 222,
  kNothing = 223,
};

void BlankToEnd(FieldEdit& edit) {
  edit.field.text.replace(static_cast<std::size_t>(edit.cursor - 1), std::string::npos,
                          static_cast<std::size_t>(edit.field.maxLength - edit.cursor + 1), ' ');
  PlayMessageSound("_APFCPO");
}

void RemoveBeforeCursor(FieldEdit& edit) {
  edit.field.Assign(edit.field.text.substr(static_cast<std::size_t>(edit.cursor - 1)));
  edit.cursor = 1;
  PlayMessageSound("_APICPO");
}

void Restore(FieldEdit& edit) {
  edit.field.Assign(edit.original);
  edit.cursor = 1;
  for (int i = 0; i < 3; ++i) PlayBeep();
}

void BlankField(FieldEdit& edit) {
  edit.field.Blank();
  PlayMessageSound("_CPOAPA");
  edit.cursor = 1;
}

void Backspace(FieldEdit& edit) {
  if (edit.cursor == 1) {
    PlayBeep();
    return;
  }
  --edit.cursor;
  DeleteAtCursor(edit, true);
}

// The word at or before the cursor goes, with the blanks after it; blanks
// at the end of the text are no part of it.
void DeleteWord(FieldEdit& edit) {
  const int start = WordStartAtOrBefore(edit.field, edit.cursor);
  if (start == 0) {
    PlayBeep();
    return;
  }
  const int next = std::min(NextWordStart(edit.field, start), edit.field.LastNonBlank() + 1);
  edit.cursor = start;
  DeleteCharacters(edit, next - start);
}

void OtherKey(FieldEdit& edit, int key) {
  const bool printable = key >= 32;
  if (WarnFirstKey(edit) && printable && edit.editingAllowed) edit.field.Blank();
  if (printable && edit.editingAllowed) TypeCharacter(edit, static_cast<unsigned char>(key));
}

}  // namespace

int HandleCharacterKey(FieldEdit& edit, int key) {
  if (key != kCtrlC && key != kCtrlV && key != kFocusGained && key != kNothing) edit.ClearSelection();
  const bool editing = edit.editingAllowed;
  switch (key) {
    case kCtrlC: CopyFromField(edit); break;
    case kCtrlV: PasteIntoField(edit); break;
    case kCtrlD:
      if (editing) BlankToEnd(edit);
      break;
    case kBackspace:
      if (editing) Backspace(edit);
      break;
    case kTab:
    case kCtrlEnter:
    case kEnter:
    case kEscape: return key;
    case kCtrlK: SpeakText(std::to_string(edit.cursor)); break;
    case kCtrlS:
      if (editing) RemoveBeforeCursor(edit);
      break;
    case kCtrlU:
      if (editing) Restore(edit);
      break;
    case kCtrlY:
      if (editing) BlankField(edit);
      break;
    case kCtrlBackslash: PlayDialTones(edit.field.Trimmed()); break;
    case kCtrlBackspace:
      if (editing) DeleteWord(edit);
      break;
    case kFocusGained:
      WaitSpeechEnd();
      SpeakWholeField(edit);
      break;
    case kNothing: break;
    default: OtherKey(edit, key);
  }
  return kGoOnEditing;
}
