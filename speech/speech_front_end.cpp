#include "speech/speech.h"

#include <string>

#include "console/console.h"

namespace {
bool speechStarted = false;
}

bool SpeechStarted() { return speechStarted; }

void SpeakText(std::string_view) {}

bool HasMessageSound(std::string_view) { return false; }

void PlayMessageSound(std::string_view) {}

void SpeakNumber(int number) {
  const std::string digits = std::to_string(number);
  WriteToConsole(digits);
  FlushConsole();
  SpeakText(digits);
}

void WriteAndSpeak(std::string_view text) {
  WriteToConsole(text);
  FlushConsole();
  SpeakText(text);
}

void WriteLineAndSpeak(std::string_view text) {
  WriteToConsole(text);
  WriteLineEnds(1);
  FlushConsole();
  SpeakText(text);
}

bool IsSpeaking() { return false; }

void ShutdownSpeech() { speechStarted = false; }
