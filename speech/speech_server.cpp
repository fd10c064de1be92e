#include "speech/speech_server.h"

#include "console/console.h"
#include "speech/espeak_server.h"
#include "speech/speechd_server.h"

// The server types: speech-dispatcher for 5 and 54, eSpeak NG for every
// other type but the own engine (3), which is not built yet, so starting it
// fails and the front end falls back to the translator.
namespace {

constexpr int kOwnEngineType = 3;
constexpr int kSystemServiceType = 5;
constexpr int kSystemServiceTypeNew = 54;
constexpr int kStartPoll = 50;

int gServerType = 4;

bool SystemService() { return gServerType == kSystemServiceType || gServerType == kSystemServiceTypeNew; }

bool StartEngine(int voice, int rate, int pitch) {
  if (gServerType == kOwnEngineType) return false;
  if (SystemService()) return StartSpeechdServer(voice, rate, pitch);
  return StartEspeakServer(voice, rate, pitch);
}

}  // namespace

bool StartSpeechServer(int voice, int rate, int pitch, std::string_view, int type) {
  gServerType = type;
  const bool started = StartEngine(voice, rate, pitch);
  if (started) {
    while (ServerIsSpeaking(true)) Delay(kStartPoll);
  }
  return started;
}

void ServerSpeak(std::string_view text) {
  if (SystemService()) {
    SpeechdSpeak(text);
  } else {
    EspeakSpeak(text);
  }
}

bool ServerIsSpeaking(bool) { return SystemService() ? SpeechdIsSpeaking() : EspeakIsSpeaking(); }

void ServerStop() {
  if (SystemService()) {
    SpeechdStop();
  } else {
    EspeakStop();
  }
}

void CloseSpeechServer() {
  if (SystemService()) {
    CloseSpeechdServer();
  } else {
    CloseEspeakServer();
  }
}
