#include "tts/portuguese_engine.h"

#include <array>
#include <cstdio>
#include <string>

#include "audio/wav_playback.h"
#include "console/key_queue.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/wav_format.h"
#include "tts/diphone_list.h"
#include "tts/engine_language_data.h"
#include "tts/letter_to_sound_rules.h"
#include "tts/mbrola_binding.h"
#include "tts/mbrola_lines.h"

namespace {

constexpr int kSampleRate = 16000;
constexpr int kBitsPerSample = 16;
constexpr std::size_t kHeaderBytes = 44;
constexpr int kBlockSamples = 16000;                   // read from MBROLA at a time
constexpr std::size_t kPieceBytes = 2 * kBlockSamples;  // the most handed to the player at once
constexpr std::size_t kPlayFrom = 16000;                // pending bytes that, with the next block, are played
constexpr std::size_t kShortestPiece = 256;
constexpr long kSamplesPerMillisecond = kSampleRate / 1000;
// Samples a sentence may come short of its durations' count (rounding in
// the synthesizer) without being waited for.
constexpr long kSampleMargin = 50 * kSamplesPerMillisecond;
constexpr const char* kVoiceWhenRegistryEmpty = "c:\\sonarw\\tavelatts\\br4";

struct EngineState {
  std::string outputFileName;
  std::FILE* outputFile = nullptr;  // open in file mode
  double durationFactor = 1.0;
  double pitchFactor = 1.0;
  std::string lastError;
  std::array<short, kBlockSamples> transfer{};
  // The header and the samples after it form one WAV image for the player.
  std::array<char, kHeaderBytes + kPieceBytes> image{};
};

EngineState engine;

bool FileMode() { return engine.outputFile != nullptr; }

std::string_view OrDefault(std::string_view value, std::string_view fallback) {
  return value.empty() ? fallback : value;
}

std::string HeaderFor(std::uint32_t dataBytes) {
  const AudioFormat format{kSampleRate, kBitsPerSample, 1};
  return PcmWavHeader(format, dataBytes, kBitsPerSample / 8);
}

// Plays the first pending bytes of the playback buffer as one WAV image.
void PlayPending(std::size_t pending) {
  const std::string header = HeaderFor(static_cast<std::uint32_t>(pending));
  std::copy(header.begin(), header.end(), engine.image.begin());
  PlayWavImage(std::string_view(engine.image.data(), kHeaderBytes + pending));
}

// The voice database handed to MBROLA: the registry's path for the name,
// else the name itself.
std::string VoicePath(std::string_view database) {
  const auto registered = ReadRegistryString(RegistryRoot::LocalMachine,
                                             "SOFTWARE\\TCTS\\Mbrola\\databases\\" + std::string(database) + "\\");
  if (!registered) return std::string(database);
  return registered->empty() ? LinuxPath(kVoiceWhenRegistryEmpty) : *registered;
}

// Creates the output file with a header of no data yet.
bool OpenOutputFile() {
  engine.outputFile = std::fopen(LinuxPath(engine.outputFileName).c_str(), "wb");
  if (engine.outputFile == nullptr) {
    engine.lastError = GetMessage("TTSSAIDA");
    return false;
  }
  const std::string header = HeaderFor(0);
  if (std::fwrite(header.data(), 1, header.size(), engine.outputFile) != header.size() ||
      std::fflush(engine.outputFile) != 0) {
    engine.lastError = GetMessage("TTSSAIDA");
    std::fclose(engine.outputFile);
    engine.outputFile = nullptr;
    return false;
  }
  return true;
}

// Rewrites the header with the sizes the file has now.
void FinishOutputFile() {
  std::FILE* file = engine.outputFile;
  engine.outputFile = nullptr;
  if (std::fflush(file) == 0 && std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size >= static_cast<long>(kHeaderBytes)) {
      const std::string header = HeaderFor(static_cast<std::uint32_t>(size - static_cast<long>(kHeaderBytes)));
      std::fseek(file, 0, SEEK_SET);
      std::fwrite(header.data(), 1, header.size(), file);
    }
  }
  std::fclose(file);
}

bool IsBlankText(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) > ' ') return false;
  }
  return true;
}

// An MBROLA error resets it and spoils the result, but the text goes on.
void CheckMbrola(bool& result) {
  if (gMbrola.lastError_MBR() != 0) {
    gMbrola.reset_MBR();
    result = false;
  }
}

// Hands every line to MBROLA, flushing after the last.
void WriteLines(const std::vector<std::string>& lines, bool& result) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool last = i + 1 == lines.size();
    if (lines[i].empty() && !last) continue;
    gMbrola.write_MBR((lines[i] + "\r\n").c_str());
    CheckMbrola(result);
    if (last) gMbrola.flush_MBR();
  }
}

// Where the samples go: into the file, or to the player in pieces of at
// most 32000 bytes, handed over as soon as they and the next block reach
// 16000 bytes, so that speech starts while the rest is still being made.
struct SampleOutput {
  std::size_t pending = 0;  // bytes waiting in the playback buffer
  long received = 0;        // samples taken so far
};

