// The own engine with MBROLA and the br4 voice on long texts, into a WAV
// file as `relevix-cli speak-engine --wav` does; the argument is the number
// of words, taken from the start of a Portuguese prose text (the file that
// RELEVIX_BENCH_TEXT names, else Debian's fortunes-br collection):
//   SpeakIntoWavFile  the whole text spoken, with its time per 1,000 words,
//                     the time to the first samples in the file (first
//                     sound) and the program's peak memory so far;
// Time per word should not grow with the length, nor memory with it.
//
//   relevix_bench_engine_long_text [--benchmark_...]
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "tts/portuguese_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> ProseWords() {
  const char* chosen = std::getenv("RELEVIX_BENCH_TEXT");
  std::ifstream file(chosen != nullptr ? chosen : "/usr/share/games/fortunes/brasil");
  std::vector<std::string> words;
  for (std::string word; file >> word;) {
    if (word != "%" && word != "--") words.push_back(Windows1252FromUtf8(word));
  }
  return words;
}

// The first count words, the text read again from its start as often as
// needed.
std::string TextOf(const std::vector<std::string>& words, long count) {
  std::string text;
  for (long i = 0; i < count; ++i) text += words[static_cast<std::size_t>(i) % words.size()] + " ";
  return text;
}

long FileSize(const std::string& name) {
  struct stat info {};
  return stat(name.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void SpeakIntoWavFile(benchmark::State& state) {
  const std::vector<std::string> words = ProseWords();
  if (words.empty() || access("/usr/share/mbrola/br4/br4", R_OK) != 0) {
    state.SkipWithError("no prose text (fortunes-br) or no br4 voice");
    return;
  }
  const std::string text = TextOf(words, state.range(0));
  const char* tmp = std::getenv("TMPDIR");
  const std::string wav = JoinPath(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp", "relevix-bench-engine.wav");
  double firstSound = 0, seconds = 0;
  for (auto _ : state) {
    TtsSetOutputFile(wav);
    const std::string data = JoinPath(DataDirectory(), "tavelatts/");
    if (!TtsStart("br4", data + "portug.nrl", data + "portug.exc", data + "portug.abr", data + "portug.pro",
                  data + "portug.dfn")) {
      state.SkipWithError("the engine does not start");
      return;
    }
    const auto start = Clock::now();
    auto spoken = std::async(std::launch::async, [&text] { return TtsSpeak(text); });
    while (FileSize(wav) <= 44 && spoken.wait_for(std::chrono::microseconds(200)) != std::future_status::ready) {
    }
    firstSound = std::chrono::duration<double>(Clock::now() - start).count();
    const bool ok = spoken.get();
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.SetIterationTime(seconds);
    TtsClose();
    TtsSetOutputFile("");
    if (!ok) state.SkipWithError("TtsSpeak failed");
  }
  unlink(wav.c_str());
  state.counters["s_per_1000_words"] = seconds * 1000.0 / static_cast<double>(state.range(0));
  state.counters["first_sound_s"] = firstSound;
  state.counters["peak_MB"] = PeakMegabytes();
}

}  // namespace

BENCHMARK(SpeakIntoWavFile)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Arg(8000)
    ->Arg(15000)
    ->Arg(66000);

BENCHMARK_MAIN();
