// The editor's extended keys (0 followed by a code): reading, moving,
// selecting, the clipboard, the speed, and screen review.
#include <string>

#include "braille_display/braille_display.h"
#include "console/console.h"
#include "editor/edit_field.h"
#include "editor/field_edit.h"
#include "editor/screen_review.h"
#include "editor/word_target.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "speech/spoken_numbers.h"

namespace {

bool IsUpperConsonant(unsigned char c) {
  const unsigned char upper = UpperWindows1252(c);
  return upper < 128 && std::string_view("BCDFGHJKLMNPQRSTVXZ").find(static_cast<char>(upper)) != std::string_view::npos;
}

// F1: the next word from the cursor. A word of consonants only is spelled
// (an abbreviation); numbers and other words are spoken; a sign is spelled.
void SpeakNextWord(FieldEdit& edit) {
  const FieldText& field = edit.field;
  int position = edit.cursor;
  while (position <= field.maxLength && field.IsBlankAt(position)) ++position;
  if (position > field.maxLength) {
    PlayBeep();
    return;
  }
  const int start = position;
  if (IsFieldLetter(field.At(position))) {
    bool consonantsOnly = true;
    for (; position <= field.maxLength && IsFieldLetter(field.At(position)); ++position) {
      consonantsOnly = consonantsOnly && IsUpperConsonant(field.At(position));
    }
    const std::string word = field.text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(position - start));
    consonantsOnly ? SpeakLetters(word) : SpeakText(word);
  } else if (IsFieldDigit(field.At(position)) || (field.At(position) == '-' && IsFieldDigit(field.At(position + 1)))) {
    ++position;
    while (position <= field.maxLength && IsFieldDigit(field.At(position))) ++position;
    SpeakText(field.text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(position - start)));
  } else {
    SpeakLetters(std::string(1, static_cast<char>(field.At(position))));
    ++position;
  }
  edit.cursor = position;
}

void ToggleEcho() {
  lineEditor.echo = !lineEditor.echo;
  PlayMessageSound(lineEditor.echo ? "_FALACI" : "_FALDLG");
}

// F12: the blank-delimited word at the cursor, without the signs that
// usually surround a name or an address.
void OpenWordAtCursor(const FieldEdit& edit) {
  const FieldText& field = edit.field;
  int first = edit.cursor;
  int last = edit.cursor;
  if (!field.IsBlankAt(edit.cursor)) {
    while (first > 1 && !field.IsBlankAt(first - 1)) --first;
    while (last < field.maxLength && !field.IsBlankAt(last + 1)) ++last;
  }
  std::string word = field.IsBlankAt(edit.cursor) ? "" : field.text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
  constexpr std::string_view kSurrounding = "\"(*-.<=>[_{";
  const std::size_t from = word.find_first_not_of(kSurrounding);
  word = from == std::string::npos ? "" : word.substr(from, word.find_last_not_of(kSurrounding) - from + 1);
  if (word.empty()) {
    PlayBeep();
    return;
  }
  OpenWordTarget(word);
}

void MoveLeft(FieldEdit& edit) {
  if (edit.cursor == 1) {
    PlayBeep();
    return;
  }
  --edit.cursor;
  PlayLetterSound(edit.field.At(edit.cursor));
}

// Right says the character it passes; with Alt a letter is said as in a
// spelling alphabet ("_FON65" for A).
void MoveRight(FieldEdit& edit) {
  if (edit.cursor > edit.field.maxLength) {
    PlayBeep();
    return;
  }
  const unsigned char c = edit.field.At(edit.cursor);
  if (edit.modifiers.alt && IsFieldLetter(c)) {
    PlayMessageSound("_FON" + std::to_string(c));
  } else {
    PlayLetterSound(c);
  }
  ++edit.cursor;
}

void Delete(FieldEdit& edit) {
  if (!edit.editingAllowed) return;
  if (!edit.HasSelection()) {
    DeleteAtCursor(edit, true);
    return;
  }
  const int count = edit.SelectionLength();
  edit.cursor = edit.SelectionStart();
  edit.ClearSelection();
  DeleteCharacters(edit, count);
}

