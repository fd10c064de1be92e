#include "tts/translator_output.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "audio/wav_playback.h"
#include "console/console_events.h"
#include "platform/paths.h"
#include "tts/letter_sound.h"
#include "tts/translator_state.h"
#include "tts/translator_words.h"

namespace {

constexpr int kSampleRate = 11025;
constexpr int kSilenceBlock = 100;
constexpr unsigned char kSilence = 128;
constexpr std::size_t kNoiseBytes = 300;
constexpr int kLowestNoise = 88;
constexpr int kNoiseValues = 80;  // 88..167
constexpr int kPlaybackPollMilliseconds = 20;

// Makes room for n more bytes: when they would reach the end of the buffer,
// what it holds is played first.
void MakeRoom(std::size_t n) {
  if (translator.writePosition + n >= kOutputBufferSize) PlayOutputBuffer();
}

void AppendBytes(std::string_view bytes) {
  const std::size_t n = std::min(bytes.size(), kMaxSoundBytes);
  MakeRoom(n);
  std::copy_n(bytes.data(), n, translator.buffer.begin() + static_cast<long>(translator.writePosition));
  translator.writePosition += n;
}

void AppendNoise() {
  std::string noise(kNoiseBytes, '\0');
  for (char& sample : noise) sample = static_cast<char>(kLowestNoise + translator.noise() % kNoiseValues);
  AppendBytes(noise);
}

// Reads n samples of the samples file straight into the buffer; a record
// that points past the end of the file gives only what is there.
void AppendFromSamplesFile(std::uint32_t offset, std::size_t n) {
  n = std::min(n, kMaxSoundBytes);
  if (n == 0 || translator.samples == nullptr) return;
  MakeRoom(n);
  if (std::fseek(translator.samples, static_cast<long>(offset), SEEK_SET) != 0) return;
  translator.writePosition +=
      std::fread(translator.buffer.data() + translator.writePosition, 1, n, translator.samples);
}

void AppendLetterSound(std::string_view name) {
  const std::string path = translator.lettersFolder + std::string(name) + ".wav";
  AppendBytes(ReadLetterSoundSamples(LinuxPath(path)));
}

// Trim and minimum length apply to unstressed units of three or more
// characters; a unit shorter than the minimum keeps its own length.
std::size_t UnitLength(const DiphoneRecord& record, std::string_view name, int mode) {
  const long length = record.sampleCount;
  if (mode == 2 || name.size() < 3) return static_cast<std::size_t>(length);
  const long trimmed = std::max(0L, length - translator.trimAmount);
  return static_cast<std::size_t>(std::max(trimmed, std::min<long>(length, translator.minimumUnitLength)));
}

std::string Upper(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

bool IsPhoneticVowel(char c) { return IsWordVowel(c) || c == 'w' || c == 'y'; }

void SynthUnitWithin(std::string_view name, int mode, double factor, bool report);

// A unit absent from the index: a vowel at the end is split off; a nasal
// form "CIRC" is split off with its vowel; a "TIL" form becomes the "CIRC"
// form (none after I or U) followed by a nasal murmur; anything else of
// three or more characters is skipped.
void RebuildUnit(std::string_view name, int mode, double factor) {
  const double shorter = factor * 0.9;
  if (name.size() <= 2) {
    AppendNoise();
  } else if (IsPhoneticVowel(name.back())) {
    SynthUnitWithin(name.substr(0, name.size() - 1), mode, shorter, false);
    SynthUnitWithin("$" + std::string(1, name.back()), mode, factor, false);
  } else if (name.size() >= 7 && Upper(name).ends_with("CIRC")) {
    SynthUnitWithin(name.substr(0, name.size() - 5), mode, shorter, false);
    SynthUnitWithin("$" + std::string(name.substr(name.size() - 5)), mode, factor, false);
  } else if (name.size() > 3 && Upper(name).ends_with("TIL")) {
    const std::string_view base = name.substr(0, name.size() - 3);
    const char vowel = AsciiUpper(base.back());
    const std::string nasal = std::string(base) + (vowel == 'I' || vowel == 'U' ? "" : "CIRC");
    SynthUnitWithin(nasal, 2, shorter, false);
    SynthUnitWithin("$nn", 1, 0.9, false);
  }
}

void SynthUnitWithin(std::string_view name, int mode, double factor, bool report) {
  if (name.starts_with('_')) {
    AppendLetterSound(name);
    return;
  }
  const std::string key = Upper(name);
  const DiphoneRecord* record = FindDiphone(translator.index, key);
  if (report && translator.unitObserver != nullptr) translator.unitObserver(key, record != nullptr);
  if (record == nullptr) {
    RebuildUnit(name, mode, factor);
    return;
  }
  const double bytes = std::trunc(static_cast<double>(UnitLength(*record, name, mode)) * factor);
  AppendFromSamplesFile(record->offset, static_cast<std::size_t>(std::max(0.0, bytes)));
}

}  // namespace

void SynthUnit(std::string_view name, int mode, double factor) { SynthUnitWithin(name, mode, factor, true); }

void AppendSilence(int bytes) {
  const std::string block(kSilenceBlock, static_cast<char>(kSilence));
  for (int blocks = bytes / kSilenceBlock; blocks > 0; --blocks) AppendBytes(block);
}

void PlayOutputBuffer() {
  if (translator.writePosition <= kWavHeaderSize) return;
  const std::string_view samples(translator.buffer.data() + kWavHeaderSize, translator.writePosition - kWavHeaderSize);
  const std::string image = MakeWavImage(samples, kSampleRate, 1, 8);
  translator.writePosition = kWavHeaderSize;
  if (translator.imageSink != nullptr) {
    translator.imageSink(image);
    return;
  }
  PlayWavImage(image);
  while (IsPlaying()) WaitForMessages(kPlaybackPollMilliseconds);
}
