// The translator's letter-to-sound rules on one word made of a long run of
// vowels with accent marks, the worst case for the vowel contexts: the time
// per word should grow in proportion to its length.
//
//   relevix_bench_translator_rules [--benchmark_...]
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/paths.h"
#include "tts/translator_rules.h"

namespace {

const TranslatorRules& Rules() {
  static TranslatorRules rules = [] {
    TranslatorRules loaded;
    if (!LoadTranslatorRules(JoinPath(DataDirectory(), "som/difones/regras.rgr"), loaded)) std::abort();
    return loaded;
  }();
  return rules;
}

void ApplyToAVowelRun(benchmark::State& state) {
  std::string word;
  while (word.size() < static_cast<std::size_t>(state.range(0))) word += "E'I";
  for (auto _ : state) benchmark::DoNotOptimize(ApplyTranslatorRules(Rules(), word));
  state.SetComplexityN(state.range(0));
}

BENCHMARK(ApplyToAVowelRun)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

}  // namespace

BENCHMARK_MAIN();
