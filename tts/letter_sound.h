// The letter sound files the translator spells with: WAV files whose data
// chunk holds samples in the translator's own output format.
#pragma once

#include <string>

// The samples of the file's "data" chunk when the file is a PCM WAV file of
// 8-bit mono sound at 11025 Hz; empty when it is missing, unreadable or of
// another format (its bytes would only be noise in the output).
std::string ReadLetterSoundSamples(const std::string& linuxPath);
