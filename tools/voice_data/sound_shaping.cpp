#include "tools/voice_data/sound_shaping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr int kQuietLevel = 64;  // eSpeak's pauses are digital silence
constexpr int kMarginMs = 3;
constexpr int kLoudnessWindowMs = 5;
constexpr double kVowelLevel = 4000;  // RMS of eSpeak's vowels
constexpr double kMaxBoost = 4.0;
constexpr int kFilterTaps = 41;
constexpr double kCutoff = 0.225;  // of the input rate: just under the new Nyquist frequency

std::size_t ToIndex(int ms, int sampleRate, std::size_t size) {
  const long index = std::lround(static_cast<double>(ms) * sampleRate / 1000.0);
  return std::min<std::size_t>(static_cast<std::size_t>(std::max(0L, index)), size);
}

std::vector<double> LowPassTaps() {
  std::vector<double> taps(kFilterTaps);
  const int middle = kFilterTaps / 2;
  double sum = 0;
  for (int i = 0; i < kFilterTaps; ++i) {
    const double x = i - middle;
    const double sinc = x == 0 ? 2 * kCutoff : std::sin(2 * std::numbers::pi * kCutoff * x) / (std::numbers::pi * x);
    const double window = 0.54 - 0.46 * std::cos(2 * std::numbers::pi * i / (kFilterTaps - 1));
    taps[static_cast<std::size_t>(i)] = sinc * window;
    sum += taps[static_cast<std::size_t>(i)];
  }
  for (double& tap : taps) tap /= sum;
  return taps;
}

short Clamp16(double value) { return static_cast<short>(std::clamp(std::lround(value), -32768L, 32767L)); }

}  // namespace

std::vector<short> CutMilliseconds(const std::vector<short>& samples, int sampleRate, int fromMs, int toMs) {
  const std::size_t from = ToIndex(fromMs, sampleRate, samples.size());
  const std::size_t to = toMs < 0 ? samples.size() : ToIndex(toMs, sampleRate, samples.size());
  return from < to ? std::vector<short>(samples.begin() + static_cast<long>(from), samples.begin() + static_cast<long>(to))
                   : std::vector<short>();
}

std::vector<short> TrimSilence(const std::vector<short>& samples, int sampleRate) {
  const auto loud = [](short s) { return std::abs(static_cast<int>(s)) >= kQuietLevel; };
  const auto first = std::find_if(samples.begin(), samples.end(), loud);
  if (first == samples.end()) return {};
  const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
  const long margin = static_cast<long>(sampleRate) * kMarginMs / 1000;
  const auto begin = first - std::min(margin, first - samples.begin());
  const auto end = last + std::min(margin, samples.end() - last);
  return std::vector<short>(begin, end);
}

void EvenOutLoudness(std::vector<short>& samples, int sampleRate) {
  const std::size_t window = static_cast<std::size_t>(sampleRate * kLoudnessWindowMs / 1000);
  std::vector<double> power(samples.size() + 1, 0.0);  // running sums of squares
  for (std::size_t i = 0; i < samples.size(); ++i) power[i + 1] = power[i] + double(samples[i]) * samples[i];
  std::vector<short> evened(samples.size());
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const std::size_t from = i > window ? i - window : 0;
    const std::size_t to = std::min(samples.size(), i + window);
    const double level = std::sqrt((power[to] - power[from]) / static_cast<double>(to - from));
    const double gain = std::clamp(std::sqrt(kVowelLevel / std::max(level, 1.0)), 1.0, kMaxBoost);
    evened[i] = Clamp16(samples[i] * gain);
  }
  samples = std::move(evened);
}

std::vector<short> HalveRate(const std::vector<short>& samples) {
  static const std::vector<double> taps = LowPassTaps();
  const long middle = kFilterTaps / 2;
  std::vector<short> halved;
  halved.reserve(samples.size() / 2 + 1);
  for (long i = 0; i < static_cast<long>(samples.size()); i += 2) {
    double sum = 0;
    for (long t = 0; t < kFilterTaps; ++t) {
      const long at = i + t - middle;
      if (at >= 0 && at < static_cast<long>(samples.size())) sum += taps[static_cast<std::size_t>(t)] * samples[static_cast<std::size_t>(at)];
    }
    halved.push_back(Clamp16(sum));
  }
  return halved;
}

void FadeEnds(std::vector<short>& samples, int sampleRate, int fadeMs) {
  const std::size_t length = std::min<std::size_t>(samples.size() / 2, static_cast<std::size_t>(sampleRate * fadeMs / 1000));
  for (std::size_t i = 0; i < length; ++i) {
    const double gain = static_cast<double>(i) / static_cast<double>(length);
    samples[i] = Clamp16(samples[i] * gain);
    samples[samples.size() - 1 - i] = Clamp16(samples[samples.size() - 1 - i] * gain);
  }
}

int PeakOf(const std::vector<short>& samples) {
  int peak = 0;
  for (short s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

std::string ToUnsigned8(const std::vector<short>& samples, double gain) {
  std::string bytes;
  bytes.reserve(samples.size());
  for (short s : samples) bytes += static_cast<char>(std::clamp(128L + std::lround(s * gain / 256.0), 0L, 255L));
  return bytes;
}
