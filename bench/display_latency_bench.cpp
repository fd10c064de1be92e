// The time from a message being spoken to its being shown on the Braille
// display: a real BRLTTY with its virtual driver, a 40-cell display played
// by this program, and SpeakText (which shows, then speaks) timed until the
// display receives the frame holding the text.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "braille_display/braille_display.h"
#include "speech/speech.h"
#include "tests/virtual_braille_display.h"

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  VirtualBrailleDisplay display;
  if (!display.Start()) {
    std::fputs("BRLTTY with the virtual driver could not be started\n", stderr);
    return 1;
  }
  setenv("BRLAPI_HOST", display.Environment().substr(std::string("BRLAPI_HOST=").size()).c_str(), 1);
  if (!StartBrailleDisplay()) {
    std::fputs("the display could not be taken\n", stderr);
    return 1;
  }
  using Clock = std::chrono::steady_clock;
  std::vector<double> milliseconds;
  int after = display.FrameCount() - 1;
  for (int round = 0; round < rounds; ++round) {
    const std::string text = "Mensagem " + std::to_string(round);
    const Clock::time_point spoken = Clock::now();
    SpeakText(text);
    after = display.WaitForText(text + " ", after, 5);
    if (after < 0) {
      std::fprintf(stderr, "round %d: the text never reached the display\n", round);
      return 1;
    }
    milliseconds.push_back(std::chrono::duration<double, std::milli>(Clock::now() - spoken).count());
  }
  std::ranges::sort(milliseconds);
  std::printf("spoken to shown, %d messages: median %.2f ms, 95th percentile %.2f ms, worst %.2f ms\n", rounds,
              milliseconds[milliseconds.size() / 2], milliseconds[milliseconds.size() * 95 / 100],
              milliseconds.back());
  StopBrailleDisplay();
  return 0;
}
