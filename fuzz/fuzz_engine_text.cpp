// Feeds arbitrary bytes as a text to the own engine's text stages, with the
// installed abbreviations, rules, exceptions and prosody: normalisation with
// its readings of titles, money, dates, times, units, numerals and acronyms,
// then the sentences' MBROLA lines.
#include <cstdint>
#include <string>
#include <string_view>

#include "tts/engine_language_data.h"
#include "tts/mbrola_lines.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string error;
  LoadEngineLanguageData(ReadEngineDataFiles(), error);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MbrolaLinesOf(std::string_view(reinterpret_cast<const char*>(data), size), 1.0, 1.0);
  return 0;
}
