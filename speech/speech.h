// The speech front end: everything the program says goes through here.
// Digits become numbers joined from recorded pieces, words go to the diphone
// translator, signs are played as letter sounds, message keys as their
// recordings; a queued key stops speech at once and stays queued. Speech is
// silent until StartSpeech has set up a voice; the writing half of each
// operation always works, so a program that never starts speech (the
// command-line tool) shows every text and says nothing.
#pragma once

#include <string>
#include <string_view>

// Once at start. A speed of 0 or less takes TRADUTOR/VELOCIDADE (1..5, else
// 3); the messages directory holds the recordings of the message keys. 0
// when speech started; else the translator's start code, after the error
// was written and the user answered it with Enter: the program has no voice
// and ends.
int StartSpeech(int speed, std::string_view messagesDirectory);

// The exit status of a program whose voice could not start.
inline constexpr int kNoVoiceStatus = 1;
bool SpeechStarted();
// Waits for speech to end, stops it, closes the speech server and the
// translator.
void ShutdownSpeech();

// Speech and recorded sounds off (or on again), for a user who works with
// the Braille display alone; what would be said is still shown there.
void SetSpeechSilent(bool silent);

// Shows the text on the Braille display, then returns when it has been said
// or a key was queued (with a speech server: as soon as the server has it).
void SpeakText(std::string_view text);
// Shows the text on the Braille display, then says each character by its
// letter sound, until a key is queued.
void SpeakLetters(std::string_view text);
// The letter sound _CODE.wav of the letters directory.
void PlayLetterSound(unsigned char character);
// The recording of a key: "_name" in the letters directory, any other key in
// the messages directory.
bool HasMessageSound(std::string_view key);
void PlayMessageSound(std::string_view key);

// Writes the number in decimal on the console, then speaks it.
void SpeakNumber(int number);
// Write on the console (flushed), then speak; the second then ends the line.
void WriteAndSpeak(std::string_view text);
void WriteLineAndSpeak(std::string_view text);

// The pause after a sign at the front of text: its letter sound, then the
// pause the settings give it ("." "," and "-" only before a blank).
void PunctuationPause(std::string_view text);
// Waits in steps of 50 ms; a queued key skips the rest.
void PausePlayback(int milliseconds);

// False once a key is queued (speech is then stopped, the key kept).
bool IsSpeaking();
void WaitSpeechEnd();
// Waits for a text handed to a speech server before a recorded sound plays.
void FinishPendingSpeech();
void StopSpeech();

void PlayWavImageAndWait(std::string_view image);
// A short click (a sign repeated too often) and the refusal tone (which also
// drops every queued key, and is shown on the Braille display as a short
// text).
void PlayClick();
void PlayBeep();

// A key read after speech has ended; an extended key has key 0 and its code
// (32 otherwise). F8 says the time and reads on; a printable key is spoken
// and written.
struct EchoedKey {
  int key = 0;
  int code = 32;
};
EchoedKey ReadKeyEchoed();
// Reads a key, stops speech and says the key.
int ReadKeySpoken();

// Puts the front end back as before StartSpeech (tests).
void ResetSpeech();
