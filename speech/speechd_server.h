// The speech server of types 5 and 54: the system speech service,
// speech-dispatcher, reached through libspeechd. Texts are spoken
// asynchronously by the service; its begin, end and cancel notifications
// tell whether it is still speaking.
#pragma once

#include <string_view>

// Voice number (1 is the first; see service_voices.h), rate and pitch from
// -10 to 10; kServiceOwnSetting keeps the user's own for any of them. False, with nothing printed, when the service cannot be reached
// or offers no voice.
bool StartSpeechdServer(int voice, int rate, int pitch);
// Returns at once; an empty text is spoken as one blank. A refused text beeps.
void SpeechdSpeak(std::string_view text);
// Waits at most 20 ms for the text to end. False once it has ended or been
// stopped, when the service has gone away, and when it has said nothing of
// its texts for longer than they could take (it is then given up).
bool SpeechdIsSpeaking();
// Whether texts can still be handed to the service: it is connected, has
// not gone away and has not been given up.
bool SpeechdAvailable();
void SpeechdStop();
void CloseSpeechdServer();
