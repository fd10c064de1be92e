// The Portuguese engine's outer shell: MBROLA started on the voice, the five
// language data files loaded, each text run through the stages and the
// samples sent to the WAV playback or into a WAV file (16 kHz, 16-bit mono).
#pragma once

#include <string>
#include <string_view>

// Empty: the sound card; else the WAV file TtsStart creates. Takes effect at
// the next TtsStart.
void TtsSetOutputFile(std::string_view name);

// Binds MBROLA, starts it on the voice (the registry look-up of the database
// name, else the name itself), loads the data files (an empty name takes its
// default: "br4", "portug.nrl", "portug.exc", "portug.abr", "portug.pro",
// "portug.dfn") and opens the output file if one is set. False on any
// failure; a data file or output file failure leaves its text in
// TtsLastError.
bool TtsStart(std::string_view database, std::string_view rulesFile, std::string_view exceptionsFile,
              std::string_view abbreviationsFile, std::string_view prosodyFile, std::string_view diphoneListFile);

// Multiplies every phoneme duration and every pitch.
void TtsSetFactors(double durationFactor, double pitchFactor);

// Speaks (or writes) one text; false when MBROLA reported an error or a file
// write failed on the way. An empty or blank text is true, with no sound.
bool TtsSpeak(std::string_view text);

// Sound card: stops the playback at once. File: nothing.
void TtsStop();
// Sound card: whether the playback still sounds. File: always false.
bool TtsBusy();

// Finishes the output file (its header takes the real sizes), frees the
// data, ends MBROLA and unbinds it.
void TtsClose();

// The text of the last data or output file failure of TtsStart.
const std::string& TtsLastError();
