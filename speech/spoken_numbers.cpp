#include "speech/spoken_numbers.h"

#include <array>
#include <fstream>
#include <iterator>

#include "audio/wav_playback.h"
#include "platform/paths.h"
#include "speech/speech.h"
#include "speech/speech_state.h"

namespace {

constexpr std::array<std::string_view, 10> kUnits{"zero",  "um",   "dois", "tres", "quatro",
                                                  "cinco", "seis", "sete", "oito", "nove"};
constexpr std::array<std::string_view, 10> kTeens{"dez",    "onze",      "doze",      "treze",   "quatorze",
                                                  "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
constexpr std::array<std::string_view, 10> kTens{"",          "",         "vinte",   "trinta",  "quarenta",
                                                 "cinquenta", "sessenta", "setenta", "oitenta", "noventa"};
constexpr std::array<std::string_view, 10> kHundreds{
    "",           "cento",      "duzentos",   "trezentos",  "quatrocentos",
    "quinhentos", "seiscentos", "setecentos", "oitocentos", "novecentos"};
// Trillions, billions, millions, thousands, units.
constexpr std::array<std::string_view, 5> kScaleOne{"trilh\xE3o ", "bilh\xE3o ", "milh\xE3o ", "mil ", ""};
constexpr std::array<std::string_view, 5> kScaleMany{"trilh\xF5" "es ", "bilh\xF5" "es ", "milh\xF5" "es ", "mil ", ""};
constexpr std::size_t kGroups = 5;
constexpr std::size_t kDigits = 3 * kGroups;
constexpr std::size_t kPieceNameLength = 8;
constexpr std::size_t kImageSamples = 30000;
constexpr std::size_t kWavHeaderBytes = 44;
constexpr int kRate = 11025;

int Digit(char c) { return c - '0'; }

// The words of three digits; nothing for "000".
std::string GroupWords(std::string_view group) {
  if (group == "000") return "";
  if (group == "100") return "cem";
  const int hundreds = Digit(group[0]), tens = Digit(group[1]), units = Digit(group[2]);
  std::string words;
  if (hundreds != 0) {
    words = kHundreds[static_cast<std::size_t>(hundreds)];
    if (tens == 0 && units == 0) return words;
    words += " e ";
  }
  if (tens == 1) return words += kTeens[static_cast<std::size_t>(units)];
  if (tens >= 2) {
    words += kTens[static_cast<std::size_t>(tens)];
    if (units == 0) return words;
    words += " e ";
  }
  if (units != 0) words += kUnits[static_cast<std::size_t>(units)];
  return words;
}

std::string DigitByDigit(const std::string& digits) {
  std::string words;
  for (const char c : digits) {
    if (!words.empty()) words += ' ';
    words += kUnits[static_cast<std::size_t>(Digit(c))];
  }
  return words;
}

std::string PieceName(std::string word) {
  for (char& c : word) {
    if (c == '\xE3') c = 'a';
    if (c == '\xF5') c = 'o';
  }
  // Cut to 8 characters, "_dezesseis" and "_dezessete" would be one piece.
  if (word == "dezessete") word = "dezeset";
  return ("_" + word).substr(0, kPieceNameLength);
}

// The samples of a piece file (from byte 44 on); empty when it cannot be read.
std::string PieceSamples(const std::string& path) {
  std::ifstream file(LinuxPath(path), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return bytes.size() > kWavHeaderBytes ? bytes.substr(kWavHeaderBytes) : std::string();
}

void PlaySamplesAndWait(const std::string& samples) { PlayWavImageAndWait(MakeWavImage(samples, kRate, 1, 8)); }

}  // namespace

std::string NumberToWords(unsigned long long number) {
  if (number == 0) return "zero";
  std::string digits = std::to_string(number);
  if (digits.size() > kDigits) return DigitByDigit(digits);
  digits.insert(0, kDigits - digits.size(), '0');
  std::array<std::string, kGroups> groups;
  std::size_t last = 0;
  for (std::size_t g = 0; g < kGroups; ++g) {
    const std::string_view group = std::string_view(digits).substr(3 * g, 3);
    groups[g] = GroupWords(group);
    if (groups[g].empty()) continue;
    if (!kScaleOne[g].empty()) groups[g] += " " + std::string(group == "001" ? kScaleOne[g] : kScaleMany[g]);
    last = g;
  }
  std::string words;
  for (std::size_t g = 0; g < last; ++g) words += groups[g];
  if (!words.empty()) words += "e ";
  words += groups[last];
  // "um mil" is said "mil"; "um milhão" stays.
  if (words.starts_with("um mil") && !words.starts_with("um milh")) words.erase(0, 3);
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
