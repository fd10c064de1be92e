// The message catalogue: every message is a short key ("BRFIMTRA") with one
// Portuguese text (Windows-1252), written on the console and spoken by
// ShowMessage. The texts themselves (GetMessage) are platform/'s, so that
// the layers below the speech front end can use them too.
#pragma once

#include <string>
#include <string_view>

#include "platform/message_texts.h"

// Writes the text (lineEnds >= 0) followed by lineEnds line ends, then
// speaks it: the key's recorded sound when there is one, else the text.
// A negative count only speaks.
void ShowMessage(std::string_view key, int lineEnds);

// The message, then on the same line ": " and what it is about (a file, a
// device, a number), the line ended; both parts spoken.
void ShowMessageAbout(std::string_view key, std::string_view detail);

// Why a system call failed (errno), in a few Portuguese words (Windows-1252).
// creatingFile tells that a missing path means a missing folder.
std::string SystemErrorText(int error, bool creatingFile = false);
