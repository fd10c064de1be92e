// Transcribes arbitrary text with both rule sets, with and without the
// English-style capitals, and shows the result as Unicode Braille, as the
// preview does. The first byte chooses the rules and the style.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "braille/braille_cells.h"
#include "braille/transcription.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool oldRules = (data[0] & 1) != 0;
  const bool english = (data[0] & 2) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  TranscriptionState state;
  const std::string internal = Transcribe(text, english, oldRules, state);
  // Each character becomes a handful of cells at most.
  if (internal.size() > 16 * text.size() + 16) std::abort();
  UnicodeBrailleFromInternal(internal, oldRules);
  return 0;
}
