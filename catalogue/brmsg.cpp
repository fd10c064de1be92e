#include "catalogue/brmsg.h"

#include <string>
#include <string_view>

#include "console/console.h"
#include "speech/speech.h"

void ShowMessage(std::string_view key, int lineEnds) {
  const std::string text = GetMessage(key);
  if (lineEnds >= 0) {
    WriteToConsole(text);
    FlushConsole();
  }
  if (lineEnds > 0) {
    WriteLineEnds(lineEnds);
    FlushConsole();
  }
  if (HasMessageSound(key)) {
    PlayMessageSound(key);
  } else {
    SpeakText(text);
  }
}
