// Transcription by the current (unified) Portuguese Braille rules.
#include "braille/transcription.h"
#include "braille/transcription_common.h"

namespace {

constexpr LowerDigitTable LowerDigits = {'}', ',', ';', ':', '/', '?', '!', '=', '"', '*'};

// What a backquote makes of the character after it, besides the bracket
// signs both rule sets share.
constexpr Spelling kBackquoteSigns[] = {
    {'"', "\xFC\xFC"},       {'\'', "\xFC"},                          // üü ü
    {'*', "\xD7"},           {'X', "\xD7"},           {'x', "\xD7"},   // ×
    {'/', "\xF7"},           {':', "\xF7"},                           // ÷
    {'_', "~\xF7"},          {0xF7, "~\xF7"},                         // ~÷
    {'E', "\x80" "e"},       {'e', "\x80" "e"},                       // € e
    {'O', "\xB0"},           {'o', "\xB0"},                           // °
    {'^', "\xE5"},                                                    // å
    {'%', "_}}"},            {'+', "+"},  {'-', "-"}, {'.', "."}, {'=', "="},
    {'`', ""},  // both backquotes are dropped
};

struct StyledSpelling {
  unsigned char character;
  std::string_view portuguese;
  std::string_view english;
};

// Signs spelled with other cells; the characters not listed here go to the
// signs both rule sets share or are written as they are.
constexpr StyledSpelling kOtherSigns[] = {
    {'(', "(.", "="},
    {')', "\\)", "="},
    {'*', "*", "{"},
    {'/', "\\,", "\xEC"},
    {'?', "?", "\""},
    {'[', "[.", "[."},
    {'\\', "~.", "~."},
    {']', "\\]", "\\]"},
    {0x80, "\x80" "e", "\x80" "e"},      // €
    {0x85, "...", "..."},                // …
    {0x89, "_}}", "_}}"},                // ‰
    {0x91, "$\"", "$\""},                // ‘
    {0x92, "$\"", "$\""},                // ’
    {0x95, "\xF5" "o", "\xF5" "o"},      // •
    {0x96, "--", "--"},                  // –
    {0x97, "--", "--"},                  // —
    {0xAD, "--", "--"},                  // soft hyphen
    {0x9C, "oe", "oe"},                  // œ
    {0xAB, "\\\"", "\\\""},              // «
    {0xBB, "\\\"", "\\\""},              // »
    {0xB9, "\xE5#a", "\xE5#a"},          // ¹
    {0xB2, "\xE5#b", "\xE5#b"},          // ²
    {0xB3, "\xE5#c", "\xE5#c"},          // ³
    {0xBC, "#,d", "#,d"},                // ¼
    {0xBD, "#,b", "#,b"},                // ½
    {0xBE, "#:d", "#:d"},                // ¾
    {kSharpS, "\xAC" "b", "\xAC" "b"},   // ß
    // æ needs no entry: it is a small letter, which the word rule copies.
};

void WriteOtherSign(unsigned char c, bool englishStyle, TranscriptionState& state, std::string& out) {
  if (c == '(') state.inTextParenthesis = true;
  if (c == ')') state.inTextParenthesis = false;
  for (const StyledSpelling& sign : kOtherSigns) {
    if (sign.character == c) {
      out += englishStyle ? sign.english : sign.portuguese;
      return;
    }
  }
  WriteSharedSignOrCharacter(c, englishStyle, out);
}

// A period inside a number: between short digit groups (12.5, 3.14) the
// number sign is repeated; between thousands (1.000) it is not.
void WriteNumberPeriod(std::string_view text, std::size_t pos, std::string& out) {
  out += '.';
  if (pos + 1 >= text.size() || !IsDigit(ByteAt(text, pos + 1))) return;
  std::size_t before = 0;
  while (before < pos && IsDigit(ByteAt(text, pos - before - 1))) ++before;
  std::size_t after = 0;
  while (pos + 1 + after < text.size() && IsDigit(ByteAt(text, pos + 1 + after))) ++after;
  if (before < 3 && after < 3) out += '#';
}

void WriteNumber(std::string_view text, std::size_t& pos, std::string& out) {
  out += '#';
  if (WriteOrdinal(text, pos, LowerDigits, false, out)) return;
  while (pos < text.size()) {
    const unsigned char c = ByteAt(text, pos);
    if (IsDigit(c) || c == '$' || c == ',') {
      out += static_cast<char>(c);
    } else if (c == '.') {
      WriteNumberPeriod(text, pos, out);
    } else if (ReadsAsDigit(c)) {
      // The word rule copies the letter after the separating cell.
      out += '~';
      return;
    } else {
      return;
    }
    ++pos;
  }
}

// An opening bracket before a digit belongs to a number expression when its
// closer comes later with a digit just before it (the next character is a
// digit, so the closer cannot follow the bracket directly).
void WriteBracketBeforeNumber(std::string_view text, std::size_t& pos, bool englishStyle, TranscriptionState& state,
                              std::string& out) {
  const unsigned char bracket = ByteAt(text, pos);
  const std::size_t closer = text.find(bracket == '(' ? ')' : ']', pos + 1);
  if (closer != std::string_view::npos && IsDigit(ByteAt(text, closer - 1))) {
    out += bracket == '(' ? '\xEA' : '\xE1';
  } else {
    state.inTextParenthesis = true;
    WriteOtherSign(bracket, englishStyle, state, out);
  }
  ++pos;
}

void WriteQuote(unsigned char quote, bool englishStyle, TranscriptionState& state, std::string& out) {
  if (!englishStyle) {
    out += '"';
  } else {
    out += QuoteOpens(quote, state.nextQuoteOpens) ? '"' : '}';
  }
}

void ApplyUnifiedRule(std::string_view text, std::size_t& pos, bool englishStyle, TranscriptionState& state,
                      std::string& out) {
  const unsigned char c = ByteAt(text, pos);
  const bool hasNext = pos + 1 < text.size();
  const unsigned char next = hasNext ? ByteAt(text, pos + 1) : 0;
  if (LowerLetters.Contains(c)) {
    CopyWord(text, pos, out);
  } else if (UpperLetters.Contains(c) && c != kMultiplicationSign && c != kSharpS) {
    WriteCapitals(text, pos, englishStyle ? '\\' : '{', true, out);
  } else if (IsDigit(c)) {
    WriteNumber(text, pos, out);
  } else if ((c == '(' || c == '[') && hasNext && IsDigit(next)) {
    WriteBracketBeforeNumber(text, pos, englishStyle, state, out);
  } else if (!state.inTextParenthesis && pos > 0 && (c == ')' || c == ']') &&
             IsDigit(ByteAt(text, pos - 1))) {
    out += c == ')' ? '\xE3' : '\xFA';
    ++pos;
  } else if (c == '`' && hasNext && IsDigit(next)) {
    WriteLowerNumber(text, pos, LowerDigits, out);
  } else if (const auto sign = c == '`' && hasNext ? BackquoteSign(kBackquoteSigns, next) : std::nullopt) {
    out += *sign;
    pos += 2;
  } else if (c == '.') {
    out += englishStyle ? '/' : '.';
    ++pos;
  } else if (c == '"' || c == 0x93 || c == 0x94) {
    WriteQuote(c, englishStyle, state, out);
    ++pos;
  } else {
    WriteOtherSign(c, englishStyle, state, out);
    ++pos;
  }
}

}  // namespace

std::string TranscribeUnified(std::string_view text, bool englishStyle, TranscriptionState& state) {
  return TranscribeLine(text, englishStyle, state, ApplyUnifiedRule);
}
