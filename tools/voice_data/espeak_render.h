// Speech rendered by eSpeak NG (voice pt-br) for the voice data: the
// samples and where each phoneme begins.
#pragma once

#include <string>
#include <vector>

struct PhonemeMark {
  std::string name;
  int millisecond = 0;
};

struct RenderedSpeech {
  std::vector<short> samples;  // 16-bit mono at sampleRate
  int sampleRate = 0;
  std::vector<PhonemeMark> phonemes;  // pauses left out
};

// False when eSpeak NG or its Brazilian voice cannot be set up.
bool StartEspeak(int wordsPerMinute);
// Text in UTF-8; "[[...]]" holds eSpeak phoneme mnemonics.
RenderedSpeech RenderSpeech(const std::string& text);
void StopEspeak();
