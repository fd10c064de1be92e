// Makes the Braille alphabet's tables (braille/braille_alphabet_tables.h)
// from the alphabet file. A malformed line stops the build with its number.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/braille_alphabet/alphabet_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ALPHABET_FILE OUTPUT_HEADER\n", argv[0]);
    return 2;
  }
  const std::string input = argv[1];
  const std::filesystem::path output = argv[2];
  std::ifstream file(input, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file) {
    std::fprintf(stderr, "%s: cannot read the file\n", input.c_str());
    return 1;
  }
  const AlphabetReading reading = ReadAlphabet(text.str());
  for (const AlphabetError& error : reading.errors) {
    if (error.line > 0) {
      std::fprintf(stderr, "%s:%d: error: %s\n", input.c_str(), error.line, error.message.c_str());
    } else {
      std::fprintf(stderr, "%s: error: %s\n", input.c_str(), error.message.c_str());
    }
  }
  if (!reading.errors.empty()) return 1;

  // The header is written only when it changes, so that what includes it is
  // not compiled again for nothing.
  const std::string source = AlphabetTablesSource(reading.alphabet);
  std::ifstream previous(output, std::ios::binary);
  std::ostringstream previousText;
  previousText << previous.rdbuf();
  if (previous && previousText.str() == source) return 0;
  previous.close();
  std::filesystem::create_directories(output.parent_path());
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out << source;
  if (!out.flush()) {
    std::fprintf(stderr, "%s: cannot write the file\n", output.c_str());
    return 1;
  }
  return 0;
}
