// TranslatorSpeak: the phonetic string read segment by segment, each cut
// into syllables and units whose samples fill the output buffer.
#include <string>

#include "tts/translator.h"
#include "tts/translator_output.h"
#include "tts/translator_state.h"
#include "tts/translator_words.h"

namespace {

constexpr std::size_t kLongSegment = 9;
constexpr int kCommaPause = 4000;
constexpr int kStopPause = 8000;
constexpr int kSemicolonPause = 6000;
// The letter sound that "|" gives: the sign's own name.
constexpr unsigned char kBarCode = '|';

struct Segment {
  std::string text;
  bool endsWord = false;  // ended at "]" or at a "/": the word gap follows
};

// Characters up to a blank or "]"; "/" is dropped but ends a segment of 9
// or more characters; "_" keeps the character after it whatever it is; "|"
// is a segment of its own, "_TRACO"; "[" starts a word in mode 1.
Segment ReadSegment(std::string_view phonetic, std::size_t& i) {
  Segment segment;
  while (i < phonetic.size()) {
    const char c = phonetic[i];
    if (c == '_') {
      segment.text += phonetic.substr(i, 2);
      i += 2;
    } else if (c == '[') {
      translator.mode = 1;
      ++i;
    } else if (c == ' ' || c == ']') {
      ++i;
      segment.endsWord = c == ']';
      return segment;
    } else if (c == '/') {
      ++i;
      if (segment.text.size() >= kLongSegment) {
        segment.endsWord = true;
        return segment;
      }
    } else if (c == '|') {
      if (segment.text.empty()) {
        segment.text = "_TRACO";
        ++i;
      }
      return segment;
    } else {
      segment.text += c;
      ++i;
    }
  }
  return segment;
}

int PauseLength(std::string_view segment) {
  if (segment.size() != 2 || segment[0] != '_') return 0;
  switch (segment[1]) {
    case ',': return kCommaPause;
    case '.': case ':': return kStopPause;
    case ';': return kSemicolonPause;
    default: return 0;
  }
}

bool IsConsonant(char c) { return std::string_view("bcdfgjklmnpqrstvxz").find(c) != std::string_view::npos; }
bool IsVowel(char c) { return std::string_view("AEIOUaeiou").find(c) != std::string_view::npos; }
bool IsGlide(char c) { return c == 'w' || c == 'y'; }
bool IsNasalMark(char c) { return c == '^' || c == '~'; }

constexpr std::string_view kClusters[] = {"dj", "nh", "rr", "ks", "tch"};

bool StartsWithCluster(std::string_view s) {
  for (std::string_view cluster : kClusters) {
    if (s.starts_with(cluster)) return true;
  }
  return false;
}

bool IsCluster(std::string_view s) {
  for (std::string_view cluster : kClusters) {
    if (s == cluster) return true;
  }
  return false;
}

// A syllable: "_c" is the letter sound of c; otherwise units "$..." are
// built character by character, a nasal mark closing the unit as its
// "CIRC" (^) or "TIL" (~) form. A stressed vowel makes the rest of the
// syllable mode 2.
void SynthSyllable(std::string_view syllable, double factor) {
  if (syllable.starts_with('_')) {
    if (syllable == "_TRACO") {
      SynthUnit("_" + std::to_string(kBarCode), translator.mode, factor);
    } else if (syllable.size() >= 2) {
      SynthUnit("_" + std::to_string(static_cast<unsigned char>(syllable[1])), translator.mode, factor);
    }
    return;
  }
  int mode = translator.mode;
  std::string unit = "$";
  for (char c : syllable) {
    if (IsNasalMark(c)) {
      SynthUnit(unit + (c == '^' ? "CIRC" : "TIL"), mode, factor);
      unit = "$";
      continue;
    }
    if (IsVowel(c) && AsciiUpper(c) == c) mode = 2;
    unit += c;
  }
  if (unit != "$") SynthUnit(unit, mode, factor);
}

// Splits a segment into syllables: consonants are taken off its start (but
// for the clusters) and its end, a final glide is joined to its vowel in a
// unit of its own, and what remains is a syllable. The part split off goes
// straight to the syllable step; the rest is split again.
void SynthSegment(std::string_view s, double factor) {
  const std::size_t n = s.size();
  if (s.starts_with('_') || n < 2 || IsCluster(s)) {
    SynthSyllable(s, factor);
  } else if (IsConsonant(s[0]) && IsConsonant(s[1]) && !StartsWithCluster(s)) {
    SynthSyllable(s.substr(0, 1), 1.0);
    SynthSegment(s.substr(1), factor);
  } else if (n >= 3 && s.ends_with("rr")) {
    SynthSegment(s.substr(0, n - 2), factor);
    SynthSyllable("rr", factor);
  } else if (s.back() == 's') {
    SynthSegment(s.substr(0, n - 1), 0.7);
    SynthSyllable("s", factor);
  } else if (IsConsonant(s.back())) {
    SynthSegment(s.substr(0, n - 1), factor);
    SynthSyllable(s.substr(n - 1), factor);
  } else if (IsGlide(s.back()) && IsVowel(s[n - 2])) {
    SynthSegment(s.substr(0, n - 1), 0.6);
    SynthSyllable(s.substr(n - 2), factor);
  } else if (n >= 3 && IsGlide(s.back()) && IsNasalMark(s[n - 2]) && IsVowel(s[n - 3])) {
    std::string rest(s.substr(0, n - 1));
    for (char& c : rest) {
      if (c == '~') c = '^';
    }
    SynthSegment(rest, 0.6);
    SynthSyllable(std::string{s[n - 3], s[n - 1], s[n - 2]}, factor);
  } else {
    SynthSyllable(s, factor);
  }
}

}  // namespace

void TranslatorSpeak(std::string_view phonetic, bool noPauses) {
  if (translator.buffer.empty()) return;
  translator.writePosition = kWavHeaderSize;
  translator.mode = 1;
  for (std::size_t i = 0; i < phonetic.size();) {
    const Segment segment = ReadSegment(phonetic, i);
    const int pause = noPauses ? 0 : PauseLength(segment.text);
    if (pause > 0) {
      AppendSilence(pause);
    } else {
      SynthSegment(segment.text, 1.0);
    }
    if (segment.endsWord) AppendSilence(translator.wordGap);
  }
  PlayOutputBuffer();
}
