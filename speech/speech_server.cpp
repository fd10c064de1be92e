#include "speech/speech_server.h"

#include "speech/espeak_server.h"

// The server types this build offers: eSpeak NG for every type. The own
// engine (3) and the system speech service (5, 54) are not built yet, so
// starting them fails and the front end falls back to the translator.
namespace {

constexpr int kOwnEngineType = 3;
constexpr int kSystemServiceType = 5;
constexpr int kSystemServiceTypeNew = 54;

}  // namespace

bool StartSpeechServer(int voice, int rate, int pitch, std::string_view, int type) {
  if (type == kOwnEngineType || type == kSystemServiceType || type == kSystemServiceTypeNew) return false;
  return StartEspeakServer(voice, rate, pitch);
}

void ServerSpeak(std::string_view text) { EspeakSpeak(text); }

bool ServerIsSpeaking(bool) { return EspeakIsSpeaking(); }

void ServerStop() { EspeakStop(); }

void CloseSpeechServer() { CloseEspeakServer(); }
