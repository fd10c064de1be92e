// Everything played goes into one WAV file, for tests and for listening
// without a sound card. The file is created when the output is chosen, so a
// path that cannot be written is known at once, and takes the format of the
// first opening of the run; sound opened later in another format is
// converted to it (bits, channels, and the rate by linear interpolation), so
// the file holds the whole session in order. The header is rewritten after
// every buffer, so the file is valid whenever the program stops. Buffers are
// done as soon as they are written.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/audio_output.h"

namespace {

class WavFileAudioOutput final : public AudioOutput {
 public:
  explicit WavFileAudioOutput(std::string_view path) : path_(path) {
    file_ = std::fopen(path_.c_str(), "wb");
    if (file_ == nullptr || !WriteHeader()) Fail();
  }
  WavFileAudioOutput(const WavFileAudioOutput&) = delete;
  WavFileAudioOutput& operator=(const WavFileAudioOutput&) = delete;

  ~WavFileAudioOutput() override {
    if (file_ != nullptr) std::fclose(file_);
  }

  int Open(const AudioFormat& format) override {
    if (file_ == nullptr) return kAudioBadDevice;
    if (!formatChosen_) {
      formatChosen_ = true;
      fileFormat_ = format;
      if (!WriteHeader()) return Fail();
    }
    input_ = format;
    pending_.clear();
    previous_.clear();
    position_ = 0;
    return kAudioOk;
  }

  int Write(int slot, const unsigned char* data, int length) override {
    const std::string converted = input_ == fileFormat_ ? std::string() : Convert(data, length);
    const unsigned char* bytes =
        input_ == fileFormat_ ? data : reinterpret_cast<const unsigned char*>(converted.data());
    const std::size_t count = input_ == fileFormat_ ? static_cast<std::size_t>(length) : converted.size();
    // Appends after the data the header counts, so a failed write is
    // overwritten by the next one.
    if (std::fseek(file_, static_cast<long>(44 + dataBytes_), SEEK_SET) != 0 ||
        std::fwrite(bytes, 1, count, file_) != count) {
      return Fail();
    }
    dataBytes_ += static_cast<std::uint32_t>(count);
    if (!WriteHeader()) return Fail();
    ReportBufferDone(slot);
    return kAudioOk;
  }

  int Release(int) override { return kAudioOk; }
  void Reset() override {}
  void Close() override {}

 private:
  // Remembers the first failure for the user to be told.
  int Fail() {
    ReportRecordingFailure(path_, errno);
    return kAudioError;
  }

  bool WriteHeader() {
    const int blockAlignment = fileFormat_.channels * (fileFormat_.bitsPerSample / 8);
    const std::string header = PcmWavHeader(fileFormat_, dataBytes_, blockAlignment);
    return std::fseek(file_, 0, SEEK_SET) == 0 &&
           std::fwrite(header.data(), 1, header.size(), file_) == header.size() && std::fflush(file_) == 0;
  }

  // One sample of the input, as a 16-bit value.
  int InputSample(const unsigned char* frame, int channel) const {
    if (input_.bitsPerSample == 8) return (frame[channel] - 128) * 256;
    const unsigned char* p = frame + 2 * channel;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
  }

  void AppendOutputSample(std::string& out, double value) const {
    const long sample = std::lround(std::clamp(value, -32768.0, 32767.0));
    if (fileFormat_.bitsPerSample == 8) {
      out.push_back(static_cast<char>(std::clamp((sample + 32768 + 128) / 256, 0L, 255L)));
    } else {
      out.push_back(static_cast<char>(sample & 0xFF));
      out.push_back(static_cast<char>((sample >> 8) & 0xFF));
    }
  }

  // Whole input frames, mapped to the file's channels (mono takes the
  // average, more channels repeat the last input channel), resampled between
  // neighbouring frames; the last frame and a partial one wait for the next
  // buffer, so pieces join without a seam.
  std::string Convert(const unsigned char* data, int length) {
    pending_.append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    const int inChannels = input_.channels;
    const int outChannels = fileFormat_.channels;
    const std::size_t frameBytes = static_cast<std::size_t>(inChannels * (input_.bitsPerSample / 8));
    const std::size_t frames = pending_.size() / frameBytes;
    std::vector<double> samples(frames * static_cast<std::size_t>(outChannels));
    for (std::size_t f = 0; f < frames; ++f) {
      const auto* frame = reinterpret_cast<const unsigned char*>(pending_.data()) + f * frameBytes;
      for (int c = 0; c < outChannels; ++c) {
        double value = 0;
        if (outChannels == 1) {
          for (int k = 0; k < inChannels; ++k) value += InputSample(frame, k);
          value /= inChannels;
        } else {
          value = InputSample(frame, std::min(c, inChannels - 1));
        }
        samples[f * static_cast<std::size_t>(outChannels) + static_cast<std::size_t>(c)] = value;
      }
    }
    pending_.erase(0, frames * frameBytes);
    if (frames == 0) return {};

    std::string out;
    const double step = static_cast<double>(input_.samplesPerSecond) / fileFormat_.samplesPerSecond;
    auto at = [&](long frame, int channel) {
      return frame < 0 ? previous_[static_cast<std::size_t>(channel)]
                       : samples[static_cast<std::size_t>(frame) * static_cast<std::size_t>(outChannels) +
                                 static_cast<std::size_t>(channel)];
    };
    while (position_ < static_cast<double>(frames) - 1) {
      const long frame = static_cast<long>(std::floor(position_));
      const double fraction = position_ - static_cast<double>(frame);
      for (int c = 0; c < outChannels; ++c) {
        AppendOutputSample(out, at(frame, c) + (at(frame + 1, c) - at(frame, c)) * fraction);
      }
      position_ += step;
    }
    position_ -= static_cast<double>(frames);
    previous_.assign(samples.end() - outChannels, samples.end());
    return out;
  }

  std::string path_;
  std::FILE* file_ = nullptr;
  AudioFormat fileFormat_{22050, 16, 1};  // a placeholder until the first opening
  bool formatChosen_ = false;
  std::uint32_t dataBytes_ = 0;
  AudioFormat input_;
  std::string pending_;           // bytes of an incomplete input frame
  std::vector<double> previous_;  // the last frame of the previous buffer
  double position_ = 0;           // next output frame, in input frames from the buffer start
};

}  // namespace

std::unique_ptr<AudioOutput> MakeWavFileAudioOutput(std::string_view path) {
  return std::make_unique<WavFileAudioOutput>(path);
}
