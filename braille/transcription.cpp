#include "braille/transcription.h"

#include "braille/transcription_common.h"

std::string Transcribe(std::string_view text, bool englishStyle, bool oldRules, TranscriptionState& state) {
  return oldRules ? TranscribeOld(text, englishStyle, state) : TranscribeUnified(text, englishStyle, state);
}

unsigned char LowerCased(unsigned char c) { return UpperLetters.Contains(c) ? static_cast<unsigned char>(c + 32) : c; }

std::string TranscribeLine(std::string_view text, bool englishStyle, TranscriptionState& state,
                           TranscriptionRule applyRule) {
  // A line indented by one blank starts at its text; deeper indents stay.
  if (text.size() > 1 && text[0] == ' ' && text[1] != ' ') text.remove_prefix(1);
  std::string out;
  out.reserve(text.size() * 2);
  std::size_t pos = 0;
  while (pos < text.size()) applyRule(text, pos, englishStyle, state, out);
  return out;
}

void CopyWord(std::string_view text, std::size_t& pos, std::string& out) {
  out += text[pos++];
  while (pos < text.size() && (LowerLetters.Contains(ByteAt(text, pos)) || text[pos] == '-')) out += text[pos++];
}

void WriteCapitals(std::string_view text, std::size_t& pos, char capitalSign, bool markLowerAfterRun,
                   std::string& out) {
  const bool run = pos + 1 < text.size() && UpperLetters.Contains(ByteAt(text, pos + 1));
  out += capitalSign;
  if (!run) {
    out += static_cast<char>(LowerCased(ByteAt(text, pos++)));
    return;
  }
  out += capitalSign;
  while (pos < text.size() && UpperLetters.Contains(ByteAt(text, pos))) {
    out += static_cast<char>(LowerCased(ByteAt(text, pos++)));
  }
  if (markLowerAfterRun && pos < text.size() && LowerLetters.Contains(ByteAt(text, pos))) out += '~';
}

namespace {

// The ordinal suffix after a run of digits ending before pos: its letters
// and the number of characters it takes, or no letters.
struct OrdinalSuffix {
  std::string_view letters;
  std::size_t length = 0;
};

OrdinalSuffix FindOrdinalSuffix(std::string_view text, std::size_t pos, bool degreeIsOrdinal) {
  if (pos >= text.size()) return {};
  const std::string_view rest = text.substr(pos);
  const unsigned char first = ByteAt(rest, 0);
  if (first == 0xAA) return {"a", 1};
  if (first == 0xBA || (degreeIsOrdinal && first == 0xB0)) return {"o", 1};
  if (first != 'a' && first != 'o') return {};
  if (rest.substr(1, 1) == ".") return {rest.substr(0, 1), 2};
  if (rest.substr(1, 2) == "s.") return {rest.substr(0, 2), 3};
  return {};
}

// Spellings the two rule sets share for the backquote before a bracket.
constexpr Spelling kSharedBackquoteSigns[] = {
    {'(', "\xEA"}, {')', "\xE3"}, {'[', "\xE1"}, {']', "\xFA"}, {'{', "~l"}, {'}', "_,"},
};

std::optional<std::string_view> FindSpelling(std::span<const Spelling> spellings, unsigned char c) {
  for (const Spelling& spelling : spellings) {
    if (spelling.character == c) return spelling.cells;
  }
  return std::nullopt;
}

}  // namespace

bool WriteOrdinal(std::string_view text, std::size_t& pos, const LowerDigitTable& lowerDigits, bool degreeIsOrdinal,
                  std::string& out) {
  std::size_t digitsEnd = pos;
  while (digitsEnd < text.size() && IsDigit(ByteAt(text, digitsEnd))) ++digitsEnd;
  const OrdinalSuffix suffix = FindOrdinalSuffix(text, digitsEnd, degreeIsOrdinal);
  if (suffix.length == 0) return false;
  for (; pos < digitsEnd; ++pos) out += lowerDigits[text[pos] - '0'];
  out += suffix.letters;
  pos += suffix.length;
  return true;
}

void WriteLowerNumber(std::string_view text, std::size_t& pos, const LowerDigitTable& lowerDigits, std::string& out) {
  out += '#';
  ++pos;
  for (; pos < text.size() && IsDigit(ByteAt(text, pos)); ++pos) out += lowerDigits[text[pos] - '0'];
  if (pos >= text.size() || text[pos] != '/') return;
  ++pos;
  for (; pos < text.size() && IsDigit(ByteAt(text, pos)); ++pos) out += text[pos];
}

std::optional<std::string_view> BackquoteSign(std::span<const Spelling> ruleSetSigns, unsigned char after) {
  if (const auto own = FindSpelling(ruleSetSigns, after)) return own;
  return FindSpelling(kSharedBackquoteSigns, after);
}

bool QuoteOpens(unsigned char quote, bool& nextQuoteOpens) {
  const bool opens = quote == 0x93 || (quote != 0x94 && nextQuoteOpens);
  nextQuoteOpens = !opens;
  return opens;
}

void WriteSharedSignOrCharacter(unsigned char c, bool englishStyle, std::string& out) {
  switch (c) {
    case '%':
      out += "_}";
      break;
    case 0xA7:  // §
      out += "ss";
      break;
    case '_':
      out += englishStyle ? ']' : '_';
      break;
    default:
      out += static_cast<char>(c);
  }
}
