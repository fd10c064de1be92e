// Speech servers: engines that take whole texts instead of the letter
// sounds and the translator. A server that cannot start leaves the front
// end speaking through the translator.
#pragma once

#include <string_view>

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
