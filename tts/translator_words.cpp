#include "tts/translator_words.h"

namespace {

constexpr unsigned char kMarker = 1;

// The plain form of a character from 128 up, covering the letters both of
// the DOS code page (128-165) and of Windows (192-255); empty: no form.
std::string_view UpperHalfForm(unsigned char c) {
  switch (c) {
    case 128: case 135: case 199: case 231: return "ss";
    case 129: case 154: return "u\"";
    case 130: case 144: case 201: case 233: return "e'";
    case 131: case 194: case 226: return "a^";
    case 132: case 142: case 195: case 196: case 227: case 228: return "a~";
    case 133: case 192: case 224: return "a`";
    case 134: case 143: case 160: case 193: case 225: return "a'";
    case 136: case 202: case 234: return "e^";
    case 137: case 203: case 235: return "e\"";
    case 138: case 200: case 232: return "e`";
    case 139: case 207: case 239: return "i\"";
    case 140: case 206: case 238: return "i^";
    case 141: case 204: case 236: return "i`";
    case 145: case 198: case 230: return "ae";
    case 146: return "-";
    case 147: case 212: case 244: return "o^";
    case 148: case 153: case 213: case 245: return "o~";
    case 149: case 210: case 214: case 242: case 246: return "o`";
    case 150: case 219: case 251: return "u^";
    case 151: case 217: case 249: return "u`";
    case 152: return "y-";
    case 161: case 205: case 237: return "i'";
    case 162: case 211: case 243: return "o'";
    case 163: case 218: case 250: return "u'";
    case 164: case 165: case 209: case 241: return "nh";
    case 167: return "\xA7";
    case 168: case 191: return "?";
    case 171: return "\xAA";
    case 173: return "!";
    case 174: case 175: return "\"";
    case 187: return "\xBA";
    case 197: case 229: return "a";
    case 215: case 247: return "x";
    case 216: case 248: return "0";
    case 220: case 252: return "u";
    default: return {};
  }
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A letter of the original text, before transliteration.
bool IsTextLetter(unsigned char c) {
  if (c < 128) return IsAsciiLetter(static_cast<char>(c));
  const std::string_view form = UpperHalfForm(c);
  return !form.empty() && IsAsciiLetter(form.front());
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsOneOf(char c, std::string_view set) { return set.find(Lower(c)) != std::string_view::npos; }

// Positions count from 1 as the automaton reads them; 0 and past the end are
// outside the word.
char At(std::string_view word, std::size_t k) { return k >= 1 && k <= word.size() ? word[k - 1] : '\0'; }

bool FollowsGOrQ(std::string_view word, std::size_t k) { return IsOneOf(At(word, k - 1), "gq"); }

// State 8's test for the hiatus before l, m, n, r or z: the letter two
// places on is one of those and either n before h, r before r, or before a
// consonant other than h.
bool HiatusBeforeSonorant(std::string_view word, std::size_t k) {
  const char sonorant = At(word, k + 2);
  if (!IsOneOf(sonorant, "lmnrz")) return false;
  const char next = At(word, k + 3);
  if (Lower(sonorant) == 'n' && Lower(next) == 'h') return true;
  if (Lower(sonorant) == 'r' && Lower(next) == 'r') return true;
  return IsWordConsonant(next) && Lower(next) != 'h';
}

}  // namespace

bool IsWordVowel(char c) { return IsOneOf(c, "aeiou"); }

bool IsWordConsonant(char c) { return IsAsciiLetter(c) && !IsWordVowel(c); }

bool IsAccentMark(char c) { return c == '"' || c == '\'' || c == '^' || c == '`' || c == '~'; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string TransliterateForTranslator(std::string_view text) {
  std::string plain;
  plain.reserve(text.size() + text.size() / 4);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool letterBefore = i > 0 && IsTextLetter(static_cast<unsigned char>(text[i - 1]));
    const bool letterAfter = i + 1 < text.size() && IsTextLetter(static_cast<unsigned char>(text[i + 1]));
    if (c == kMarker) {
      plain += "\x01 ";
    } else if (c < 32) {
      plain += ' ';
    } else if (c >= 128) {
      const std::string_view form = UpperHalfForm(c);
      plain += form.empty() ? std::string_view(" ") : form;
    } else if ((c == 'W' || c == 'w') && (letterBefore || letterAfter)) {
      plain += 'u';
    } else if ((c == 'Y' || c == 'y') && (letterBefore || letterAfter)) {
      plain += 'i';
    } else if (c == '\'' && i > 0 && (text[i - 1] == 'D' || text[i - 1] == 'd')) {
      continue;
    } else {
      plain += static_cast<char>(c);
    }
  }
  return plain;
}

std::string MarkStress(std::string_view word) {
  std::string marked(word);
  const auto mark = [&](std::size_t k) {
    if (k >= 1 && k <= marked.size()) marked[k - 1] = AsciiUpper(marked[k - 1]);
    return marked;
  };
  int state = 0;
  for (std::size_t k = word.size(); k >= 1; --k) {
    const char c = word[k - 1];
    const bool vowel = IsWordVowel(c);
    const bool consonant = IsWordConsonant(c);
    switch (state) {
      case 0:
        if (IsOneOf(c, "aeo")) state = 5;
        else if (IsOneOf(c, "iu")) state = 3;
        else if (IsOneOf(c, "lnrxz")) state = 1;
        else if (IsOneOf(c, "m")) state = 2;
        else if (IsOneOf(c, "s")) state = 4;
        break;
      case 1:
        if (vowel) return mark(k);
        break;
      case 2:
        if (IsOneOf(c, "ae")) state = 5;
        else if (IsOneOf(c, "iu")) state = 3;
        else if (IsOneOf(c, "o")) return mark(k);
        break;
      case 3:
        if (consonant || (IsOneOf(c, "u") && FollowsGOrQ(word, k))) return mark(k + 1);
        return mark(k);
      case 4:
        if (IsOneOf(c, "aeo")) state = 5;
        else if (IsOneOf(c, "iu")) state = 3;
        break;
      case 5:
        if (IsOneOf(c, "aeo")) return mark(k);
        if (IsOneOf(c, "iu")) state = 8;
        break;
      default:  // 8
        if (consonant || (IsOneOf(c, "u") && FollowsGOrQ(word, k))) return mark(k + 1);
        if (HiatusBeforeSonorant(word, k)) return mark(k + 1);
        return mark(k);
    }
  }
  return marked;
}
