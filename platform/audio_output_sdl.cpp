// The sound card through SDL2 audio. SDL's audio thread only takes bytes
// from the queued buffers, in order, and reports each buffer when its last
// byte has gone out; everything else happens on the main thread.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>

#include "platform/audio_output.h"

namespace {

// Frames per device period: about 10 ms, so that a reset is heard at once
// and closing (SDL waits for the period under way and a drain of two more)
// stays short.
Uint16 PeriodFrames(int samplesPerSecond) {
  Uint16 frames = 64;
  while (frames < samplesPerSecond / 100 && frames < 8192) frames = static_cast<Uint16>(frames * 2);
  return frames;
}

struct QueuedBuffer {
  int slot;
  const unsigned char* data;
  int length;
  int played;
};

class SdlAudioOutput final : public AudioOutput {
 public:
  SdlAudioOutput() = default;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  ~SdlAudioOutput() override {
    Close();
    if (initialized_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  int Open(const AudioFormat& format) override {
    if (!initialized_) {
      if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return kAudioNoDriver;
      initialized_ = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = format.samplesPerSecond;
    wanted.format = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    wanted.channels = static_cast<Uint8>(std::min(format.channels, 255));
    wanted.samples = PeriodFrames(format.samplesPerSecond);
    wanted.callback = &SdlAudioOutput::Callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
      // A device held by another program is worth waiting for; anything
      // else (no card, no server) is not.
      return std::strstr(SDL_GetError(), "busy") != nullptr ? kAudioAllocated : kAudioBadDevice;
    }
    silence_ = obtained.silence;
    SDL_PauseAudioDevice(device_, 0);
    return kAudioOk;
  }

  int Write(int slot, const unsigned char* data, int length) override {
    std::lock_guard lock(mutex_);
    queue_.push_back({slot, data, length, 0});
    return kAudioOk;
  }

  int Release(int slot) override {
    std::lock_guard lock(mutex_);
    const bool held =
        std::any_of(queue_.begin(), queue_.end(), [slot](const QueuedBuffer& b) { return b.slot == slot; });
    return held ? kAudioStillPlaying : kAudioOk;
  }

  void Reset() override {
    std::lock_guard lock(mutex_);
    for (const QueuedBuffer& buffer : queue_) ReportBufferDone(buffer.slot);
    queue_.clear();
  }

  void Close() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    device_ = 0;
    Reset();
  }

 private:
  static void Callback(void* userdata, Uint8* stream, int length) {
    static_cast<SdlAudioOutput*>(userdata)->Fill(stream, length);
  }

  void Fill(Uint8* stream, int length) {
    std::lock_guard lock(mutex_);
    while (length > 0 && !queue_.empty()) {
      QueuedBuffer& buffer = queue_.front();
      const int count = std::min(length, buffer.length - buffer.played);
      std::memcpy(stream, buffer.data + buffer.played, static_cast<std::size_t>(count));
      stream += count;
      length -= count;
      buffer.played += count;
      if (buffer.played == buffer.length) {
        ReportBufferDone(buffer.slot);
        queue_.pop_front();
      }
    }
    std::memset(stream, silence_, static_cast<std::size_t>(length));
  }

  bool initialized_ = false;
  SDL_AudioDeviceID device_ = 0;
  Uint8 silence_ = 0;
  std::mutex mutex_;
  std::deque<QueuedBuffer> queue_;
};

}  // namespace

std::unique_ptr<AudioOutput> MakeSdlAudioOutput() { return std::make_unique<SdlAudioOutput>(); }
