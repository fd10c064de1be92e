// WAV playback: PCM sound from WAV files, WAV images in memory or raw
// samples, queued in four rotating buffers on the audio output, stopped as
// soon as a key is queued, optionally sped up.
#pragma once

#include <string>
#include <string_view>

struct PlaybackFlags {
  bool keyCancel = true;   // a queued key stops playback
  bool waitForEnd = true;  // PlayWavFile returns when the sound has ended
  bool fast = false;       // rate x 1.5
  bool cut = false;        // drop every other pitch period of 16-bit mono
};

extern PlaybackFlags playbackFlags;

// 0 when every piece was queued; -1 when the file cannot be opened, is no
// WAV file, has no data chunk or a read gave nothing; else the device code.
int PlayWavFile(std::string_view path);
// Plays a complete WAV image held in memory; returns once it is queued.
void PlayWavImage(std::string_view image);
// Device error code or 0.
int PlaySamples(const unsigned char* samples, int byteCount, int samplesPerSecond, int channels, int bitsPerSample);
// Pumps events; stops playback (closing the output) when a key is queued or
// nothing is left to play. True while buffers are still queued.
bool IsPlaying();
// Drops everything queued and closes the output.
void StopPlayback();
// Buffers handed to the output and not yet reported done.
int QueuedBuffers();
// Stops playback and puts flags and slots back as at start (tests).
void ResetWavPlayback();

// The 44-byte header of a WAV image of PCM samples (block alignment 1, as
// every sound built in memory carries), followed by the samples.
std::string MakeWavImage(std::string_view samples, int samplesPerSecond, int channels, int bitsPerSample);
