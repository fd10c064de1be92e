#include "speech/speechd_server.h"

#include <libspeechd.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "console/console.h"
#include "console/console_events.h"
#include "platform/beep.h"
#include "platform/pipe_signal.h"
#include "platform/text_encoding.h"
#include "speech/service_voices.h"
#include "speech/speech_server.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kServiceStepsPerLevel = 10;  // levels -10..10 to the service's -100..100
constexpr int kServiceLimit = 100;
constexpr auto kEndWait = std::chrono::milliseconds(20);
// Texts waiting while the service says nothing of them for this long, with
// none being spoken, were dropped by it (a failing output module): waiting
// for their end would wait for ever.
constexpr auto kSilenceLimit = std::chrono::seconds(5);
// A text begun but never ended (a service that takes texts but has no sound
// device to play them on) is given up after the silence limit and this much
// per character waiting, more than the slowest voice takes to say it; the
// service is then left for the translator.
constexpr auto kTimePerCharacter = std::chrono::milliseconds(200);
constexpr int kStopSettle = 50;
// A service that takes the connection but never answers would hold the
// program before its greeting: past this, speech stays with the translator.
constexpr auto kConnectLimit = std::chrono::seconds(2);
constexpr int kCloseWait = 300;

// Written by libspeechd's notification thread, read by the main thread.
struct MessageProgress {
  std::mutex mutex;
  std::condition_variable changed;
  long said = 0;      // the last message handed to the service
  long begun = 0;     // the last message the service began
  long finished = 0;  // the last message ended or cancelled
  Clock::time_point lastNews;  // of the last text handed over or notified
  std::deque<std::pair<long, std::size_t>> waiting;  // messages not ended, with their lengths
};

MessageProgress gProgress;
SPDConnection* gConnection = nullptr;
bool gGivenUp = false;  // the service stopped saying the texts it took

bool SpeakingLocked() { return gProgress.finished < gProgress.said; }

void OnBegin(size_t message, size_t, SPDNotificationType) {
  std::lock_guard lock(gProgress.mutex);
  gProgress.begun = std::max(gProgress.begun, static_cast<long>(message));
  gProgress.lastNews = Clock::now();
}

void OnEnd(size_t message, size_t, SPDNotificationType) {
  {
    std::lock_guard lock(gProgress.mutex);
    gProgress.finished = std::max(gProgress.finished, static_cast<long>(message));
    gProgress.begun = std::max(gProgress.begun, gProgress.finished);
    gProgress.lastNews = Clock::now();
    while (!gProgress.waiting.empty() && gProgress.waiting.front().first <= gProgress.finished) {
      gProgress.waiting.pop_front();
    }
  }
  gProgress.changed.notify_all();
  PostWakeUp();
}

void MarkAllFinished() {
  std::lock_guard lock(gProgress.mutex);
  gProgress.finished = gProgress.begun = gProgress.said;
  gProgress.waiting.clear();
}

// How long the service may say nothing before its texts count as lost.
Clock::duration SilenceLimitLocked() {
  if (gProgress.begun <= gProgress.finished) return kSilenceLimit;
  std::size_t characters = 0;
  for (const auto& message : gProgress.waiting) characters += message.second;
  return kSilenceLimit + kTimePerCharacter * static_cast<long>(characters);
}

// The service closed its end of the connection (it ended or crashed).
bool ConnectionLost() {
  pollfd status{gConnection->socket, POLLRDHUP, 0};
  return poll(&status, 1, 0) > 0 && (status.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) != 0;
}

int ServiceLevel(int level) { return std::clamp(level * kServiceStepsPerLevel, -kServiceLimit, kServiceLimit); }

std::vector<ServiceVoice> ListedVoices(SPDConnection* connection) {
  std::vector<ServiceVoice> voices;
  SPDVoice** listed = WithoutPipeSignal([connection] { return spd_list_synthesis_voices(connection); });
  for (SPDVoice** voice = listed; voice != nullptr && *voice != nullptr; ++voice) {
    voices.push_back({(*voice)->name != nullptr ? (*voice)->name : "",
                      (*voice)->language != nullptr ? (*voice)->language : ""});
  }
  if (listed != nullptr) free_spd_voices(listed);
  return voices;
}

struct Connected {
  SPDConnection* connection = nullptr;
  std::vector<ServiceVoice> voices;
};

