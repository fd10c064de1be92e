// Braille transcription: one line of print text (Windows-1252) becomes
// internal Braille text, one byte per cell, by the current (unified) rules
// or the old rules, optionally with English-style capitals and signs.
#pragma once

#include <string>
#include <string_view>

// State carried from one line to the next; reset at the start of every copy.
struct TranscriptionState {
  bool nextQuoteOpens = true;     // unified rules, English style
  bool oldNextQuoteOpens = true;  // old rules
  bool inTextParenthesis = false; // unified rules
};

extern TranscriptionState transcriptionState;
void ResetTranscriptionState();

std::string TranscribeUnified(std::string_view text, bool englishStyle);
std::string TranscribeOld(std::string_view text, bool englishStyle);

// TranscribeOld when the old rules are in force (USABRAILLEANTIGO), else
// TranscribeUnified.
std::string Transcribe(std::string_view text, bool englishStyle);
