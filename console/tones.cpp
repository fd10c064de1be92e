#include "console/tones.h"

#include <string_view>

#include "console/console.h"
#include "platform/tone_output.h"
#include "platform/wav_format.h"

ToneState toneState;

namespace {

constexpr int kSampleRate = 11025;
constexpr int kBeepFrequency = 880;
constexpr int kBeepSamples = kSampleRate * 3 / 20;  // 150 ms

// Period k starts at sample k * 11025 div f and lasts until the next one:
// its first p div 2 samples (p = 11025 div f) are low, the rest high.
// Periods are written while the next one starts at most length - p in; the
// last sample is the midpoint, so the loop joins without a click.
std::string SquareWave(int frequency, int length) {
  const int period = kSampleRate / frequency;
  std::string samples;
  for (int k = 0;; ++k) {
    const long start = static_cast<long>(k) * kSampleRate / frequency;
    if (start > length - period) break;
    const long next = static_cast<long>(k + 1) * kSampleRate / frequency;
    for (long i = start; i < next; ++i) samples += static_cast<char>(i - start < period / 2 ? 96 : 160);
  }
  if (!samples.empty()) samples.back() = static_cast<char>(128);
  return samples;
}

bool IsToneFrequency(int frequency) { return frequency >= 1 && frequency <= kSampleRate; }

}  // namespace

std::string MakeToneImage(int frequency) {
  if (!IsToneFrequency(frequency)) return {};
  const std::string samples = SquareWave(frequency, kSampleRate);
  return PcmWavHeader({kSampleRate, 8, 1}, static_cast<std::uint32_t>(samples.size()), 1) + samples;
}

void StartTone(int frequency) {
  StopTone();
  std::string image = MakeToneImage(frequency);
  if (image.empty()) return;
  toneState.frequency = frequency;
  toneState.image = std::move(image);
  WavFormat format;
  std::string_view samples;
  if (FindWavImageSamples(toneState.image, format, samples)) PlayToneSamples(samples, format.samplesPerSecond, true);
}

void StopTone() {
  StopToneSamples();
  toneState = ToneState{};
}

void PlayConsoleBeep() { PlayToneSamples(SquareWave(kBeepFrequency, kBeepSamples), kSampleRate, false); }
