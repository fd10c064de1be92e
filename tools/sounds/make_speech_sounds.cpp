// Renders the speech front end's recorded sounds, all 8-bit unsigned mono
// at 11025 Hz with the 44-byte header:
//   relevix_make_speech_sounds OUTPUT_DIR MESSAGES PIECES...
// Each PIECES list holds lines "NAME TEXT" (text, or eSpeak NG phonemes
// within [[ ]]) that become OUTPUT_DIR/letras/NAME.wav; MESSAGES is the
// message catalogue (platform/message_file.h), whose messages marked
// "gravada" become OUTPUT_DIR/relevix/KEY.wav. The dial tones dtmf_C.wav
// are generated numerically into OUTPUT_DIR/letras.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "platform/audio_output.h"
#include "platform/message_file.h"
#include "tools/voice_data/espeak_render.h"
#include "tools/voice_data/sound_shaping.h"

namespace {

constexpr int kWordsPerMinute = 170;
constexpr int kOutputRate = 11025;
constexpr int kFadeMs = 4;
constexpr double kTargetPeak = 0.9 * 32767;
constexpr double kMaxGain = 4.0;

struct Sound {
  std::filesystem::path file;
  std::string speech;  // UTF-8 for eSpeak
};

// Lines "NAME TEXT"; '#' starts a comment line.
bool ReadPieces(const std::string& path, const std::filesystem::path& folder, std::vector<Sound>& sounds) {
  std::ifstream list(path);
  if (!list) return false;
  std::string line;
  for (int number = 1; std::getline(list, line); ++number) {
    if (line.empty() || line.front() == '#') continue;
    const std::size_t blank = line.find(' ');
    if (blank == 0 || blank == std::string::npos || blank + 1 == line.size()) {
      std::fprintf(stderr, "%s:%d: expected NAME TEXT\n", path.c_str(), number);
      return false;
    }
    sounds.push_back({folder / (line.substr(0, blank) + ".wav"), line.substr(blank + 1)});
  }
  return true;
}

// The recorded messages of the catalogue, with their texts as written.
bool ReadMessages(const std::string& path, const std::filesystem::path& folder, std::vector<Sound>& sounds) {
  std::vector<CatalogueMessage> messages;
  std::string error;
  if (!ReadMessageFile(path, messages, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  for (const CatalogueMessage& message : messages) {
    if (message.recorded) sounds.push_back({folder / (message.key + ".wav"), message.text});
  }
  return true;
}

std::vector<short> Render(const std::string& text) {
  const RenderedSpeech speech = RenderSpeech(text);
  std::vector<short> samples = TrimSilence(speech.samples, speech.sampleRate);
  EvenOutLoudness(samples, speech.sampleRate);
  samples = HalveRate(samples);
  FadeEnds(samples, kOutputRate, kFadeMs);
  return samples;
}

std::string WavFile(const std::string& samples) {
  return PcmWavHeader({kOutputRate, 8, 1}, static_cast<std::uint32_t>(samples.size()), 1) + samples;
}

bool WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

// A key's two standard frequencies, 150 ms, with short fades.
std::string DialTone(double low, double high) {
  constexpr int kLength = kOutputRate * 150 / 1000;
  constexpr int kFade = kOutputRate * 5 / 1000;
  constexpr double kAmplitude = 55;  // each tone; both together stay within 8 bits
  std::string samples;
  for (int i = 0; i < kLength; ++i) {
    const double t = static_cast<double>(i) / kOutputRate;
    const double fade = std::min({1.0, static_cast<double>(i) / kFade, static_cast<double>(kLength - 1 - i) / kFade});
    const double value =
        kAmplitude * fade * (std::sin(2 * std::numbers::pi * low * t) + std::sin(2 * std::numbers::pi * high * t));
    samples += static_cast<char>(128 + std::lround(value));
  }
  return samples;
}

bool WriteDialTones(const std::filesystem::path& folder) {
  constexpr double kRows[] = {697, 770, 852, 941};
  constexpr double kColumns[] = {1209, 1336, 1477};
  // The keypad row by row; "*" is saved under the name X.
  const std::string keys = "123456789X0#";
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string tone = DialTone(kRows[i / 3], kColumns[i % 3]);
    if (!WriteBytes(folder / ("dtmf_" + keys.substr(i, 1) + ".wav"), WavFile(tone))) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR MESSAGES PIECES...\n", argv[0]);
    return 64;
  }
  const std::filesystem::path output = argv[1];
  const std::filesystem::path letters = output / "letras", messages = output / "relevix";
  std::vector<Sound> sounds;
  bool listsRead = ReadMessages(argv[2], messages, sounds);
  for (int i = 3; i < argc && listsRead; ++i) listsRead = ReadPieces(argv[i], letters, sounds);
  if (!listsRead) {
    std::fprintf(stderr, "cannot read the lists of sounds\n");
    return 1;
  }
  if (!StartEspeak(kWordsPerMinute)) {
    std::fprintf(stderr, "eSpeak NG with the pt-br voice is not available\n");
    return 1;
  }
  std::vector<std::vector<short>> rendered;
  int peak = 1;
  for (const Sound& sound : sounds) {
    rendered.push_back(Render(sound.speech));
    if (rendered.back().empty()) {
      std::fprintf(stderr, "%s renders as silence\n", sound.file.c_str());
      return 1;
    }
    peak = std::max(peak, PeakOf(rendered.back()));
  }
  const double gain = std::min(kMaxGain, kTargetPeak / peak);
  std::error_code ignored;
  std::filesystem::create_directories(letters, ignored);
  std::filesystem::create_directories(messages, ignored);
  for (std::size_t i = 0; i < sounds.size(); ++i) {
    if (!WriteBytes(sounds[i].file, WavFile(ToUnsigned8(rendered[i], gain)))) {
      std::fprintf(stderr, "cannot write %s\n", sounds[i].file.c_str());
      return 1;
    }
  }
  if (!WriteDialTones(letters)) {
    std::fprintf(stderr, "cannot write the dial tones under %s\n", letters.c_str());
    return 1;
  }
  std::printf("%zu recorded sounds and 12 dial tones\n", sounds.size());
  return 0;
}
