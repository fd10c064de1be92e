// Turning eSpeak's 16-bit 22050 Hz speech into the translator's sound:
// cut to a unit, silence trimmed, faded at both ends, halved in rate and
// made 8-bit unsigned.
#pragma once

#include <string>
#include <vector>

// The samples from one millisecond to another (a negative end: the end).
std::vector<short> CutMilliseconds(const std::vector<short>& samples, int sampleRate, int fromMs, int toMs);
// Without the quiet at both ends (a few milliseconds of margin are kept).
std::vector<short> TrimSilence(const std::vector<short>& samples, int sampleRate);
// Quiet stretches (fricatives, bursts) raised towards the level of the
// vowels, so that 8-bit samples still carry them.
void EvenOutLoudness(std::vector<short>& samples, int sampleRate);
// Low-pass filtered and every other sample kept.
std::vector<short> HalveRate(const std::vector<short>& samples);
// Linear fades of the given length at the start and the end.
void FadeEnds(std::vector<short>& samples, int sampleRate, int fadeMs);
int PeakOf(const std::vector<short>& samples);
// 8-bit unsigned (128 is silence) after the gain.
std::string ToUnsigned8(const std::vector<short>& samples, double gain);
