// Keys read with their sound: the answer to a question, the speed digit.
#include <string>

#include "console/console.h"
#include "speech/speech.h"
#include "speech/spoken_numbers.h"

namespace {

constexpr int kShift = 16, kControl = 17, kAlt = 18;  // a modifier reported before the key
constexpr int kF8 = 66;
constexpr int kGotFocus = 222, kLostFocus = 223;

}  // namespace

EchoedKey ReadKeyEchoed() {
  for (;;) {
    WaitSpeechEnd();
    EchoedKey read;
    read.key = ReadKey();
    if (read.key == 0) {
      read.code = ReadKey();
      if (read.code == kShift || read.code == kControl || read.code == kAlt) read.key = ReadKey();
    }
    if (read.key == 0 && read.code == kF8) {
      SpeakCurrentTime();
      continue;
    }
    if (read.key >= 32 && read.key != kGotFocus && read.key != kLostFocus) {
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