// Connects (starting the service when it is not running) and lists its
// voices on a thread of its own, for at most kConnectLimit. A service that
// has not answered by then is left to that thread, which nothing waits for.
Connected ConnectWithinLimit() {
  auto result = std::make_shared<std::promise<Connected>>();
  std::future<Connected> answer = result->get_future();
  std::thread([result] {
    Connected connected;
    char* error = nullptr;
    // No address: the user's service (SPEECHD_ADDRESS or the default
    // socket), started by libspeechd when it is not running.
    connected.connection = WithoutPipeSignal(
        [&] { return spd_open2("relevix", "fala", nullptr, SPD_MODE_THREADED, nullptr, 1, &error); });
    std::free(error);
    if (connected.connection != nullptr) connected.voices = ListedVoices(connected.connection);
    result->set_value(std::move(connected));
  }).detach();
  if (answer.wait_for(kConnectLimit) != std::future_status::ready) return {};
  return answer.get();
}

}  // namespace

bool StartSpeechdServer(int voice, int rate, int pitch) {
  CloseSpeechdServer();
  {
    // Message numbers start again with a new service.
    std::lock_guard lock(gProgress.mutex);
    gProgress.said = gProgress.begun = gProgress.finished = 0;
  }
  gGivenUp = false;
  Connected connected = ConnectWithinLimit();
  gConnection = connected.connection;
  if (gConnection == nullptr) return false;
  const std::vector<ServiceVoice> voices = NumberedServiceVoices(std::move(connected.voices));
  if (voices.empty()) {
    CloseSpeechdServer();
    return false;
  }
  gConnection->callback_begin = OnBegin;
  gConnection->callback_end = OnEnd;
  gConnection->callback_cancel = OnEnd;
  WithoutPipeSignal([&] {
    spd_set_data_mode(gConnection, SPD_DATA_TEXT);
    // What the settings leave out stays as the user set it for the desktop.
    if (voice != kServiceOwnSetting) {
      const ServiceVoiceChoice choice = ChooseServiceVoice(voices.size(), voice, rate);
      const ServiceVoice& chosen = voices[choice.index];
      if (!chosen.language.empty()) spd_set_language(gConnection, chosen.language.c_str());
      spd_set_synthesis_voice(gConnection, chosen.name.c_str());
      rate = choice.rate;  // a number that names no voice speaks at the normal rate
    }
    if (rate != kServiceOwnSetting) spd_set_voice_rate(gConnection, ServiceLevel(rate));
    if (pitch != kServiceOwnSetting) spd_set_voice_pitch(gConnection, ServiceLevel(pitch));
    return spd_set_notification_on(gConnection, static_cast<SPDNotification>(SPD_BEGIN | SPD_END | SPD_CANCEL));
  });
  return true;
}

void SpeechdSpeak(std::string_view text) {
  if (gConnection == nullptr || gGivenUp) return;
  const std::string utf8 = Utf8FromWindows1252(text.empty() ? std::string_view(" ") : text);
  const int message =
      ConnectionLost() ? -1 : WithoutPipeSignal([&] { return spd_say(gConnection, SPD_MESSAGE, utf8.c_str()); });
  if (message < 0) {
    PlayWarningBeep();
    return;
  }
  std::lock_guard lock(gProgress.mutex);
  gProgress.said = std::max(gProgress.said, static_cast<long>(message));
  gProgress.lastNews = Clock::now();
  gProgress.waiting.emplace_back(message, text.size());
}

bool SpeechdIsSpeaking() {
  if (gConnection == nullptr) return false;
  {
    std::unique_lock lock(gProgress.mutex);
    if (gProgress.changed.wait_for(lock, kEndWait, [] { return !SpeakingLocked(); })) return false;
    gGivenUp = gGivenUp || Clock::now() - gProgress.lastNews > SilenceLimitLocked();
    if (!gGivenUp && !ConnectionLost()) {
      PostWakeUp();
      return true;
    }
  }
  MarkAllFinished();
  return false;
}

bool SpeechdAvailable() { return gConnection != nullptr && !gGivenUp && !ConnectionLost(); }

void SpeechdStop() {
  if (gConnection == nullptr) return;
  if (!ConnectionLost()) WithoutPipeSignal([] { return spd_cancel(gConnection); });
  MarkAllFinished();
  Delay(kStopSettle);
}

void CloseSpeechdServer() {
  if (gConnection == nullptr) return;
  while (SpeechdIsSpeaking()) Delay(kCloseWait);
  if (gGivenUp) WithoutPipeSignal([] { return spd_cancel(gConnection); });
  WithoutPipeSignal([] {
    spd_close(gConnection);
    return 0;
  });
  gConnection = nullptr;
  MarkAllFinished();
}
