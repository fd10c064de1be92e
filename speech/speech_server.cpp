#include "speech/speech_server.h"

#include "console/console.h"
#include "console/key_queue.h"
#include "speech/espeak_server.h"
#include "speech/speechd_server.h"
#include "tts/engine_language_data.h"
#include "tts/portuguese_engine.h"

// The server types: the own Portuguese engine with MBROLA for 3,
// speech-dispatcher for 5 and 54, eSpeak NG for every other type.
namespace {

constexpr int kOwnEngineType = 3;
constexpr int kSystemServiceType = 5;
constexpr int kSystemServiceTypeNew = 54;
constexpr int kStartPoll = 50;

int gServerType = 4;

bool SystemService() { return gServerType == kSystemServiceType || gServerType == kSystemServiceTypeNew; }

bool OwnEngine() { return gServerType == kOwnEngineType; }

// The own engine with the data files of the settings.
bool StartOwnEngine(int rate, int pitch) {
  const EngineDataFiles files = ReadEngineDataFiles();
  if (!TtsStart(files.database, files.rules, files.exceptions, files.abbreviations, files.prosody, files.diphones)) {
    TtsClose();
    return false;
  }
  SetOwnEngineRateAndPitch(rate, pitch);
  return true;
}

// The own engine speaks in the caller's time; a key stops it.
bool OwnEngineIsSpeaking() {
  if (KeyPressed()) {
    TtsStop();
    return false;
  }
  return TtsBusy();
}

void CloseOwnEngine() {
  while (TtsBusy()) Delay(500);
  TtsStop();
  TtsClose();
}

int OrNormal(int value) { return value == kServiceOwnSetting ? 0 : value; }

bool StartEngine(int voice, int rate, int pitch) {
  if (SystemService()) return StartSpeechdServer(voice, rate, pitch);
  if (OwnEngine()) return StartOwnEngine(OrNormal(rate), OrNormal(pitch));
  return StartEspeakServer(OrNormal(voice), OrNormal(rate), OrNormal(pitch));
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
  if (OwnEngine()) {
    TtsSpeak(text);
  } else if (SystemService()) {
    SpeechdSpeak(text);
  } else {
    EspeakSpeak(text);
  }
}

bool ServerAvailable() { return !SystemService() || SpeechdAvailable(); }

bool ServerIsSpeaking(bool) {
  if (OwnEngine()) return OwnEngineIsSpeaking();
  return SystemService() ? SpeechdIsSpeaking() : EspeakIsSpeaking();
}

void ServerStop() {
  if (OwnEngine()) {
    TtsStop();
  } else if (SystemService()) {
    SpeechdStop();
  } else {
    EspeakStop();
  }
}

void CloseSpeechServer() {
  if (OwnEngine()) {
    CloseOwnEngine();
  } else if (SystemService()) {
    CloseSpeechdServer();
  } else {
    CloseEspeakServer();
  }
}

// Faster speech is shorter phonemes, a higher pitch value a higher voice.
void SetOwnEngineRateAndPitch(int rate, int pitch) { TtsSetFactors(0.8 - rate / 15.0, (pitch + 11) / 11.0); }
