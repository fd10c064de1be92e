// Speech servers: engines that take whole texts instead of the letter
// sounds and the translator. A server that cannot start leaves the front
// end speaking through the translator.
#pragma once

#include <climits>
#include <string_view>

// A voice, rate or pitch that the settings leave out: speech-dispatcher
// keeps the one the user chose for the whole desktop; the other servers
// take 0 (the first voice, the normal rate and pitch).
inline constexpr int kServiceOwnSetting = INT_MIN;

// The voice name is empty for the sound device; type selects the engine.
bool StartSpeechServer(int voice, int rate, int pitch, std::string_view voiceName, int type);
// Returns at once; the text is spoken in the background.
void ServerSpeak(std::string_view text);
// False when the server can no longer speak (the system service has gone
// away or has been given up): the front end speaks through the translator.
bool ServerAvailable();
// Strict: only text still to be spoken counts, not audio still sounding.
bool ServerIsSpeaking(bool strict);
void ServerStop();
void CloseSpeechServer();

// The own engine's speed and pitch from a rate and a pitch of -10..10 (0
// normal), as the settings and speech-dispatcher give them.
void SetOwnEngineRateAndPitch(int rate, int pitch);
