// The audio output that stands for the system's wave output device: PCM
// buffers are handed to it one by one and reported back, each by its slot
// number, when fully played. The back end is chosen once from RELEVIX_AUDIO:
// "sdl" (default) plays on the sound card, "null" or "null:LOGFILE" completes
// buffers at once and logs every sound, "wav:PATH" appends all sound to one
// WAV file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/wav_format.h"

// Result codes, with the numbers the wave output device uses.
enum AudioResult : int {
  kAudioOk = 0,
  kAudioError = 1,          // unspecified failure (a write to the WAV file failed)
  kAudioBadDevice = 2,      // no such device (no sound card, file not creatable)
  kAudioAllocated = 4,      // device busy: worth retrying
  kAudioInvalidHandle = 5,  // the output is not open
  kAudioNoDriver = 6,       // the sound system cannot start
  kAudioNoMemory = 7,
  kAudioBadFormat = 32,     // not 8 or 16 bits, no channels or no rate
  kAudioStillPlaying = 33,  // the buffer is still queued on the output
};

// Called with the slot of every buffer that the output is done with, on the
// output's own thread or on the caller's. Must be safe from any thread.
using BufferDoneCallback = void (*)(int slot);

// A back end. Open, Write, Release, Reset and Close are called from the main
// thread only; a back end reports buffers through ReportBufferDone.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // 0 or an AudioResult code. The format has already been checked.
  virtual int Open(const AudioFormat& format) = 0;
  // Takes a buffer that stays valid until it is reported done. 0 means it
  // will be reported; any other code means it was not taken.
  virtual int Write(int slot, const unsigned char* data, int length) = 0;
  // 0 when the output no longer holds the buffer of that slot, else a code.
  virtual int Release(int slot) = 0;
  // Drops every queued buffer, reporting each one done, in order.
  virtual void Reset() = 0;
  // Ends output; a buffer still held is dropped and reported done.
  virtual void Close() = 0;
  // The sound just handed to the player is over: `source` is its file path
  // or "memory". Only the null output records it.
  virtual void LogSound(std::string_view source) { (void)source; }
};

// Back ends call this for each finished buffer; it forwards to the callback
// given to OpenAudioOutput.
void ReportBufferDone(int slot);

// Replaces the back end (closing the current one): "sdl" or "", "null",
// "null:LOGFILE", "wav:PATH"; anything else means "sdl", and is remembered as
// a problem. Paths are Linux paths (UTF-8), as they come from the
// environment. "wav:PATH" creates the file at once. Without a call, the
// first use chooses from RELEVIX_AUDIO.
void ChooseAudioOutput(std::string_view setting);
// Chooses from RELEVIX_AUDIO now, unless a back end is chosen already.
void ChooseAudioOutputFromEnvironment();

// What went wrong with the chosen output, for the user to be told: a value
// that names no output, or a WAV file that could not be created or written
// (the first failure is kept).
struct AudioOutputProblem {
  enum Kind { None, UnknownSetting, RecordingFailed };
  Kind kind = None;
  std::string subject;  // the setting, or the WAV file's path (UTF-8)
  int error = 0;        // errno of the failed creation or write
};
AudioOutputProblem CurrentAudioOutputProblem();
// Back ends call this when their recording fails.
void ReportRecordingFailure(std::string_view path, int error);
// Puts a back end of the caller's own in place (tests).
void UseAudioOutput(std::unique_ptr<AudioOutput> output);

// Opens the output for the format; 0 or an AudioResult code.
int OpenAudioOutput(const AudioFormat& format, BufferDoneCallback bufferDone);
bool AudioOutputIsOpen();
// Hands a buffer to the open output; 0, or a code when it was not taken.
int WriteAudioBuffer(int slot, const unsigned char* data, int length);
// 0 when the buffer of that slot is back; kAudioInvalidHandle when the output
// is closed; another code from the back end.
int ReleaseAudioBuffer(int slot);
void ResetAudioOutput();
void CloseAudioOutput();
void LogAudioSound(std::string_view source);

// The back ends, made by ChooseAudioOutput.
std::unique_ptr<AudioOutput> MakeSdlAudioOutput();
// An empty log path logs on standard error.
std::unique_ptr<AudioOutput> MakeNullAudioOutput(std::string_view logPath);
std::unique_ptr<AudioOutput> MakeWavFileAudioOutput(std::string_view path);
