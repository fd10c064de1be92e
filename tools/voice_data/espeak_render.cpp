#include "tools/voice_data/espeak_render.h"

#include <espeak-ng/speak_lib.h>

#include <cstring>

namespace {

RenderedSpeech* collecting = nullptr;
int outputRate = 0;

int Collect(short* samples, int count, espeak_EVENT* events) {
  if (collecting == nullptr) return 0;
  if (samples != nullptr) collecting->samples.insert(collecting->samples.end(), samples, samples + count);
  for (; events != nullptr && events->type != espeakEVENT_LIST_TERMINATED; ++events) {
    if (events->type != espeakEVENT_PHONEME) continue;
    const std::string name(events->id.string, strnlen(events->id.string, sizeof events->id.string));
    if (!name.empty() && name.front() != '_') collecting->phonemes.push_back({name, events->audio_position});
  }
  return 0;
}

}  // namespace

bool StartEspeak(int wordsPerMinute) {
  outputRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                 espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT);
  if (outputRate <= 0 || espeak_SetVoiceByName("pt-br") != EE_OK) return false;
  espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
  espeak_SetSynthCallback(Collect);
  return true;
}

void StopEspeak() { espeak_Terminate(); }

RenderedSpeech RenderSpeech(const std::string& text) {
  RenderedSpeech speech;
  speech.sampleRate = outputRate;
  collecting = &speech;
  espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8 | espeakPHONEMES, nullptr,
               nullptr);
  collecting = nullptr;
  return speech;
}
