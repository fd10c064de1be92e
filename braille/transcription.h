// Braille transcription: one line of print text (Windows-1252) becomes
// internal Braille text, one byte per cell, by the current (unified) rules
// or the old rules, optionally with English-style capitals and signs.
#pragma once

#include <string>
#include <string_view>

// State carried from one line to the next; a new one for every copy.
struct TranscriptionState {
  bool nextQuoteOpens = true;     // unified rules, English style
  bool oldNextQuoteOpens = true;  // old rules
  bool inTextParenthesis = false; // unified rules
};

std::string TranscribeUnified(std::string_view text, bool englishStyle, TranscriptionState& state);
std::string TranscribeOld(std::string_view text, bool englishStyle, TranscriptionState& state);

// TranscribeOld when oldRules, else TranscribeUnified.
std::string Transcribe(std::string_view text, bool englishStyle, bool oldRules, TranscriptionState& state);
