#include "platform/text_encoding.h"

#include <array>

namespace {

// Unicode of Windows-1252 bytes 0x80..0x9F. The five bytes the code page
// leaves undefined map to the C1 control of the same value, which makes the
// conversion total and exactly reversible.
constexpr std::array<char16_t, 32> kWindows1252Row8And9 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

// Upper half of code page 850 in Windows-1252 (lower half is identity).
// Characters Windows-1252 lacks get a look-alike, so a DOS table or frame
// still reads sensibly: straight box lines become '|' or '-', every corner,
// tee and cross '+', shades, blocks and the black square '#', the dotless
// i 'i' and the double low line '_'.
constexpr std::array<unsigned char, 128> kCp850UpperHalf = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,  // 80
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,  // 90
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,  // A0
    '#',  '#',  '#',  '|',  '+',  0xC1, 0xC2, 0xC0, 0xA9, '+',  '|',  '+',  '+',  0xA2, 0xA5, '+',   // B0
    '+',  '+',  '+',  '+',  '-',  '+',  0xE3, 0xC3, '+',  '+',  '+',  '+',  '+',  '-',  '+',  0xA4,  // C0
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 'i',  0xCD, 0xCE, 0xCF, '+',  '+',  '#',  '#',  0xA6, 0xCC, '#',   // D0
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE, 0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,  // E0
    0xAD, 0xB1, '_',  0xBE, 0xB6, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, '#',  0xA0,  // F0
};

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    // Windows-1252 reaches no further than the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

}  // namespace

std::string Utf8FromWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    const bool inRow8And9 = byte >= 0x80 && byte < 0xA0;
    AppendUtf8(out, inRow8And9 ? kWindows1252Row8And9[byte - 0x80] : char32_t{byte});
  }
  return out;
}

Utf8Step DecodeUtf8Step(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  if (lead < 0x80) return {lead, 1, true, false};

  // Sequence length and the allowed range of the second byte; the narrowed
  // ranges exclude overlong forms, surrogates and values above U+10FFFF.
  std::size_t length = 0;
  unsigned char secondLow = 0x80;
  unsigned char secondHigh = 0xBF;
  char32_t codePoint = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) secondLow = 0xA0;
    if (lead == 0xED) secondHigh = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07;
    if (lead == 0xF0) secondLow = 0x90;
    if (lead == 0xF4) secondHigh = 0x8F;
  } else {
    return {0, 1, false, false};
  }

  std::size_t taken = 1;
  while (taken < length && taken < bytes.size()) {
    const auto next = static_cast<unsigned char>(bytes[taken]);
    const unsigned char low = taken == 1 ? secondLow : 0x80;
    const unsigned char high = taken == 1 ? secondHigh : 0xBF;
    if (next < low || next > high) break;
    codePoint = (codePoint << 6) | (next & 0x3F);
    ++taken;
  }
  if (taken == length) return {codePoint, length, true, false};
  return {0, taken, false, taken == bytes.size()};
}

char Windows1252FromCodePoint(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<char>(codePoint);
  for (std::size_t i = 0; i < kWindows1252Row8And9.size(); ++i) {
    if (kWindows1252Row8And9[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::string Windows1252FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Step step = DecodeUtf8Step(text);
    if (step.valid) {
      out += Windows1252FromCodePoint(step.codePoint);
    } else {
      out.append(step.length, '?');
    }
    text.remove_prefix(step.length);
  }
  return out;
}

bool IsUtf8WithMultibyte(std::string_view bytes) {
  bool sawMultibyte = false;
  while (!bytes.empty()) {
    const Utf8Step step = DecodeUtf8Step(bytes);
    if (!step.valid) return false;
    sawMultibyte = sawMultibyte || step.length > 1;
    bytes.remove_prefix(step.length);
  }
  return sawMultibyte;
}

unsigned char Cp850ToWindows1252(unsigned char c) { return c < 0x80 ? c : kCp850UpperHalf[c - 0x80]; }

std::string OemToAnsi(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(Cp850ToWindows1252(static_cast<unsigned char>(ch)));
  return out;
}

unsigned char UpperWindows1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à..þ except ÷
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;       // ß and µ have no single-byte capital
  }
}

std::string UpperCaseAnsi(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(UpperWindows1252(static_cast<unsigned char>(ch)));
  return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (UpperWindows1252(static_cast<unsigned char>(a[i])) != UpperWindows1252(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}
