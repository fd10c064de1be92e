// The translator's program-wide record, shared by its source files: the
// loaded data, the open samples file, the output buffer and the settings.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tts/diphone_index.h"
#include "tts/translator_probe.h"

// One letter-to-sound rule: left context, the letters it consumes, right
// context and the phonetic text it emits.
struct TranslatorRule {
  std::string left;
  std::string middle;
  std::string right;
  std::string output;
};

// Rules in file order, one list per first character of the middle part
// (codes 32 to 95).
inline constexpr int kFirstRuleCode = 32;
inline constexpr int kLastRuleCode = 95;
using TranslatorRules = std::array<std::vector<TranslatorRule>, kLastRuleCode - kFirstRuleCode + 1>;

// Whole-word respellings, sorted by word.
using TranslatorExceptions = std::vector<std::pair<std::string, std::string>>;

// The output buffer is a WAV image of this size: the header, then samples.
inline constexpr std::size_t kOutputBufferSize = 64000;
inline constexpr std::size_t kWavHeaderSize = 44;
inline constexpr std::size_t kMaxSoundBytes = kOutputBufferSize - kWavHeaderSize;

struct TranslatorState {
  std::string databaseName = "DIFONES2";
  std::string lettersFolder;  // system path ending in a separator
  std::vector<DiphoneRecord> index;
  std::FILE* samples = nullptr;
  TranslatorRules rules;
  TranslatorExceptions exceptions;
  std::string buffer;  // kOutputBufferSize bytes while started, else empty
  std::size_t writePosition = kWavHeaderSize;
  int mode = 1;
  int trimAmount = 400;
  int minimumUnitLength = 0;
  int wordGap = 100;
  std::minstd_rand noise;
  TranslatorImageSink imageSink = nullptr;
  TranslatorUnitObserver unitObserver = nullptr;
};

extern TranslatorState translator;
