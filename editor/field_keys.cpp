// The editor's character and control keys.
#include <algorithm>
#include <string>

#include "console/key_codes.h"
#include "editor/dial_tones.h"
#include "editor/field_edit.h"
#include "speech/speech.h"

namespace {

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
  const bool printable = key >= kFirstCharacterKey;
  if (WarnFirstKey(edit) && printable && edit.editingAllowed) edit.field.Blank();
  if (printable && edit.editingAllowed) TypeCharacter(edit, static_cast<unsigned char>(key));
}

}  // namespace

int HandleCharacterKey(FieldEdit& edit, int key) {
  if (key != kCtrlCKey && key != kCtrlVKey && key != kFocusGainedKey && key != kFocusLostKey) edit.ClearSelection();
  const bool editing = edit.editingAllowed;
  switch (key) {
    case kCtrlCKey: CopyFromField(edit); break;
    case kCtrlVKey: PasteIntoField(edit); break;
    case kCtrlDKey:
      if (editing) BlankToEnd(edit);
      break;
    case kBackspaceKey:
      if (editing) Backspace(edit);
      break;
    case kTabKey:
    case kCtrlEnterKey:
    case kEnterKey:
    case kEscapeKey: return key;
    case kCtrlKKey: SpeakText(std::to_string(edit.cursor)); break;
    case kCtrlSKey:
      if (editing) RemoveBeforeCursor(edit);
      break;
    case kCtrlUKey:
      if (editing) Restore(edit);
      break;
    case kCtrlYKey:
      if (editing) BlankField(edit);
      break;
    case kCtrlBackslashKey: PlayDialTones(edit.field.Trimmed()); break;
    case kCtrlBackspaceKey:
      if (editing) DeleteWord(edit);
      break;
    case kFocusGainedKey:
      WaitSpeechEnd();
      SpeakWholeField(edit);
      break;
    case kFocusLostKey: break;
    default: OtherKey(edit, key);
  }
  return kGoOnEditing;
}
