#include "tts/mbrola_lines.h"

#include "tts/data_file_lines.h"
#include "tts/intonation.h"
#include "tts/prosody.h"
#include "tts/text_normalisation.h"
#include "tts/word_transcription.h"

std::vector<std::string> MbrolaLinesOf(std::string_view text, double durationFactor, double pitchFactor) {
  if (Trimmed(text).empty()) return {};
  const std::vector<std::string> intonation = AssignIntonation(Tokenise(NormaliseText(text)), true);
  return ApplyProsody(TranscribeWords(intonation), durationFactor, pitchFactor);
}
