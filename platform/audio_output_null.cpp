// The silent output for tests and machines without sound: every buffer is
// done as soon as it is written, and each sound the player was handed leaves
// one line in the log:
//
//   SOURCE RATE BITS CHANNELS BYTES [BUFFER BUFFER ...]
//
// SOURCE is the file path or "memory"; rate, bits and channels are those the
// output was opened with; BYTES is the sum of the buffer lengths written,
// which are listed in order between the brackets.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace {

class NullAudioOutput final : public AudioOutput {
 public:
  explicit NullAudioOutput(std::string_view logPath) : logPath_(logPath) {}

  int Open(const AudioFormat& format) override {
    format_ = format;
    return kAudioOk;
  }

  int Write(int slot, const unsigned char*, int length) override {
    lengths_.push_back(length);
    ReportBufferDone(slot);
    return kAudioOk;
  }

  int Release(int) override { return kAudioOk; }
  void Reset() override {}
  void Close() override {}

  void LogSound(std::string_view source) override {
    long total = 0;
    std::string buffers;
    for (const int length : lengths_) {
      total += length;
      if (!buffers.empty()) buffers += ' ';
      buffers += std::to_string(length);
    }
    lengths_.clear();
    const std::string line = std::string(source) + ' ' + std::to_string(format_.samplesPerSecond) + ' ' +
                             std::to_string(format_.bitsPerSample) + ' ' + std::to_string(format_.channels) + ' ' +
                             std::to_string(total) + " [" + buffers + "]\n";
    if (logPath_.empty()) {
      std::fputs(line.c_str(), stderr);
      return;
    }
    if (std::FILE* log = std::fopen(logPath_.c_str(), "a"); log != nullptr) {
      std::fputs(line.c_str(), log);
      std::fclose(log);
    }
  }

 private:
  std::string logPath_;
  AudioFormat format_;
  std::vector<int> lengths_;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeNullAudioOutput(std::string_view logPath) {
  return std::make_unique<NullAudioOutput>(logPath);
}
