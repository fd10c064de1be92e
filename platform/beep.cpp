#include "platform/beep.h"

#include <unistd.h>

namespace {

// The BEL character on standard error, when that is a terminal: a redirected
// log should not collect bells.
void RingTerminalBell() {
  if (isatty(STDERR_FILENO) == 1) {
    [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, "\a", 1);
  }
}

WarningBeepSound warningBeepSound = RingTerminalBell;

}  // namespace

void PlayWarningBeep() { warningBeepSound(); }

void SetWarningBeepSound(WarningBeepSound sound) { warningBeepSound = sound != nullptr ? sound : RingTerminalBell; }
