// Test set-up for the front end: speech started with the real translator
// voice, letter sounds and number pieces of known lengths in a temporary
// letters folder, the null audio output logging every sound, and the pauses
// recorded instead of waited.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "audio/wav_playback.h"
#include "console/console.h"
#include "console/key_queue.h"
#include "platform/audio_output.h"
#include "platform/suite_settings.h"
#include "speech/speech.h"
#include "tests/support/test_support.h"

namespace speech_testing {

inline std::vector<int>& Delays() {
  static std::vector<int> delays;
  return delays;
}

inline void RecordDelay(int milliseconds) { Delays().push_back(milliseconds); }

// An output that keeps the samples it is given and returns each buffer at
// once; onWrite, when given, hears the length of every buffer.
class KeptOutput final : public AudioOutput {
 public:
  explicit KeptOutput(std::string* kept, std::function<void(int length)> onWrite = nullptr)
      : kept_(kept), onWrite_(std::move(onWrite)) {}
  int Open(const AudioFormat&) override { return kAudioOk; }
  int Write(int slot, const unsigned char* data, int length) override {
    kept_->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    if (onWrite_) onWrite_(length);
    ReportBufferDone(slot);
    return kAudioOk;
  }
  int Release(int) override { return kAudioOk; }
  void Reset() override {}
  void Close() override {}

 private:
  std::string* kept_;
  std::function<void(int length)> onWrite_;
};

// Every piece a test may ask for; each gets its own length.
inline const std::vector<std::string>& PieceNames() {
  static const std::vector<std::string> names{
      "_zero",  "_um",      "_uma",     "_dois", "_duas",    "_tres",    "_quatro",  "_cinco",
      "_seis",  "_sete",    "_oito",    "_nove", "_dez",     "_dezesse", "_dezeset", "_vinte",
      "_cento", "_quatroc", "_cinquen", "_mil",  "_milhao",  "_milhoes", "_e",       "_hora",
      "_horas", "_minuto",  "_minutos", "_de",   "_primeir", "_Domingo", "_Setembr", "_MENOS"};
  return names;
}

class SpeechTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSpeech();
    ResetWavPlayback();
    ClearKeyQueue();
    Delays().clear();
    SetDelayHandler(RecordDelay);
    ChooseAudioOutput("null:" + Log());
    for (int code = 32; code < 256; ++code) WriteSound("_" + std::to_string(code), 300);
    for (const std::string& piece : PieceNames()) WriteSound(piece, PieceBytes(piece));
    WriteSettings("");
    StartSpeech(0, dir_.File("relevix"));
  }

  void TearDown() override {
    ResetSpeech();
    ResetWavPlayback();
    ChooseAudioOutput("null:/dev/null");
    SetDelayHandler(nullptr);
    SetSuiteSettingsFile("");
    ClearKeyQueue();
  }

  // The settings file: the temporary letters folder, the voice for every
  // speed, and whatever else the test adds (lines of further sections).
  void WriteSettings(const std::string& more) {
    std::string sections = "[TRADUTOR]\nDIRLETRAS=" + dir_.File("letras") + "\n" + more + "\n[SINTETIZADOR]\n";
    for (int speed = 1; speed <= 5; ++speed) sections += "DIFONES" + std::to_string(speed) + "=DIFONES2\n";
    testing_support::WriteFile(dir_.File("SONARA.INI"), sections);
    SetSuiteSettingsFile(dir_.File("SONARA.INI"));
  }

  // A sound of the letters folder ("_name") or of the messages folder.
  void WriteSound(const std::string& name, std::size_t samples) {
    const std::string folder = dir_.File(name.front() == '_' ? "letras" : "relevix");
    std::filesystem::create_directories(folder);
    testing_support::WriteFile(folder + "/" + name + ".wav", MakeWavImage(std::string(samples, 'P'), 11025, 1, 8));
  }

  static std::size_t PieceBytes(const std::string& piece) {
    const auto& names = PieceNames();
    const std::size_t i = static_cast<std::size_t>(std::find(names.begin(), names.end(), piece) - names.begin());
    return 400 + 17 * i + i * i;
  }

  // The length of one sound joined from pieces.
  static long Joined(const std::vector<std::string>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), 0L, [](long sum, const std::string& piece) {
      return sum + static_cast<long>(PieceBytes(piece));
    });
  }

  std::string Log() const { return dir_.File("heard.log"); }

  // What was played, in order: a file by its name without ".wav", a sound
  // built in memory as "memory".
  std::vector<std::string> Heard() const {
    std::vector<std::string> heard;
    for (const auto& [source, bytes] : LogLines()) {
      const std::string name = source.substr(source.rfind('/') + 1);
      heard.push_back(source == "memory" ? source : name.substr(0, name.size() - 4));
    }
    return heard;
  }

  // The length of each sound built in memory.
  std::vector<long> MemoryBytes() const {
    std::vector<long> lengths;
    for (const auto& [source, bytes] : LogLines()) {
      if (source == "memory") lengths.push_back(bytes);
    }
    return lengths;
  }

  void ForgetHeard() { testing_support::WriteFile(Log(), ""); }

  // Tables of texts, each spoken from a fresh log: the sounds heard, and
  // either the pause steps of 50 ms or the sizes of the sounds made in memory.
  struct SaidWithPauses {
    const char* text;
    std::vector<std::string> heard;
    std::size_t pauseSteps;
  };
  void ExpectSaidWithPauses(const std::vector<SaidWithPauses>& cases) {
    for (const SaidWithPauses& c : cases) {
      ForgetHeard();
      Delays().clear();
      SpeakText(c.text);
      EXPECT_EQ(Heard(), c.heard) << c.text;
      EXPECT_EQ(Delays(), std::vector<int>(c.pauseSteps, 50)) << c.text;
    }
  }

  struct SaidWithPieces {
    const char* text;
    std::vector<std::string> heard;
    std::vector<long> memoryBytes;
  };
  void ExpectSaidWithPieces(const std::vector<SaidWithPieces>& cases) {
    for (const SaidWithPieces& c : cases) {
      ForgetHeard();
      SpeakText(c.text);
      EXPECT_EQ(Heard(), c.heard) << c.text;
      EXPECT_EQ(MemoryBytes(), c.memoryBytes) << c.text;
    }
  }

  testing_support::TempDir dir_;

 private:
  std::vector<std::pair<std::string, long>> LogLines() const {
    std::vector<std::pair<std::string, long>> lines;
    std::istringstream log(testing_support::ReadFile(Log()));
    std::string source;
    int rate = 0, bits = 0, channels = 0;
    long bytes = 0;
    std::string buffers;
    while (log >> source >> rate >> bits >> channels >> bytes && std::getline(log, buffers)) {
      lines.emplace_back(source, bytes);
    }
    return lines;
  }
};

}  // namespace speech_testing
