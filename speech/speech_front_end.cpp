// SpeakText: a text taken apart into zeros, numbers, phrases and signs, each
// made audible its own way, with pauses at punctuation.
#include <string>

#include "braille_display/braille_display.h"
#include "console/console.h"
#include "console/key_queue.h"
#include "speech/speech.h"
#include "speech/speech_server.h"
#include "speech/speech_state.h"
#include "speech/spoken_numbers.h"
#include "tts/translator.h"

namespace {

constexpr std::size_t kLongestNumber = 6;  // longer runs of digits are spelled
constexpr std::size_t kLongestPhrase = 999;
constexpr int kPauseStep = 50;
constexpr int kRepeatsSpoken = 3;  // after the first; then clicks

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The typographic marks of Windows-1252: quotation marks, dashes and the
// ellipsis. They are punctuation, not letters for the translator.
bool IsTypographicMark(unsigned char c) {
  switch (c) {
    case 0x82: case 0x84: case 0x85: case 0x8B: case 0x91: case 0x92: case 0x93: case 0x94: case 0x96: case 0x97:
    case 0x9B: case 0xAB: case 0xBB:
      return true;
    default:
      return false;
  }
}

bool InPhraseSet(unsigned char c) { return c == ' ' || IsAsciiLetter(c) || (c >= 128 && !IsTypographicMark(c)); }

// A dash pauses as a comma, the ellipsis as a full stop; quotation marks say
// nothing.
void TypographicPause(unsigned char c) {
  if (KeyPressed()) return;
  WaitSpeechEnd();
  if (c == 0x96 || c == 0x97) {
    PausePlayback(speech.settings.commaPause);
  } else if (c == 0x85) {
    PausePlayback(speech.settings.fullStopPause);
  }
}

// The sign last said and how often it came again in a row.
struct Repetition {
  unsigned char previous = ' ';
  int count = 0;
};

std::size_t RunEnd(const std::string& text, std::size_t from, bool (*belongs)(unsigned char)) {
  while (from < text.size() && belongs(static_cast<unsigned char>(text[from]))) ++from;
  return from;
}

bool InNumberRun(unsigned char c) { return IsDigit(c) || c == '-'; }

// Each character by its letter sound, until a key is queued.
void SpellLetters(std::string_view text) {
  for (const char c : text) {
    if (KeyPressed()) return;
    PlayLetterSound(static_cast<unsigned char>(c));
  }
}

// A run of digits and hyphens from a digit 1..9: a number when it is plain
// digits and short enough, else spelled.
std::size_t SpeakDigitRun(const std::string& text, std::size_t head) {
  const std::size_t end = RunEnd(text, head, InNumberRun);
  const std::string run = text.substr(head, end - head);
  if (run.find('-') == std::string::npos && run.size() <= kLongestNumber) {
    SpeakNumberWords(NumberToWords(std::stoull(run)), false);
  } else {
    SpellLetters(run);
  }
  return end;
}

bool IsWww(std::string_view run) { return run.size() == 3 && run.find_first_not_of("wW") == std::string_view::npos; }

// A run of words for the translator. A run too long for it is taken in
// parts, cut after a blank where there is one, so nothing is left unsaid.
std::size_t SpeakPhraseRun(const std::string& text, std::size_t head) {
  std::size_t end = RunEnd(text, head, InPhraseSet);
  if (end - head > kLongestPhrase) {
    const std::size_t blank = text.rfind(' ', head + kLongestPhrase - 1);
    end = blank != std::string::npos && blank > head ? blank + 1 : head + kLongestPhrase;
  }
  const std::string run = text.substr(head, end - head);
  if (IsWww(run)) {
    SpellLetters(run);
  } else {
    TranslatorSpeak(TranslatorTranscribe(run), false);
  }
  // A hyphenated word goes on as a phrase.
  const bool hyphenJoins =
      end + 1 < text.size() && text[end] == '-' &&
      (IsAsciiLetter(static_cast<unsigned char>(text[end + 1])) || static_cast<unsigned char>(text[end + 1]) >= 128);
  return hyphenJoins ? end + 1 : end;
}

void SpeakHyphen(std::string_view rest) {
  const char next = rest.size() < 3 ? ' ' : rest[1];
  if (next == ' ' || next == '-') {
    PunctuationPause(rest);
  } else if (IsDigit(static_cast<unsigned char>(next))) {
    PlayMessageSound("_MENOS");
  } else {
    PlayLetterSound('-');
  }
}

// Any other character: a pause sign, a letter sound, or, said too often in
// a row, a click.
void SpeakSign(std::string_view rest, Repetition& repetition) {
  unsigned char c = static_cast<unsigned char>(rest.front());
  if (c != repetition.previous) {
    repetition.previous = c;
    repetition.count = 0;
  } else if (++repetition.count > kRepeatsSpoken) {
    PlayClick();
    c = ' ';
  }
  if (rest.front() == '-') {
    SpeakHyphen(rest);
  } else if (rest.starts_with("://")) {
    SpellLetters(rest.substr(0, 1));
  } else if (c == '(' || c == ')' || c == ',' || c == '.' || c == ':' || c == ';') {
    PunctuationPause(rest);
  } else if (IsTypographicMark(c)) {
    TypographicPause(c);
  } else if (c != ' ' && c != '\t' && !KeyPressed()) {
    PlayLetterSound(c);
  }
}

void SpeakWithoutServer(std::string_view input) {
  // The blank at the end closes the last run.
  const std::string text = std::string(input) + ' ';
  speech.stopRequested = false;
  Repetition repetition;
  std::size_t head = 0;
  while (!speech.stopRequested && head < text.size()) {
    if (KeyPressed()) {
      StopSpeech();
      return;
    }
    for (; text[head] == '0'; ++head) PlayMessageSound("_zero");
    const unsigned char c = static_cast<unsigned char>(text[head]);
    if (c >= '1' && c <= '9') {
      head = SpeakDigitRun(text, head);
    } else if (InPhraseSet(c)) {
      head = SpeakPhraseRun(text, head);
    } else {
      SpeakSign(std::string_view(text).substr(head), repetition);
      ++head;
    }
  }
}

}  // namespace

