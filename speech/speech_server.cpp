#include "speech/speech_server.h"

bool StartSpeechServer(int, int, int, std::string_view, int) { return false; }

void ServerSpeak(std::string_view) {}

bool ServerIsSpeaking(bool) { return false; }

void ServerStop() {}

void CloseSpeechServer() {}
