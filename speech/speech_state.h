// The front end's program-wide record, shared by its source files.
#pragma once

#include <string>

// What the settings give one speed level (section SINTETIZADOR, keys with
// the level appended).
struct SpeedSettings {
  std::string databaseName;  // the translator's unit files, at most 8 characters
  int trimAmount = 400;      // the translator's own until a setting says otherwise
  int minimumUnitLength = 0;
  int wordGap = 0;
  bool cut = false;
  bool fast = false;
  int fullStopPause = 250;  // ms
  int commaPause = 150;
  int colonPause = 200;
};

struct SpeechState {
  bool started = false;
  int speed = 3;
  std::string messagesDirectory;  // with a trailing separator when not empty
  std::string lettersDirectory;   // with a trailing separator
  SpeedSettings settings;
  bool serverActive = false;  // a speech server takes the texts
  int serverType = 4;
  bool pending = true;  // a text handed to the server may still be playing
  bool stopRequested = false;
  bool silent = false;  // the Braille display alone: nothing is heard
};

extern SpeechState speech;
