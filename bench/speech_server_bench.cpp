// What a user hears of the speech servers that play through the program's
// own audio output, the own engine with MBROLA (type 3) and eSpeak NG (type
// 4, as any type but 3, 5 and 54), on the SDL audio output (SDL's dummy
// driver without a sound card); the argument of each benchmark is the type:
//   SpeakToFirstSample  from ServerSpeak of a one-sentence text to the first
//                       samples handed to the output;
//   KeyToSilence        from a key, arriving at a random moment of a long
//                       text and queued by the next event pump as the window
//                       host does, to the output's reset (silence from then);
//   StopToSilence       from ServerStop, called while the end of a text still
//                       plays, to the output's reset.
//
//   relevix_bench_speech_server [--benchmark_...]
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <thread>

#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"
#include "speech/speech_server.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kSentence = "Bom dia, o arquivo foi impresso sem erros.";
constexpr const char* kLongText =
    "O programa l\xEA o arquivo de texto, divide as linhas em p\xE1ginas de Braille, separa as s\xEDlabas no fim "
    "das linhas e envia tudo para a impressora, quantas c\xF3pias o usu\xE1rio pedir.";

std::atomic<bool> keyArrived{false};
Clock::time_point firstWrite;
Clock::time_point resetTime;
bool stopAtFirstSound = false;

// The SDL output with the first write and the reset noted.
class TimedOutput final : public AudioOutput {
 public:
  explicit TimedOutput(std::unique_ptr<AudioOutput> inner) : inner_(std::move(inner)) {}
  int Open(const AudioFormat& format) override { return inner_->Open(format); }
  int Write(int slot, const unsigned char* data, int length) override {
    if (firstWrite == Clock::time_point{}) firstWrite = Clock::now();
    return inner_->Write(slot, data, length);
  }
  int Release(int slot) override { return inner_->Release(slot); }
  void Reset() override {
    inner_->Reset();
    resetTime = Clock::now();
  }
  void Close() override { inner_->Close(); }

 private:
  std::unique_ptr<AudioOutput> inner_;
};

// Delay as the window host does it: sleep, then pump, which queues a key
// that arrived meanwhile.
void HostDelay(int milliseconds) {
  if (stopAtFirstSound && firstWrite != Clock::time_point{}) QueueKey(' ');
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  if (keyArrived.exchange(false)) QueueKey(' ');
  PumpMessages();
}

bool SdlOutputOpens() {
  UseAudioOutput(std::make_unique<TimedOutput>(MakeSdlAudioOutput()));
  const bool opens = OpenAudioOutput({22050, 16, 1}, nullptr) == kAudioOk;
  CloseAudioOutput();
  return opens;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The output once for all benchmarks; the server of the type asked for,
// started when another type runs.
bool Prepare(int type) {
  static const bool outputReady = [] {
    if (std::getenv("SDL_AUDIODRIVER") == nullptr && !SdlOutputOpens()) setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!SdlOutputOpens()) return false;
    SetDelayHandler(HostDelay);
    return true;
  }();
  static int startedType = 0;
  if (!outputReady) return false;
  if (startedType == type) return true;
  if (startedType != 0) CloseSpeechServer();
  startedType = StartSpeechServer(1, 0, 0, "", type) ? type : 0;
  return startedType == type;
}

void SpeakToFirstSample(benchmark::State& state) {
  if (!Prepare(static_cast<int>(state.range(0)))) return state.SkipWithError("no audio output or no such server");
  for (auto _ : state) {
    ClearKeyQueue();
    firstWrite = {};
    stopAtFirstSound = true;
    const auto start = Clock::now();
    ServerSpeak(kSentence);
    stopAtFirstSound = false;
    if (firstWrite == Clock::time_point{}) return state.SkipWithError("nothing reached the output");
    state.SetIterationTime(Seconds(firstWrite - start));
    ServerStop();
  }
  ClearKeyQueue();
}

void KeyToSilence(benchmark::State& state) {
  if (!Prepare(static_cast<int>(state.range(0)))) return state.SkipWithError("no audio output or no such server");
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> moment(300, 900);
  for (auto _ : state) {
    ClearKeyQueue();
    resetTime = {};
    Clock::time_point keyTime;
    const int after = moment(random);
    std::thread keyboard([after, &keyTime] {
      std::this_thread::sleep_for(std::chrono::milliseconds(after));
      keyTime = Clock::now();
      keyArrived.store(true);
    });
    ServerSpeak(kLongText);
    while (ServerIsSpeaking(false)) Delay(10);
    keyboard.join();
    if (resetTime < keyTime) return state.SkipWithError("the text ended before the key");
    state.SetIterationTime(Seconds(resetTime - keyTime));
  }
  ClearKeyQueue();
}

void StopToSilence(benchmark::State& state) {
  if (!Prepare(static_cast<int>(state.range(0)))) return state.SkipWithError("no audio output or no such server");
  for (auto _ : state) {
    ClearKeyQueue();
    resetTime = {};
    ServerSpeak(kSentence);  // returns with the last pieces still playing
    const auto stop = Clock::now();
    ServerStop();
    if (resetTime < stop) return state.SkipWithError("the text ended before the stop");
    state.SetIterationTime(Seconds(resetTime - stop));
  }
}

BENCHMARK(SpeakToFirstSample)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Arg(3)->Arg(4);
BENCHMARK(KeyToSilence)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Arg(3)->Arg(4);
BENCHMARK(StopToSilence)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Arg(3)->Arg(4);

}  // namespace

BENCHMARK_MAIN();
