// The speech server of every type but the own engine and speech-dispatcher:
// eSpeak NG with its Brazilian Portuguese voices. Text is synthesized piece
// by piece into the WAV playback, so the first sound comes at once whatever
// the length, a key stops it at once and the audio outputs record it.
#pragma once

#include <string_view>

// Voice number n (0 counts as 1) picks the n-th Portuguese voice, pt-br
// first; a number past the last picks pt-br. False when eSpeak NG cannot start.
bool StartEspeakServer(int voice, int rate, int pitch);
void EspeakSpeak(std::string_view text);
bool EspeakIsSpeaking();
void EspeakStop();
void CloseEspeakServer();
