// Bytes written as a C++ string literal, for the sources the build generates
// from data files: printable ASCII as it is, '"' and '\' escaped, every other
// byte as an octal escape (at most three digits, so a digit after it stays a
// digit).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

inline std::string CppStringLiteral(std::string_view bytes) {
  std::string literal = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
      literal += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      literal += escape;
    }
  }
  return literal + "\"";
}
