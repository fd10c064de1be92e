// The console's tones: StartTone's looping square wave, built as a WAV
// image of one second at 11025 samples per second, and the short beep that
// stands for the system's default beep.
#pragma once

#include <string>

struct ToneState {
  int frequency = 0;   // the tone sounding now; 0 for none
  std::string image;   // its WAV image
};

extern ToneState toneState;

// The WAV image of StartTone's square wave; empty for a frequency outside
// 1..11025 Hz.
std::string MakeToneImage(int frequency);

// The system's default beep: a short square wave played once.
void PlayConsoleBeep();
