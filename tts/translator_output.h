// The translator's output: units from the index (with their fallbacks),
// letter sounds, silence and noise appended to the output buffer, which is
// played whenever the next piece would not fit, and at the end.
#pragma once

#include <string_view>

// A unit asked for by a syllable: "_name" is a letter sound file, any other
// name is looked up upper-cased in the index. Mode 2 (stressed) keeps the
// unit whole; modes 0 and 1 trim units of three or more characters. Units
// that are missing are rebuilt from smaller ones or replaced by noise.
void SynthUnit(std::string_view name, int mode, double factor);
// Silence of the given number of bytes, in blocks of 100.
void AppendSilence(int bytes);
// Plays what the buffer holds (if anything), waits for the end of playback
// and empties the buffer.
void PlayOutputBuffer();
