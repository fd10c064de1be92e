#include "speech/espeak_server.h"

#include <algorithm>
#include <cstring>
#include <espeak-ng/speak_lib.h>
#include <string>
#include <vector>

#include "audio/wav_playback.h"
#include "console/key_queue.h"
#include "platform/text_encoding.h"

namespace {

constexpr int kBaseWordsPerMinute = 175;
constexpr int kWordsPerRateStep = 15;
constexpr int kBasePitch = 50;
constexpr int kPitchPerStep = 4;

// eSpeak NG is initialised once per process and stays loaded: a second
// initialisation after espeak_Terminate hangs the library's next Terminate.
struct EspeakLibrary {
  bool initialised = false;
  int sampleRate = 22050;
};

EspeakLibrary gLibrary;

// The first piece goes to the output as soon as eSpeak NG gives it, so the
// first sound does not wait for the rest of the text; later pieces gather
// half a second each, which keeps the output's four buffers well ahead.
constexpr std::size_t kLaterPieceSamples = 11025;

struct EspeakServer {
  bool started = false;
  bool stopped = false;            // a key stopped the text being synthesized
  bool firstPiecePlayed = false;
  std::vector<short> samples;      // synthesized and not yet handed to the output
};

EspeakServer gEspeak;

void PlayCollected() {
  if (gEspeak.samples.empty()) return;
  PlaySamples(reinterpret_cast<const unsigned char*>(gEspeak.samples.data()),
              static_cast<int>(gEspeak.samples.size() * sizeof(short)), gLibrary.sampleRate, 1, 16);
  gEspeak.samples.clear();
  gEspeak.firstPiecePlayed = true;
}

// eSpeak NG's synthesis callback, on the caller's thread: the samples go
// to the playback piece by piece, and the playback waits for a free buffer,
// so synthesis keeps pace with the sound. A key ends the synthesis (1).
int StreamSamples(short* wav, int count, espeak_EVENT*) {
  if (gEspeak.stopped || KeyPressed()) {
    gEspeak.stopped = true;
    return 1;
  }
  if (wav != nullptr && count > 0) gEspeak.samples.insert(gEspeak.samples.end(), wav, wav + count);
  if (!gEspeak.firstPiecePlayed || gEspeak.samples.size() >= kLaterPieceSamples) PlayCollected();
  return 0;
}

// The identifier of the n-th Portuguese voice: pt-br first, then the others.
std::string PortugueseVoice(int number) {
  std::vector<std::string> names{"pt-br"};
  espeak_VOICE wanted{};
  wanted.languages = "pt";
  for (const espeak_VOICE** voice = espeak_ListVoices(&wanted); voice != nullptr && *voice != nullptr; ++voice) {
    const char* name = (*voice)->identifier;
    if (name != nullptr && std::find(names.begin(), names.end(), std::string(name)) == names.end() &&
        std::strstr(name, "pt-br") == nullptr && std::strstr(name, "pt-BR") == nullptr) {
      names.push_back(name);
    }
  }
  if (number < 1 || number > static_cast<int>(names.size())) number = 1;
  return names[static_cast<size_t>(number - 1)];
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

bool StartEspeakServer(int voice, int rate, int pitch) {
  if (!gLibrary.initialised) {
    const int rateHz = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 100, nullptr, 0);
    if (rateHz <= 0) return false;
    gLibrary = EspeakLibrary{true, rateHz};
    espeak_SetSynthCallback(StreamSamples);
  }
  const std::string name = PortugueseVoice(voice);
  if (espeak_SetVoiceByName(name.c_str()) != EE_OK && espeak_SetVoiceByName("pt") != EE_OK) {
    CloseEspeakServer();
    return false;
  }
  espeak_SetParameter(espeakRATE, std::clamp(kBaseWordsPerMinute + rate * kWordsPerRateStep, 80, 450), 0);
  espeak_SetParameter(espeakPITCH, std::clamp(kBasePitch + pitch * kPitchPerStep, 0, 100), 0);
  gEspeak.started = true;
  return true;
}

void EspeakSpeak(std::string_view text) {
  std::string spoken = Trimmed(text);
  if (!gEspeak.started || spoken.empty() || KeyPressed()) return;
  if (spoken.size() == 1 && spoken[0] >= '0' && spoken[0] <= '9') spoken += '.';  // read as a number
  const std::string utf8 = Utf8FromWindows1252(spoken);
  gEspeak.samples.clear();
  gEspeak.stopped = false;
  gEspeak.firstPiecePlayed = false;
  espeak_Synth(utf8.c_str(), utf8.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
  if (gEspeak.stopped) {
    StopPlayback();
    gEspeak.samples.clear();
  } else {
    PlayCollected();
  }
}

bool EspeakIsSpeaking() { return IsPlaying(); }

void EspeakStop() { StopPlayback(); }

void CloseEspeakServer() {
  StopPlayback();
  gEspeak = EspeakServer{};
}
