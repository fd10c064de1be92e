// Time from a key to silence on the SDL audio output. A long sound plays
// (four slots queued, the player polling every 10 ms for a free one); at a
// random moment a key arrives, as the window host would deliver it: noted at
// once, queued by the next event pump. Measured from the key to the reset of
// the output (its audio thread sends only silence from then on) and to the
// output being closed. Without a sound card SDL's dummy driver is used.
// Then the same for Ctrl+C in a whole relevix-cli speaking a long text (its
// sound on SDL's disk driver): from the signal to the process's end.
//
//   relevix_bench_playback_stop [ROUNDS]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "audio/wav_playback.h"
#include "bench/cli_sound_process.h"
#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<bool> keyArrived{false};
Clock::time_point keyTime;
Clock::time_point resetTime;
Clock::time_point closeTime;

// The SDL output with the moments of reset and close noted.
class TimedOutput final : public AudioOutput {
 public:
  explicit TimedOutput(std::unique_ptr<AudioOutput> inner) : inner_(std::move(inner)) {}
  int Open(const AudioFormat& format) override { return inner_->Open(format); }
  int Write(int slot, const unsigned char* data, int length) override { return inner_->Write(slot, data, length); }
  int Release(int slot) override { return inner_->Release(slot); }
  void Reset() override {
    inner_->Reset();
    resetTime = Clock::now();
  }
  void Close() override {
    inner_->Close();
    closeTime = Clock::now();
  }

 private:
  std::unique_ptr<AudioOutput> inner_;
};

// Delay as the window host does it: sleep, then pump, which queues a key
// that arrived meanwhile.
void HostDelay(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  if (keyArrived.exchange(false)) QueueKey(' ');
  PumpMessages();
}

bool SdlOutputOpens() {
  UseAudioOutput(std::make_unique<TimedOutput>(MakeSdlAudioOutput()));
  const bool opens = OpenAudioOutput({11025, 8, 1}, nullptr) == kAudioOk;
  CloseAudioOutput();
  return opens;
}

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-22s min %6.2f ms   median %6.2f ms   max %6.2f ms\n", what, times.front(), times[times.size() / 2],
              times.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  if (std::getenv("SDL_AUDIODRIVER") == nullptr && !SdlOutputOpens()) setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (!SdlOutputOpens()) {
    std::fprintf(stderr, "no SDL audio output\n");
    return 1;
  }
  std::printf("SDL audio driver: %s\n",
              std::getenv("SDL_AUDIODRIVER") != nullptr ? std::getenv("SDL_AUDIODRIVER") : "default");
  SetDelayHandler(HostDelay);

  // A minute of a 110 Hz square wave, 8-bit mono at 11025 Hz: seven pieces.
  std::vector<unsigned char> sound(60 * 11025);
  for (std::size_t i = 0; i < sound.size(); ++i) sound[i] = (i / 50) % 2 == 0 ? 96 : 160;

  std::mt19937 random(2024);
  std::uniform_int_distribution<int> moment(100, 400);
  std::vector<double> toSilence;
  std::vector<double> toClosed;
  for (int round = 0; round < rounds; ++round) {
    ClearKeyQueue();
    const int after = moment(random);
    std::thread keyboard([after] {
      std::this_thread::sleep_for(std::chrono::milliseconds(after));
      keyTime = Clock::now();
      keyArrived.store(true);
    });
    PlaySamples(sound.data(), static_cast<int>(sound.size()), 11025, 1, 8);
    keyboard.join();
    if (keyQueue.count == 0) {
      std::fprintf(stderr, "the sound ended before the key\n");
      return 1;
    }
    toSilence.push_back(Milliseconds(resetTime - keyTime));
    toClosed.push_back(Milliseconds(closeTime - keyTime));
  }
  std::printf("%d rounds, key at a random moment 100..400 ms into the sound\n", rounds);
  Report("key -> silence (reset)", toSilence);
  Report("key -> output closed", toClosed);

  std::string text;
  for (int i = 0; i < 40; ++i) text += "O programa abre o arquivo de texto e imprime as p\xE1ginas. ";
  std::vector<double> toEnd;
  for (int round = 0; round < std::min(rounds, 10); ++round) {
    CliSoundProcess process({"speak", text}, {8, 11025});
    if (!process.WaitForSound(10000)) {
      std::fprintf(stderr, "relevix-cli said nothing\n");
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
    int status = 0;
    const double seconds = process.SignalToEnd(SIGINT, 5000, status);
    if (seconds < 0 || status != 130) {
      std::fprintf(stderr, "relevix-cli did not end with 130 on Ctrl+C (status %d)\n", status);
      return 1;
    }
    toEnd.push_back(seconds * 1000);
  }
  std::printf("relevix-cli speak, Ctrl+C while it speaks (%zu rounds)\n", toEnd.size());
  Report("Ctrl+C -> process ended", toEnd);
  return 0;
}
