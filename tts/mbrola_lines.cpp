#include "tts/mbrola_lines.h"

#include <cstdlib>

#include "tts/data_file_lines.h"
#include "tts/intonation.h"
#include "tts/prosody.h"
#include "tts/text_normalisation.h"
#include "tts/word_transcription.h"

namespace {

// A sentence longer than this is cut at its next blank.
constexpr std::size_t kLongestPiece = 4000;

bool SentenceEndAt(std::string_view text, std::size_t i) {
  const char c = text[i];
  return (c == '.' || c == '!' || c == '?') && i + 1 < text.size() && text[i + 1] == ' ';
}

}  // namespace

void ForEachSentenceLines(std::string_view text, double durationFactor, double pitchFactor, const SentenceLines& take) {
  if (Trimmed(text).empty()) return;
  const std::string normalised = NormaliseText(text);
  const std::string_view all = normalised;
  std::size_t start = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const bool cut = SentenceEndAt(all, i) || (i - start >= kLongestPiece && all[i] == ' ');
    if (!cut && i + 1 < all.size()) continue;
    const std::string_view piece = all.substr(start, i + 1 - start);
    start = i + 1;
    if (Trimmed(piece).empty()) continue;
    const std::vector<std::string> intonation = AssignIntonation(Tokenise(piece), true);
    if (!take(ApplyProsody(TranscribeWords(intonation), durationFactor, pitchFactor))) return;
  }
}

std::vector<std::string> MbrolaLinesOf(std::string_view text, double durationFactor, double pitchFactor) {
  std::vector<std::string> all;
  ForEachSentenceLines(text, durationFactor, pitchFactor, [&all](const std::vector<std::string>& lines) {
    all.insert(all.end(), lines.begin(), lines.end());
    return true;
  });
  return all;
}

long MillisecondsOf(const std::vector<std::string>& lines) {
  long total = 0;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] == ';') continue;
    const std::size_t blank = line.find(' ');
    if (blank != std::string::npos) total += std::atol(line.c_str() + blank + 1);
  }
  return total;
}
