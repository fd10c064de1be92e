// What a user hears of the speech paths, on the SDL audio output (SDL's
// dummy driver without a sound card). The paths, by number: 0 the diphone
// translator alone (speak-translator), 1 the speech front end with no server
// (speak, the default voice), 3 the own engine with MBROLA, 4 eSpeak NG.
//   SpeakToFirstSample  from handing over a text of 20 or 2,000 words to its
//                       first samples handed to the output (for the
//                       translator, its transcription included);
//   ProcessToFirstSound the whole process as a user starts it: from starting
//                       relevix-cli to the first non-silent sample coming out
//                       of SDL's disk driver; at_driver_ms is the same less
//                       the wait in the driver's 4096-byte write block;
//   KeyToSilence        servers 3 and 4: from a key, arriving at a random
//                       moment of a long text and queued by the next event
//                       pump as the window host does, to the output's reset
//                       (silence from then; relevix_bench_playback_stop times
//                       the same for the translator's playback);
//   StopToSilence       servers 3 and 4: from ServerStop, called while the end
//                       of a text still plays, to the output's reset.
//
//   relevix_bench_speech_server [--benchmark_...]
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "console/console.h"
#include "console/console_events.h"
#include "console/key_queue.h"
#include "bench/cli_sound_process.h"
#include "platform/audio_output.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "speech/speech.h"
#include "speech/speech_server.h"
#include "tts/translator.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTranslatorPath = 0;
constexpr int kFrontEndPath = 1;

constexpr const char* kSentence = "Bom dia, o arquivo foi impresso sem erros.";
// Five sentences of twenty words each; a text of n words takes them in turn.
constexpr const char* kTwentyWordSentences[] = {
    "O programa abre o arquivo de texto, divide as linhas em p\xE1ginas de Braille e envia tudo para a impressora.",
    "Cada folha sai com o t\xEDtulo no alto, o n\xFAmero da p\xE1gina e as linhas cortadas no fim das s\xEDlabas.",
    "Quem ouve o programa sabe sempre em que ponto est\xE1, porque cada pergunta e cada resposta tamb\xE9m s\xE3o faladas.",
    "A leitura continua pela tarde inteira, e ningu\xE9m na casa reclama do barulho da impressora que trabalha sem parar.",
    "Depois do jantar, o menino pega as folhas ainda quentes e passa os dedos devagar sobre os pontos em relevo.",
};
constexpr const char* kLongText =
    "O programa l\xEA o arquivo de texto, divide as linhas em p\xE1ginas de Braille, separa as s\xEDlabas no fim "
    "das linhas e envia tudo para a impressora, quantas c\xF3pias o usu\xE1rio pedir.";

std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count / 20; ++i) text += std::string(kTwentyWordSentences[i % 5]) + " ";
  return text;
}

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
    // The first sound is all that is timed: a key ends the text.
    if (stopAtFirstSound) QueueKey(' ');
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

// The output once for all benchmarks; the path asked for, started when
// another path ran before: the translator and the front end with the
// installed settings (no server), a server of its type.
bool Prepare(int path) {
  static const bool outputReady = [] {
    if (std::getenv("SDL_AUDIODRIVER") == nullptr && !SdlOutputOpens()) setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!SdlOutputOpens()) return false;
    SetDelayHandler(HostDelay);
    SetSuiteSettingsFile(JoinPath(DataDirectory(), "SONARA.INI"));
    return true;
  }();
  static int startedPath = -1;
  if (!outputReady) return false;
  if (startedPath == path) return true;
  if (startedPath == kTranslatorPath || startedPath == kFrontEndPath) ShutdownSpeech();
  if (startedPath > kFrontEndPath) CloseSpeechServer();
  bool started;
  if (path == kTranslatorPath || path == kFrontEndPath) {
    started = StartSpeech(0, "") == 0;
  } else {
    started = StartSpeechServer(1, 0, 0, "", path);
  }
  startedPath = started ? path : -1;
  return started;
}

// Hands the text to the path; returns at the first key (or the text's end).
void SpeakOn(int path, const std::string& text) {
  if (path == kTranslatorPath) {
    TranslatorSpeak(TranslatorTranscribe(text), false);
  } else if (path == kFrontEndPath) {
    SpeakText(text);
  } else {
    ServerSpeak(text);
  }
}

void StopOn(int path) {
  if (path == kTranslatorPath || path == kFrontEndPath) {
    StopSpeech();
  } else {
    ServerStop();
  }
}

void SpeakToFirstSample(benchmark::State& state) {
  const int path = static_cast<int>(state.range(0));
  if (!Prepare(path)) return state.SkipWithError("no audio output or no such path");
  const std::string text = Words(static_cast<int>(state.range(1)));
  for (auto _ : state) {
    ClearKeyQueue();
    firstWrite = {};
    stopAtFirstSound = true;
    const auto start = Clock::now();
    SpeakOn(path, text);
    stopAtFirstSound = false;
    if (firstWrite == Clock::time_point{}) return state.SkipWithError("nothing reached the output");
    state.SetIterationTime(Seconds(firstWrite - start));
    StopOn(path);
  }
  ClearKeyQueue();
}

// relevix-cli's command line for a path, with a settings file that chooses
// it, and the format its voice plays in.
struct ProcessPath {
  std::vector<std::string> arguments;
  CliSoundFormat format;
};

ProcessPath ProcessPathOf(int path, const std::string& text) {
  if (path == kTranslatorPath) return {{"speak-translator", text}, {8, 11025}};
  const std::string settings = (std::filesystem::temp_directory_path() / "relevix-bench-fala.ini").string();
  std::ofstream(settings) << "[TRADUTOR]\nSAPI=" << (path == kFrontEndPath ? "N" : "S") << "\n[SERVFALA]\nTIPOSAPI="
                          << path << "\n";
  const CliSoundFormat format = path == kFrontEndPath ? CliSoundFormat{8, 11025}
                                : path == 3            ? CliSoundFormat{16, 32000}
                                                       : CliSoundFormat{16, 44100};
  return {{"speak", "--settings", settings, text}, format};
}

void ProcessToFirstSound(benchmark::State& state) {
  const int path = static_cast<int>(state.range(0));
  const ProcessPath run = ProcessPathOf(path, Words(static_cast<int>(state.range(1))));
  double atDriver = 0;
  for (auto _ : state) {
    CliSoundProcess process(run.arguments, run.format);
    if (!process.WaitForSound(10000)) return state.SkipWithError("no sound from relevix-cli within 10 s");
    state.SetIterationTime(process.firstSound);
    atDriver += process.atDriver;
  }
  state.counters["at_driver_ms"] = benchmark::Counter(atDriver * 1000, benchmark::Counter::kAvgIterations);
}

void KeyToSilence(benchmark::State& state) {
  if (!Prepare(static_cast<int>(state.range(0)))) return state.SkipWithError("no audio output or no such path");
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
  if (!Prepare(static_cast<int>(state.range(0)))) return state.SkipWithError("no audio output or no such path");
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

BENCHMARK(SpeakToFirstSample)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->ArgsProduct({{kTranslatorPath, kFrontEndPath, 3, 4}, {20, 2000}});
BENCHMARK(ProcessToFirstSound)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->ArgsProduct({{kTranslatorPath, kFrontEndPath, 3, 4}, {20, 2000}});
BENCHMARK(KeyToSilence)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Arg(3)->Arg(4);
BENCHMARK(StopToSilence)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Arg(3)->Arg(4);

}  // namespace

BENCHMARK_MAIN();
