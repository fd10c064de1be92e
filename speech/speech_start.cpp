// Start and end of speech: the speed and its settings, the translator, the
// recording folders and the speech server switch.
#include <charconv>
#include <cstdlib>
#include <string>

#include "audio/wav_playback.h"
#include "console/console.h"
#include "platform/message_texts.h"
#include "platform/suite_settings.h"
#include "speech/speech.h"
#include "speech/speech_server.h"
#include "speech/speech_state.h"
#include "tts/translator.h"

SpeechState speech;

namespace {

constexpr int kDefaultSpeed = 3;
constexpr int kFastestSpeed = 5;
constexpr std::size_t kMaxDatabaseName = 8;
constexpr int kDefaultServerType = 4;
constexpr int kMaxServerRate = 10;

// The whole value as a decimal number; fallback when it is not one.
int NumberOr(std::string_view text, int fallback) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() ? value : fallback;
}

bool FlagOn(std::string_view text) { return !text.empty() && text.front() != 'N' && text.front() != 'n'; }

std::string SpeedSetting(std::string_view base) {
  return ReadSuiteSetting("SINTETIZADOR", std::string(base) + std::to_string(speech.speed));
}

// Reads the settings of the current speed and hands the translator and the
// playback their part.
void LoadSpeedSettings() {
  SpeedSettings& s = speech.settings;
  s.databaseName = SpeedSetting("DIFONES").substr(0, kMaxDatabaseName);
  s.trimAmount = NumberOr(SpeedSetting("CORTEFON"), s.trimAmount);
  s.minimumUnitLength = NumberOr(SpeedSetting("SOBRAFON"), 0);
  s.wordGap = NumberOr(SpeedSetting("INTERPAL"), 0);
  s.cut = FlagOn(SpeedSetting("CORTAFALA"));
  s.fast = FlagOn(SpeedSetting("RAPIDINHO"));
  s.fullStopPause = NumberOr(SpeedSetting("PAUSAPONTO"), 250);
  s.commaPause = NumberOr(SpeedSetting("PAUSAVIRG"), 150);
  s.colonPause = NumberOr(SpeedSetting("PAUSADOISPONTOS"), 200);
  TranslatorSetDatabaseName(s.databaseName);
  TranslatorSetTiming(s.trimAmount, s.minimumUnitLength, s.wordGap);
  playbackFlags.cut = s.cut;
  playbackFlags.fast = s.fast;
}

std::string WithSeparator(std::string directory) {
  if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') directory += '\\';
  return directory;
}

// Without a voice nothing can be said: the error stays on the screen until
// Enter (or ESC, all a console without a keyboard answers).
void ReportNoVoice(int result) {
  WriteToConsole(GetMessageWith("VOZERINI", {std::to_string(result)}));
  WriteLineEnds(1);
  WriteToConsole(GetMessageWith("VOZBANCO", {speech.settings.databaseName}));
  WriteLineEnds(1);
  FlushConsole();
  TranslatorClose();
  for (int key = ReadKey(); key != kEnterKey && key != kEscapeKey; key = ReadKey()) {
  }
}

// A key of section SERVFALA; one left out (or empty) keeps the server's own.
int ServerSetting(std::string_view key) {
  const std::string value = ReadSuiteSetting("SERVFALA", key);
  return value.empty() ? kServiceOwnSetting : NumberOr(value, 0);
}

void StartServerWhenChosen() {
  if (!FlagOn(ReadSuiteSetting("TRADUTOR", "SAPI"))) return;
  const int voice = ServerSetting("VOZ");
  int rate = ServerSetting("VELOCIDADE");
  const int pitch = ServerSetting("TOM");
  const int type = NumberOr(ReadSuiteSetting("SERVFALA", "TIPOSAPI"), kDefaultServerType);
  if (type != kDefaultServerType && rate > kMaxServerRate) rate = 0;
  speech.serverActive = StartSpeechServer(voice, rate, pitch, "", type);
  speech.serverType = type;
}

// A program that ends while a server speaks (a stop signal, the window
// closed) silences it: speech-dispatcher would otherwise speak on.
void StopServerAtExit() {
  if (speech.serverActive) ServerStop();
}

}  // namespace

int StartSpeech(int speed, std::string_view messagesDirectory) {
  if (speed <= 0) speed = NumberOr(ReadSuiteSetting("TRADUTOR", "VELOCIDADE"), 0);
  speech.speed = speed <= 0 || speed > kFastestSpeed ? kDefaultSpeed : speed;
  // The translator takes its database name and timing at its start.
  LoadSpeedSettings();
  if (const int result = TranslatorStart(); result != 0) {
    ReportNoVoice(result);
    return result;
  }
  speech.messagesDirectory = WithSeparator(std::string(messagesDirectory));
  const std::string letters = ReadWindowsDirectorySetting("TRADUTOR", "DIRLETRAS");
  speech.lettersDirectory = WithSeparator(letters.empty() ? "c:\\sonarw\\som\\letras\\" : letters);
  StartServerWhenChosen();
  static const bool stopAtExit = std::atexit(StopServerAtExit) == 0;
  (void)stopAtExit;
  speech.started = true;
  return 0;
}

bool SpeechStarted() { return speech.started; }

void SetSpeechSilent(bool silent) { speech.silent = silent; }

void ShutdownSpeech() {
  WaitSpeechEnd();
  StopSpeech();
  if (speech.serverActive) CloseSpeechServer();
  speech.serverActive = false;
  TranslatorClose();
  speech.started = false;
}

void ResetSpeech() {
  ShutdownSpeech();
  speech = SpeechState{};
}
