#include "platform/tone_output.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace {

// Shared with the device's callback thread, under the device lock.
struct ToneDevice {
  SDL_AudioDeviceID id = 0;
  std::string samples;
  std::size_t position = 0;
  bool looping = false;
};

ToneDevice toneDevice;

constexpr Uint8 kSilence = 128;

bool SdlAudioWanted() {
  const char* setting = std::getenv("RELEVIX_AUDIO");
  return setting == nullptr || *setting == '\0' || std::string_view(setting) == "sdl";
}

void FillFromTone(void*, Uint8* stream, int length) {
  ToneDevice& device = toneDevice;
  for (int i = 0; i < length; ++i) {
    if (device.position >= device.samples.size() && device.looping) device.position = 0;
    stream[i] = device.position < device.samples.size() ? static_cast<Uint8>(device.samples[device.position++]) : kSilence;
  }
}

}  // namespace

bool PlayToneSamples(std::string_view samples, int samplesPerSecond, bool looping) {
  StopToneSamples();
  if (!SdlAudioWanted() || samples.empty()) return false;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  toneDevice.samples = std::string(samples);
  toneDevice.position = 0;
  toneDevice.looping = looping;
  SDL_AudioSpec wanted{};
  wanted.freq = samplesPerSecond;
  wanted.format = AUDIO_U8;
  wanted.channels = 1;
  wanted.samples = 512;
  wanted.callback = FillFromTone;
  toneDevice.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (toneDevice.id == 0) return false;
  SDL_PauseAudioDevice(toneDevice.id, 0);
  return true;
}

void StopToneSamples() {
  if (toneDevice.id != 0) {
    SDL_CloseAudioDevice(toneDevice.id);
    toneDevice.id = 0;
  }
  toneDevice.samples.clear();
}
