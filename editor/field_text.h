// The text of a field being edited: always exactly its maximum length,
// padded with blanks; positions are 1-based and the cursor may stand one
// past the last character. Plain text operations, with no sound and no
// drawing, shared by the field editor's keys.
#pragma once

#include <string>

struct FieldText {
  std::string text;
  int maxLength = 0;

  // The character at a position; a blank outside the text.
  unsigned char At(int position) const;
  bool IsBlankAt(int position) const { return At(position) == ' '; }
  // The position of the last non-blank character; 0 when all are blanks.
  int LastNonBlank() const;
  // Inserts at the position; the last character falls off.
  void Insert(int position, unsigned char c);
  // Removes the character at the position; a blank comes in at the end.
  unsigned char Remove(int position);
  void Blank() { text.assign(static_cast<std::size_t>(maxLength), ' '); }
  // The text cut or padded to the maximum length.
  void Assign(const std::string& value);
  std::string Trimmed() const { return text.substr(0, static_cast<std::size_t>(LastNonBlank())); }
};

// Letters are A-Z, a-z and every character from 128 up.
bool IsFieldLetter(unsigned char c);
bool IsFieldDigit(unsigned char c);

// Word moves: words are runs of letters or runs of digits (any other
// non-blank counts as a run of its own kind); blanks separate them.
// The start of the next word: past the run at the position, then past
// blanks. May be past the text.
int NextWordStart(const FieldText& field, int position);
// The start of the previous word: left over blanks, then over the run;
// 0 when only blanks lie to the left.
int PreviousWordStart(const FieldText& field, int position);
// The start of the word at the position, or, on a blank, of the word
// before it; 0 when there is none.
int WordStartAtOrBefore(const FieldText& field, int position);
