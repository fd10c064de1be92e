#include "platform/audio_output.h"

#include <atomic>
#include <cstdlib>

namespace {

struct AudioOutputState {
  std::unique_ptr<AudioOutput> output;
  bool open = false;
  AudioOutputProblem problem;
};

AudioOutputState& State() {
  static AudioOutputState state;
  return state;
}

// Read by the back ends' threads.
std::atomic<BufferDoneCallback> bufferDoneCallback{nullptr};

AudioOutput& Output() {
  ChooseAudioOutputFromEnvironment();
  return *State().output;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

void ReportBufferDone(int slot) {
  const BufferDoneCallback callback = bufferDoneCallback.load();
  if (callback != nullptr) callback(slot);
}

void ChooseAudioOutput(std::string_view setting) {
  State().problem = AudioOutputProblem{};
  if (setting == "null") {
    UseAudioOutput(MakeNullAudioOutput(""));
  } else if (StartsWith(setting, "null:")) {
    UseAudioOutput(MakeNullAudioOutput(setting.substr(5)));
  } else if (StartsWith(setting, "wav:")) {
    UseAudioOutput(MakeWavFileAudioOutput(setting.substr(4)));
  } else {
    UseAudioOutput(MakeSdlAudioOutput());
    if (!setting.empty() && setting != "sdl") {
      State().problem = AudioOutputProblem{AudioOutputProblem::UnknownSetting, std::string(setting), 0};
    }
  }
}

void ChooseAudioOutputFromEnvironment() {
  if (State().output != nullptr) return;
  const char* setting = std::getenv("RELEVIX_AUDIO");
  ChooseAudioOutput(setting != nullptr ? setting : "");
}

AudioOutputProblem CurrentAudioOutputProblem() { return State().problem; }

void ReportRecordingFailure(std::string_view path, int error) {
  AudioOutputProblem& problem = State().problem;
  if (problem.kind == AudioOutputProblem::RecordingFailed) return;
  problem = AudioOutputProblem{AudioOutputProblem::RecordingFailed, std::string(path), error};
}

void UseAudioOutput(std::unique_ptr<AudioOutput> output) {
  AudioOutputState& state = State();
  if (state.output != nullptr && state.open) CloseAudioOutput();
  state.output = std::move(output);
}

int OpenAudioOutput(const AudioFormat& format, BufferDoneCallback bufferDone) {
  AudioOutput& output = Output();
  AudioOutputState& state = State();
  if (state.open) CloseAudioOutput();
  const bool supported =
      (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.channels > 0 && format.samplesPerSecond > 0;
  if (!supported) return kAudioBadFormat;
  bufferDoneCallback.store(bufferDone);
  const int result = output.Open(format);
  state.open = result == kAudioOk;
  return result;
}

bool AudioOutputIsOpen() { return State().open; }

int WriteAudioBuffer(int slot, const unsigned char* data, int length) {
  if (!State().open) return kAudioInvalidHandle;
  return Output().Write(slot, data, length);
}

int ReleaseAudioBuffer(int slot) {
  if (!State().open) return kAudioInvalidHandle;
  return Output().Release(slot);
}

void ResetAudioOutput() {
  if (State().open) Output().Reset();
}

void CloseAudioOutput() {
  AudioOutputState& state = State();
  if (!state.open) return;
  state.output->Close();
  state.open = false;
}

void LogAudioSound(std::string_view source) { Output().LogSound(source); }
