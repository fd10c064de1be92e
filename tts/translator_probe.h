// Where the translator's work can be watched: the WAV images it would play,
// and every unit it asks the index for. Used by the tests and the coverage
// measurement; the program itself leaves both unset.
#pragma once

#include <string_view>

// Receives each finished WAV image instead of the WAV playback (null: play
// it and wait for its end).
using TranslatorImageSink = void (*)(std::string_view image);
void SetTranslatorImageSink(TranslatorImageSink sink);

// Called for each unit a syllable asks for (its index name, upper case),
// with whether the index holds it; the smaller units a missing one is
// rebuilt from are not reported.
using TranslatorUnitObserver = void (*)(std::string_view unit, bool found);
void SetTranslatorUnitObserver(TranslatorUnitObserver observer);
