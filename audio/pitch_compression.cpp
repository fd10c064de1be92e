#include "audio/pitch_compression.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Search windows in samples: where the first peak is looked for, how far
// past a peak the next one can start, and how wide its window is. Sized for
// speaking voices (about 80 to 140 Hz).
struct PeakWindows {
  int start;
  int skip;
  int span;
};

constexpr int kShortestPiece = 1000;
constexpr int kSilence = 128;
constexpr int kNearSilence = 20;

// The first largest sample among first..last, the window cut at the end of
// the buffer.
int PeakPosition(const unsigned char* buffer, int length, int first, int last) {
  last = std::min(last, length - 1);
  const unsigned char* peak = std::max_element(buffer + first, buffer + last + 1);
  return static_cast<int>(peak - buffer);
}

}  // namespace

int CompressPitchPeriods(unsigned char* buffer, int length, int bitsPerSample, int samplesPerSecond) {
  if (bitsPerSample == 16) {
    length /= 2;
    for (int i = 0; i < length; ++i) buffer[i] = static_cast<unsigned char>(buffer[2 * i + 1] + 128);
  }
  if (length < kShortestPiece) return length;
  const PeakWindows windows = samplesPerSecond == 11025 ? PeakWindows{200, 80, 50} : PeakWindows{800, 320, 200};
  // A piece too short to hold the first window is left as it is.
  if (windows.start >= length) return length;

  int p = PeakPosition(buffer, length, windows.start, windows.start + windows.skip + windows.span);
  int w = p;
  while (p < length - 2 * (windows.skip + windows.span)) {
    const int q = PeakPosition(buffer, length, p + windows.skip, p + windows.skip + windows.span);
    const int r = PeakPosition(buffer, length, q + windows.skip, q + windows.skip + windows.span);
    // The period p..q is dropped; q..r is kept.
    std::memmove(buffer + w, buffer + q, static_cast<std::size_t>(r - q + 1));
    w += r - q + 1;
    p = r;
  }
  // The tail follows until the sample at the write position is near
  // silence, so the piece ends at a quiet point.
  while (p < length && std::abs(buffer[w] - kSilence) > kNearSilence) buffer[w++] = buffer[p++];
  return w;
}
