// A sound device of its own for the console's tones: 8-bit mono samples
// played from memory, looping or once, beside whatever the audio output
// plays. With RELEVIX_AUDIO set to anything but "sdl" no device is opened
// and tones are silent.
#pragma once

#include <string_view>

// Replaces any sound playing; false when no device could be opened.
bool PlayToneSamples(std::string_view samples, int samplesPerSecond, bool looping);
void StopToneSamples();