void PutSamples(SampleOutput& out, int samples, bool& result) {
  const auto bytes = static_cast<std::size_t>(samples) * 2;
  const char* data = reinterpret_cast<const char*>(engine.transfer.data());
  out.received += samples;
  if (FileMode()) {
    if (std::fwrite(data, 1, bytes, engine.outputFile) != bytes) result = false;
    return;
  }
  char* const playback = engine.image.data() + kHeaderBytes;
  if (out.pending + bytes >= kPlayFrom && out.pending > 0) {
    PlayPending(out.pending);
    out.pending = 0;
  }
  std::copy(data, data + bytes, playback + out.pending);
  out.pending += bytes;
}

// Takes the samples MBROLA has made until until samples have come in all,
// or, with until negative, until it has nothing more.
void TakeSamples(SampleOutput& out, long until, bool& result) {
  while (until < 0 || out.received < until) {
    const int samples = gMbrola.read_MBR(engine.transfer.data(), kBlockSamples);
    if (samples <= 0) return;
    PutSamples(out, samples, result);
  }
}

// Plays what is left in the playback buffer; a very short piece is padded
// with silence: the player needs that much.
void FinishSamples(SampleOutput& out) {
  if (FileMode() || out.pending == 0) return;
  char* const playback = engine.image.data() + kHeaderBytes;
  if (out.pending < kShortestPiece) {
    std::fill(playback + out.pending, playback + kShortestPiece, '\0');
    out.pending = kShortestPiece;
  }
  PlayPending(out.pending);
  out.pending = 0;
}

}  // namespace

void TtsSetOutputFile(std::string_view name) { engine.outputFileName = std::string(name); }

bool TtsStart(std::string_view database, std::string_view rulesFile, std::string_view exceptionsFile,
              std::string_view abbreviationsFile, std::string_view prosodyFile, std::string_view diphoneListFile) {
  if (!LoadMbrola()) return false;
  const EngineDataFiles files{std::string(OrDefault(database, "br4")),
                              std::string(OrDefault(rulesFile, "portug.nrl")),
                              std::string(OrDefault(exceptionsFile, "portug.exc")),
                              std::string(OrDefault(abbreviationsFile, "portug.abr")),
                              std::string(OrDefault(prosodyFile, "portug.pro")),
                              std::string(OrDefault(diphoneListFile, "portug.dfn"))};
  // A diphone the voice lacks is recovered rather than ending the synthesizer.
  gMbrola.setNoError_MBR(1);
  if (gMbrola.init_MBR(VoicePath(files.database).c_str()) < 0) {
    UnloadMbrola();
    return false;
  }
  if (!LoadEngineLanguageData(files, engine.lastError)) return false;
  if (engine.outputFile != nullptr) FinishOutputFile();
  if (engine.outputFileName.empty()) return true;
  return OpenOutputFile();
}

void TtsSetFactors(double durationFactor, double pitchFactor) {
  engine.durationFactor = durationFactor;
  engine.pitchFactor = pitchFactor;
}

bool TtsSpeak(std::string_view text) {
  if (IsBlankText(text)) return true;
  if (!gMbrola.loaded) return false;
  bool result = true;
  // The engine's samples are played as they are: neither sped up nor cut.
  const PlaybackFlags saved = playbackFlags;
  playbackFlags.fast = false;
  playbackFlags.cut = false;
  gMbrola.reset_MBR();
  // A sentence at a time: its lines go to MBROLA, and the samples of the
  // sentences before it that are ready come back, as many as their
  // durations ask for (less a little, which the next sentence takes), so
  // that MBROLA is never waited for while it has nothing left to make.
  SampleOutput out;
  long expected = 0;
  // A key stops the sound (the playback sees it) and the making of the
  // sentences still to come, so a long text is not made in vain.
  bool keyStopped = false;
  ForEachSentenceLines(text, engine.durationFactor, engine.pitchFactor, [&](const std::vector<std::string>& lines) {
    WriteLines(lines, result);
    expected += MillisecondsOf(lines) * kSamplesPerMillisecond;
    TakeSamples(out, expected - kSampleMargin, result);
    keyStopped = !FileMode() && saved.keyCancel && KeyPressed();
    return !keyStopped;
  });
  if (!keyStopped) {
    TakeSamples(out, -1, result);
    FinishSamples(out);
  }
  CheckMbrola(result);  // a synthesizer that ended on the way spoils the text
  playbackFlags = saved;
  return result;
}

void TtsStop() {
  if (!FileMode()) StopPlayback();
}

bool TtsBusy() { return !FileMode() && IsPlaying(); }

void TtsClose() {
  if (engine.outputFile != nullptr) FinishOutputFile();
  FreeRules();
  FreeDiphoneList();
  if (gMbrola.loaded) gMbrola.close_MBR();
  UnloadMbrola();
}

const std::string& TtsLastError() { return engine.lastError; }
