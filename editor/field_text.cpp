#include "editor/field_text.h"

namespace {

enum class RunKind { Blank, Letter, Digit, Other };

RunKind KindOf(unsigned char c) {
  if (c == ' ') return RunKind::Blank;
  if (IsFieldLetter(c)) return RunKind::Letter;
  if (IsFieldDigit(c)) return RunKind::Digit;
  return RunKind::Other;
}

}  // namespace

unsigned char FieldText::At(int position) const {
  if (position < 1 || position > static_cast<int>(text.size())) return ' ';
  return static_cast<unsigned char>(text[static_cast<std::size_t>(position - 1)]);
}

int FieldText::LastNonBlank() const {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string::npos ? 0 : static_cast<int>(last) + 1;
}

void FieldText::Insert(int position, unsigned char c) {
  text.insert(static_cast<std::size_t>(position - 1), 1, static_cast<char>(c));
  text.resize(static_cast<std::size_t>(maxLength));
}

unsigned char FieldText::Remove(int position) {
  const unsigned char removed = At(position);
  text.erase(static_cast<std::size_t>(position - 1), 1);
  text.push_back(' ');
  return removed;
}

void FieldText::Assign(const std::string& value) {
  text = value.substr(0, static_cast<std::size_t>(maxLength));
  text.resize(static_cast<std::size_t>(maxLength), ' ');
}

bool IsFieldLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 128; }

bool IsFieldDigit(unsigned char c) { return c >= '0' && c <= '9'; }

int NextWordStart(const FieldText& field, int position) {
  const int end = field.maxLength + 1;
  const RunKind kind = KindOf(field.At(position));
  if (kind != RunKind::Blank) {
    while (position < end && KindOf(field.At(position)) == kind) ++position;
  }
  while (position < end && field.IsBlankAt(position)) ++position;
  return position;
}

int PreviousWordStart(const FieldText& field, int position) {
  int p = position - 1;
  while (p >= 1 && field.IsBlankAt(p)) --p;
  if (p < 1) return 0;
  const RunKind kind = KindOf(field.At(p));
  while (p > 1 && KindOf(field.At(p - 1)) == kind) --p;
  return p;
}

int WordStartAtOrBefore(const FieldText& field, int position) {
  if (field.IsBlankAt(position)) return PreviousWordStart(field, position);
  const RunKind kind = KindOf(field.At(position));
  while (position > 1 && KindOf(field.At(position - 1)) == kind) --position;
  return position;
}