void SpeakText(std::string_view text) {
  ShowOnBrailleDisplay(text);
  if (!speech.started || speech.silent) return;
  // A server given up (also while the last text waited) leaves the
  // translator speaking.
  if (speech.serverActive && ServerAvailable()) WaitSpeechEnd();
  if (!speech.serverActive || !ServerAvailable()) {
    SpeakWithoutServer(text);
    return;
  }
  if (KeyPressed()) return;
  ServerSpeak(text);
  speech.pending = true;
}

void SpeakLetters(std::string_view text) {
  ShowOnBrailleDisplay(text);
  SpellLetters(text);
}

void PunctuationPause(std::string_view text) {
  if (text.empty() || KeyPressed()) return;
  WaitSpeechEnd();
  const char sign = text.front();
  PlayLetterSound(static_cast<unsigned char>(sign));
  const bool blankFollows = text.size() > 1 && text[1] == ' ';
  const SpeedSettings& s = speech.settings;
  if (sign == '(' || sign == ')' || sign == ':' || sign == ';') {
    PausePlayback(s.colonPause);
  } else if ((sign == ',' || sign == '-') && blankFollows) {
    PausePlayback(s.commaPause);
  } else if (sign == '.' && blankFollows) {
    PausePlayback(s.fullStopPause);
  }
}

void PausePlayback(int milliseconds) {
  for (int step = 0; step < milliseconds / kPauseStep; ++step) {
    if (!KeyPressed()) Delay(kPauseStep);
  }
}

void SpeakNumber(int number) { WriteAndSpeak(std::to_string(number)); }

void WriteAndSpeak(std::string_view text) {
  WriteToConsole(text);
  FlushConsole();
  SpeakText(text);
}

void WriteLineAndSpeak(std::string_view text) {
  WriteAndSpeak(text);
  WriteLineEnds(1);
  FlushConsole();
}
