// Transcription by the old Portuguese Braille rules.
#include "braille/transcription.h"
#include "braille/transcription_common.h"

namespace {

constexpr LowerDigitTable LowerDigitsOld = {'}', ',', ';', ':', '.', '?', '!', ')', '{', '*'};

// What a backquote makes of the character after it, besides the bracket
// signs both rule sets share: the multiplication sign.
constexpr Spelling kBackquoteSigns[] = {{'*', "{"}};

// A date: digits with exactly two slashes, ending in a digit, written with
// hyphens (12/05/2003).
bool WriteDate(std::string_view text, std::size_t& pos, std::string& out) {
  std::size_t end = pos;
  int slashes = 0;
  for (; end < text.size() && (IsDigit(ByteAt(text, end)) || text[end] == '/'); ++end) {
    if (text[end] == '/') ++slashes;
  }
  if (slashes != 2 || !IsDigit(ByteAt(text, end - 1))) return false;
  for (; pos < end; ++pos) out += text[pos] == '/' ? '-' : text[pos];
  return true;
}

// A time: digits followed by a colon, taken with the digits and colons
// after it as they are (10:30).
bool WriteTime(std::string_view text, std::size_t& pos, std::string& out) {
  std::size_t end = pos;
  while (end < text.size() && IsDigit(ByteAt(text, end))) ++end;
  if (end >= text.size() || text[end] != ':') return false;
  while (end < text.size() && (IsDigit(ByteAt(text, end)) || text[end] == ':')) ++end;
  out.append(text.substr(pos, end - pos));
  pos = end;
  return true;
}

void WriteDigits(std::string_view text, std::size_t& pos, std::string& out) {
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (IsDigit(static_cast<unsigned char>(c)) || c == ',') {
      out += c;
    } else if (c == '.') {
      // A point followed by a digit separates the thousands; any other
      // point stays a point.
      out += pos + 1 < text.size() && IsDigit(ByteAt(text, pos + 1)) ? '\'' : '.';
    } else {
      return;
    }
  }
}

void WriteNumber(std::string_view text, std::size_t& pos, std::string& out) {
  out += '#';
  if (WriteOrdinal(text, pos, LowerDigitsOld, true, out)) return;
  if (!WriteDate(text, pos, out) && !WriteTime(text, pos, out)) WriteDigits(text, pos, out);
  // The word rule copies the letter after the separating cell.
  if (pos < text.size() && IsDigit(static_cast<unsigned char>(out.back())) && ReadsAsDigit(ByteAt(text, pos))) {
    out += '~';
  }
}

void ApplyOldRule(std::string_view text, std::size_t& pos, bool englishStyle, TranscriptionState& state,
                  std::string& out) {
  const unsigned char c = ByteAt(text, pos);
  const bool hasNext = pos + 1 < text.size();
  const unsigned char next = hasNext ? ByteAt(text, pos + 1) : 0;
  if (LowerLetters.Contains(c)) {
    CopyWord(text, pos, out);
  } else if (UpperLetters.Contains(c)) {
    WriteCapitals(text, pos, englishStyle ? '&' : ']', false, out);
  } else if (IsDigit(c)) {
    WriteNumber(text, pos, out);
  } else if (c == '`' && hasNext && IsDigit(next)) {
    WriteLowerNumber(text, pos, LowerDigitsOld, out);
  } else if (const auto sign = c == '`' && hasNext ? BackquoteSign(kBackquoteSigns, next) : std::nullopt) {
    out += *sign;
    pos += 2;
  } else if (c == '.') {
    const bool ellipsis = text.substr(pos, 3) == "...";
    out += ellipsis ? "'''" : ".";
    pos += ellipsis ? 3 : 1;
  } else if (c == '"' || c == 0x93 || c == 0x94) {
    out += QuoteOpens(c, state.oldNextQuoteOpens) ? '{' : '}';
    ++pos;
  } else {
    WriteSharedSignOrCharacter(c, englishStyle, out);
    ++pos;
  }
}

}  // namespace

std::string TranscribeOld(std::string_view text, bool englishStyle, TranscriptionState& state) {
  return TranscribeLine(text, englishStyle, state, ApplyOldRule);
}
