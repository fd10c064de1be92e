#include "speech/spoken_numbers.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "audio/wav_playback.h"
#include "platform/paths.h"
#include "platform/wav_format.h"
#include "speech/speech.h"
#include "speech/speech_state.h"
#include "tts/number_words.h"

namespace {

constexpr std::size_t kPieceNameLength = 8;
constexpr std::size_t kImageSamples = 30000;
constexpr int kRate = 11025;

// The engine's letter-to-sound rules need the diaeresis of "cinq\xFC" "enta"
// to say its u; the words said here are spelled as Portuguese is written
// now, "cinquenta".
std::string WithoutDiaeresis(std::string words) {
  std::ranges::replace(words, '\xFC', 'u');
  return words;
}

// "_" + the word without its accent ("tr\xEAs" is "_tres", "milh\xE3o"
// "_milhao"), cut to 8 characters.
std::string PieceName(std::string word) {
  for (char& c : word) {
    if (c == '\xE3') c = 'a';
    if (c == '\xEA') c = 'e';
    if (c == '\xF5') c = 'o';
  }
  // Cut to 8 characters, "_dezesseis" and "_dezessete" would be one piece.
  if (word == "dezessete") word = "dezeset";
  return ("_" + word).substr(0, kPieceNameLength);
}

// The samples of a piece file's data chunk; empty when it cannot be read or
// is no WAV file.
std::string PieceSamples(const std::string& path) {
  std::ifstream file(LinuxPath(path), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  WavFormat format;
  std::string_view samples;
  return FindWavImageSamples(bytes, format, samples) ? std::string(samples) : std::string();
}

void PlaySamplesAndWait(const std::string& samples) { PlayWavImageAndWait(MakeWavImage(samples, kRate, 1, 8)); }

}  // namespace

std::string NumberToWords(unsigned long long number) {
  const std::string digits = std::to_string(number);
  if (digits.size() <= kCardinalDigits) return WithoutDiaeresis(CardinalWords(number));
  std::string words;
  for (const char c : digits) {
    if (!words.empty()) words += ' ';
    words += CardinalWords(static_cast<unsigned>(c - '0'));
  }
  return words;
}

std::vector<std::string> NumberPieces(std::string_view words, bool feminine) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0; start < words.size();) {
    std::size_t end = words.find(' ', start);
    if (end == std::string_view::npos) end = words.size();
    if (end > start) pieces.push_back(PieceName(std::string(words.substr(start, end - start))));
    start = end + 1;
  }
  if (feminine && !pieces.empty()) {
    if (pieces.back() == "_um") pieces.back() = "_uma";
    if (pieces.back() == "_dois") pieces.back() = "_duas";
  }
  return pieces;
}

void SpeakNumberWords(std::string_view words, bool feminine) {
  std::string image;
  for (const std::string& piece : NumberPieces(words, feminine)) {
    const std::string samples = PieceSamples(speech.lettersDirectory + piece + ".wav");
    if (samples.empty()) continue;
    if (!image.empty() && image.size() + samples.size() > kImageSamples) {
      PlaySamplesAndWait(image);
      image.clear();
    }
    // A piece longer than the whole image keeps what fits.
    image.append(samples, 0, kImageSamples);
  }
  if (!image.empty()) PlaySamplesAndWait(image);
}
