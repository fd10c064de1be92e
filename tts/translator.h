// The diphone translator: the program's self-contained Portuguese speech.
// It transcribes words into a phonetic string with its own letter-to-sound
// rules and exceptions, cuts the string into units, and joins the units'
// recorded samples (8-bit mono 11025 Hz) from the unit index into a WAV
// image that the WAV playback plays; what it spells comes from the letter
// sound files.
#pragma once

#include <string>
#include <string_view>

// 0 ready; 1 a folder or the unit files are not usable; 2 the rules or the
// exceptions cannot be loaded. Folders come from section TRADUTOR of the
// settings ("dirLetras", "DIRDIFONES").
int TranslatorStart();
// Frees the output buffer, the rules, the exceptions and the index, and
// closes the samples file.
void TranslatorClose();
// Trim of unstressed units, minimum unit length and gap after each word, in
// bytes of samples (400, 0 and 100 until changed).
void TranslatorSetTiming(int trimAmount, int minimumUnitLength, int wordGap);
// Base name of the index (".IND") and samples (".DIF") files, at most 8
// characters; "DIFONES2" until changed, and when the name given is empty.
// Takes effect at the next start.
void TranslatorSetDatabaseName(std::string_view baseName);

// The phonetic string of a text: per word "[" rule outputs joined by "/"
// "]", or the word spelled as "[ /_c]" per character.
std::string TranslatorTranscribe(std::string_view text);
// Speaks a phonetic string and returns when all of it has been played.
// With noPauses false, "_," "_." "_:" and "_;" become silences.
void TranslatorSpeak(std::string_view phonetic, bool noPauses);

// Closes the translator and restores every setting (tests).
void ResetTranslator();
