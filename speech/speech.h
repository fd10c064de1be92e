// The speech front end as the rest of the program calls it. Speech is
// silent until StartSpeech has set up a voice; the writing half of each
// operation always works, so a program that never starts speech (the
// command-line tool) shows every text and says nothing.
#pragma once

#include <string>
#include <string_view>

bool SpeechStarted();

void SpeakText(std::string_view text);
bool HasMessageSound(std::string_view key);
void PlayMessageSound(std::string_view key);
// Writes the number in decimal on the console, then speaks it.
void SpeakNumber(int number);
// Write on the console (flushed), then speak; the second adds a line end.
void WriteAndSpeak(std::string_view text);
void WriteLineAndSpeak(std::string_view text);
bool IsSpeaking();
void ShutdownSpeech();
