#include "catalogue/brmsg.h"

#include <cerrno>
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

void ShowMessageAbout(std::string_view key, std::string_view detail) {
  ShowMessage(key, 0);
  WriteLineAndSpeak(": " + std::string(detail));
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
