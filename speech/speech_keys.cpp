// Keys read with their sound: the answer to a question, the speed digit.
#include <string>

#include "console/console.h"
#include "speech/speech.h"
#include "speech/spoken_numbers.h"

EchoedKey ReadKeyEchoed() {
  for (;;) {
    WaitSpeechEnd();
    EchoedKey read;
    read.key = ReadKey();
    if (read.key == kExtendedKey) {
      read.code = ReadKey();
      if (read.code == kShiftModifierKey || read.code == kCtrlModifierKey || read.code == kAltModifierKey) {
        read.key = ReadKey();
      }
    }
    if (read.key == kExtendedKey && read.code == kF8Key) {
      SpeakCurrentTime();
      continue;
    }
    if (read.key >= kFirstCharacterKey && read.key != kFocusGainedKey && read.key != kFocusLostKey) {
      PlayLetterSound(static_cast<unsigned char>(read.key));
      WriteToConsole(std::string(1, static_cast<char>(read.key)));
    }
    return read;
  }
}

int ReadKeySpoken() {
  const int key = ReadKey();
  StopSpeech();
  PlayLetterSound(static_cast<unsigned char>(key));
  return key;
}
