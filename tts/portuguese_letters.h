// The letter classes the Portuguese engine's stages share, over
// Windows-1252 bytes: letters (the Latin ones and the accented ones the
// language writes), vowels and consonants.
#pragma once

namespace portuguese {

// The accented capitals counted as letters: À Á Â Ã Ç É Ê Ì Í Ñ Ó Ô Õ Ù Ú Ü.
constexpr bool IsAccentedCapital(unsigned char c) {
  switch (c) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC7: case 0xC9: case 0xCA: case 0xCC:
    case 0xCD: case 0xD1: case 0xD3: case 0xD4: case 0xD5: case 0xD9: case 0xDA: case 0xDC:
      return true;
    default:
      return false;
  }
}

constexpr bool IsLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsAccentedCapital(c) ||
         (c >= 0xE0 && IsAccentedCapital(static_cast<unsigned char>(c - 0x20)));
}

// Folds a-z and the accented lower-case letters to their capitals; other
// bytes are returned as they are.
constexpr unsigned char FoldToCapital(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && IsAccentedCapital(static_cast<unsigned char>(c - 0x20))) return static_cast<unsigned char>(c - 0x20);
  return c;
}

// B C D F G H J K L M N P Q R S T V W X Y Z Ç Ñ, either case.
constexpr bool IsConsonant(unsigned char c) {
  c = FoldToCapital(c);
  if (c == 0xC7 || c == 0xD1) return true;
  return c >= 'B' && c <= 'Z' && c != 'E' && c != 'I' && c != 'O' && c != 'U';
}

// A E I O U and À Á Â Ã É Ê Ì Í Ó Ô Õ Ù Ú Ü, either case.
constexpr bool IsVowel(unsigned char c) {
  c = FoldToCapital(c);
  switch (c) {
    case 'A': case 'E': case 'I': case 'O': case 'U':
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC9: case 0xCA: case 0xCC:
    case 0xCD: case 0xD3: case 0xD4: case 0xD5: case 0xD9: case 0xDA: case 0xDC:
      return true;
    default:
      return false;
  }
}

}  // namespace portuguese