// Ctrl+F4: the next key (the last of those typed ahead) gives the speed,
// 1 to 5; Esc and Enter keep the speed.
void ChangeSpeed() {
  PlayMessageSound("_VELOC");
  int key = ReadKeySpoken();
  while (KeyPressed()) key = ReadKeySpoken();
  if (key == kEscapeKey || key == kEnterKey) return;
  const std::string messagesDirectory = speech.messagesDirectory;
  const int previousSpeed = speech.speed;
  ShutdownSpeech();
  // A speed whose voice cannot start (its database is missing) leaves the
  // voice that spoke until now.
  if (StartSpeech(key >= '1' && key <= '5' ? key - '0' : 3, messagesDirectory) != 0) {
    StartSpeech(previousSpeed, messagesDirectory);
  }
}

void PreviousWord(FieldEdit& edit) {
  const int start = PreviousWordStart(edit.field, edit.cursor);
  if (start == 0) {
    edit.cursor = 1;
    PlayBeep();
    return;
  }
  edit.cursor = start;
  PlayClick();
}

void NextWord(FieldEdit& edit) {
  const int next = NextWordStart(edit.field, edit.cursor);
  if (next > edit.field.LastNonBlank()) {
    edit.cursor = edit.field.LastNonBlank() + 1;
    PlayBeep();
    return;
  }
  edit.cursor = next;
  PlayClick();
}

// A routing key of the Braille display: the cursor to that cell of the
// field, whose character is said; a cell of the question before the field,
// or past its end, is refused.
void RouteCursor(FieldEdit& edit) {
  const int position = BrailleDisplayRoutedPosition() - static_cast<int>(lineEditor.displayLabel.size()) + 1;
  if (position < 1 || position > edit.field.maxLength) {
    PlayBeep();
    return;
  }
  edit.cursor = position;
  PlayLetterSound(edit.field.At(position));
}

int RunExtendedCommand(FieldEdit& edit, int code) {
  switch (code) {
    case kF1Key:
      if (edit.modifiers.alt) return kAltF1Key;
      SpeakNextWord(edit);
      break;
    case kF4Key: ToggleEcho(); break;
    case kF8Key: SpeakCurrentTime(); break;
    case kF12Key: OpenWordAtCursor(edit); break;
    case kHomeKey: edit.cursor = 1; break;
    case kLeftKey: MoveLeft(edit); break;
    case kRightKey: MoveRight(edit); break;
    case kEndKey: edit.cursor = edit.field.LastNonBlank() + 1; break;
    case kDeleteKey: Delete(edit); break;
    case kCtrlF1Key: SpeakWholeField(edit); break;
    case kCtrlF4Key: ChangeSpeed(); break;
    case kCtrlF8Key: SpeakCurrentDate(); break;
    case kCtrlF9Key:
      if (!edit.modifiers.alt) return kCtrlF9Key;
      ScreenReview();
      break;
    case kCtrlLeftKey: PreviousWord(edit); break;
    case kCtrlRightKey: NextWord(edit); break;
    case kShiftInsertKey: PasteIntoField(edit); break;
    case kCtrlInsertKey: CopyFromField(edit); break;
    case kDisplayRoutingKey: RouteCursor(edit); break;
    default:
      if (code >= kAlt1Key && code <= kAlt0Key) break;  // Alt with a digit: nothing
      return code;
  }
  return kGoOnEditing;
}

}  // namespace

// Shift extends the selection over the moves; other keys drop it, except
// the clipboard keys and Delete, which act on it.
int HandleExtendedKey(FieldEdit& edit, int code) {
  const bool clipboardKey = code == kShiftInsertKey || code == kCtrlInsertKey;
  const bool selecting = edit.modifiers.shift && !clipboardKey;
  if (selecting && edit.selectionAnchor == 0) edit.selectionAnchor = edit.selectionEnd = edit.cursor;
  if (!edit.modifiers.shift && !clipboardKey && code != kDeleteKey) edit.ClearSelection();
  const int result = RunExtendedCommand(edit, code);
  if (selecting) edit.selectionEnd = edit.cursor;
  return result;
}
