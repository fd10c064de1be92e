// Text conversions at the boundary with Linux. Inside the system every string
// holds Windows-1252 bytes; file names, the terminal, the environment and
// everything else outside speak UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Windows-1252 to UTF-8. Total: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the
// same value, so nothing is dropped and the way back is exact.
std::string Utf8FromWindows1252(std::string_view text);

// UTF-8 to Windows-1252. A character with no Windows-1252 form, and every
// byte of a malformed sequence, becomes '?'.
std::string Windows1252FromUtf8(std::string_view text);

// One UTF-8 sequence decoded from the front of bytes (which must not be
// empty). A malformed sequence gives valid false and the number of bytes
// that belong to it; truncated says that the bytes end inside a sequence
// that further bytes could still complete (for block-wise readers).
struct Utf8Step {
  char32_t codePoint = 0;
  std::size_t length = 0;
  bool valid = false;
  bool truncated = false;
};
Utf8Step DecodeUtf8Step(std::string_view bytes);

// The Windows-1252 byte of a Unicode character, '?' when it has none.
char Windows1252FromCodePoint(char32_t codePoint);

// True when the bytes are valid UTF-8 and hold at least one multi-byte
// sequence (plain ASCII is not taken as UTF-8: it is the same either way).
bool IsUtf8WithMultibyte(std::string_view bytes);

// Code page 850 (DOS "OEM" text) to Windows-1252, one byte; characters with
// no Windows-1252 form (box drawing, shades) get a look-alike or '?'.
unsigned char Cp850ToWindows1252(unsigned char c);
std::string OemToAnsi(std::string_view text);

// Windows-1252 upper-casing: a-z, the accented letters of the upper half and
// the few letters of 128..159 that have capitals.
unsigned char UpperWindows1252(unsigned char c);
std::string UpperCaseAnsi(std::string_view text);

// Whether two Windows-1252 texts are equal but for letter case (names of
// settings, sections and the suite's folders are compared this way).
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
