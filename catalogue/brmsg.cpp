#include "catalogue/brmsg.h"

#include <cerrno>
#include <string>
#include <string_view>

#include "braille_display/braille_display.h"
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
    ShowOnBrailleDisplay(text);
    PlayMessageSound(key);
  } else {
    SpeakText(text);
  }
}

void ShowMessageAbout(std::string_view key, std::string_view detail) {
  const std::string about = ": " + std::string(detail);
  ShowMessage(key, 0);
  WriteLineAndSpeak(about);
  // The display keeps the whole line, as the screen does.
  ShowOnBrailleDisplay(GetMessage(key) + about);
}

std::string SystemErrorText(int error, bool creatingFile) {
  switch (error) {
    case ENOENT:
      return GetMessage(creatingFile ? "BRSEMPAS" : "BRNAOEXI");
    case ENOTDIR:
      return GetMessage("BRSEMPAS");
    case EACCES:
    case EPERM:
      return GetMessage("BRSEMPER");
    case EISDIR:
      return GetMessage("BRPASTA");
    case ENOSPC:
    case EDQUOT:
      return GetMessage("BRDISCHE");
    case EROFS:
      return GetMessage("BRSOLEIT");
    case EBUSY:
    case ETXTBSY:
      return GetMessage("BREMUSO");
    case ENXIO:
    case ENODEV:
    case EIO:
      return GetMessage("BRDESLIG");
    default:
      return GetMessage("BRERRSIS") + std::to_string(error);
  }
}
