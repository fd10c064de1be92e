// Renders the diphone translator's voice data with eSpeak NG: the unit
// index and samples (DIFONES2.IND, DIFONES2.DIF) and the letter sounds
// (_CODE.wav), all 8-bit unsigned mono at 11025 Hz.
//   relevix_make_voice_data UNITS LETTERS OUTPUT_DIR
// writes OUTPUT_DIR/difones and OUTPUT_DIR/letras.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/wav_format.h"
#include "tools/voice_data/espeak_render.h"
#include "tools/voice_data/sound_shaping.h"
#include "tools/voice_data/unit_inventory.h"
#include "tts/diphone_index.h"

namespace {

constexpr int kWordsPerMinute = 175;
constexpr int kOutputRate = 11025;
constexpr int kFadeMs = 4;
constexpr double kTargetPeak = 0.9 * 32767;
constexpr double kMaxGain = 4.0;
constexpr std::size_t kMaxSamples = 63956;  // what one output buffer of the translator holds

// The samples of one sound at 11025 Hz, 16-bit; empty when nothing audible is
// left after the cut.
std::vector<short> Shape(const SoundToRender& sound) {
  // The same text is rendered once, so units that sound alike share samples.
  static std::map<std::string, RenderedSpeech> rendered;
  auto known = rendered.find(sound.speech);
  if (known == rendered.end()) known = rendered.emplace(sound.speech, RenderSpeech(sound.speech)).first;
  const RenderedSpeech& speech = known->second;
  std::vector<short> samples = speech.samples;
  if (sound.fromPhoneme >= 0) {
    const auto mark = [&](int index) {
      return index >= 0 && index < static_cast<int>(speech.phonemes.size())
                 ? speech.phonemes[static_cast<std::size_t>(index)].millisecond
                 : -1;
    };
    samples = CutMilliseconds(samples, speech.sampleRate, std::max(0, mark(sound.fromPhoneme)), mark(sound.toPhoneme));
  }
  samples = TrimSilence(samples, speech.sampleRate);
  EvenOutLoudness(samples, speech.sampleRate);
  samples = HalveRate(samples);
  if (samples.size() > kMaxSamples) samples.resize(kMaxSamples);
  FadeEnds(samples, kOutputRate, kFadeMs);
  return samples;
}

struct Rendered {
  std::string name;
  std::vector<short> samples;
};

std::vector<Rendered> RenderAll(const std::vector<SoundToRender>& sounds) {
  std::vector<Rendered> rendered;
  for (const SoundToRender& sound : sounds) {
    std::vector<short> samples = Shape(sound);
    if (samples.empty()) {
      std::fprintf(stderr, "warning: %s (%s) renders as silence; left out\n", sound.name.c_str(), sound.speech.c_str());
      continue;
    }
    rendered.push_back({sound.name, std::move(samples)});
  }
  return rendered;
}

bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

std::string WavFile(const std::string& samples) {
  return PcmWavHeader({kOutputRate, 8, 1}, static_cast<std::uint32_t>(samples.size()), 1) + samples;
}

// Units with the same sound share their samples.
bool WriteUnits(const std::vector<Rendered>& units, double gain, const std::filesystem::path& folder) {
  std::vector<DiphoneRecord> records;
  std::string samples;
  std::map<std::string, std::uint32_t> offsets;
  for (const Rendered& unit : units) {
    const std::string bytes = ToUnsigned8(unit.samples, gain);
    const auto [known, added] = offsets.emplace(bytes, static_cast<std::uint32_t>(samples.size()));
    if (added) samples += bytes;
    records.push_back({unit.name, static_cast<std::uint16_t>(bytes.size()), known->second});
  }
  return WriteBytes(folder / "DIFONES2.IND", EncodeDiphoneIndex(records)) &&
         WriteBytes(folder / "DIFONES2.DIF", samples);
}

bool WriteLetters(const std::vector<Rendered>& letters, double gain, const std::filesystem::path& folder) {
  for (const Rendered& letter : letters) {
    if (!WriteBytes(folder / (letter.name + ".wav"), WavFile(ToUnsigned8(letter.samples, gain)))) return false;
  }
  return true;
}

double GainFor(const std::vector<Rendered>& units, const std::vector<Rendered>& letters) {
  int peak = 1;
  for (const auto* group : {&units, &letters}) {
    for (const Rendered& sound : *group) peak = std::max(peak, PeakOf(sound.samples));
  }
  return std::min(kMaxGain, kTargetPeak / peak);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s UNITS LETTERS OUTPUT_DIR\n", argv[0]);
    return 64;
  }
  std::vector<SoundToRender> unitSounds, letterSounds;
  std::string error;
  if (!ReadUnitInventory(argv[1], unitSounds, error) || !ReadLetterNames(argv[2], letterSounds, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!StartEspeak(kWordsPerMinute)) {
    std::fprintf(stderr, "eSpeak NG with the pt-br voice is not available\n");
    return 1;
  }
  const std::vector<Rendered> units = RenderAll(unitSounds);
  const std::vector<Rendered> letters = RenderAll(letterSounds);
  StopEspeak();
  const double gain = GainFor(units, letters);

  const std::filesystem::path output = argv[3];
  std::error_code ignored;
  std::filesystem::create_directories(output / "difones", ignored);
  std::filesystem::create_directories(output / "letras", ignored);
  if (!WriteUnits(units, gain, output / "difones") || !WriteLetters(letters, gain, output / "letras")) {
    std::fprintf(stderr, "cannot write the voice data under %s\n", argv[3]);
    return 1;
  }
  std::printf("%zu units, %zu letter sounds\n", units.size(), letters.size());
  return 0;
}
