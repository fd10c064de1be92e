// The message catalogue: every message of the printing side is a short key
// ("BRFIMTRA") with one Portuguese text (Windows-1252), written on the
// console and spoken by ShowMessage.
#pragma once

#include <string>
#include <string_view>

// The text of key, or "--> Mensagem inválida: " followed by the key.
std::string GetMessage(std::string_view key);

// Writes the text (lineEnds >= 0) followed by lineEnds line ends, then
// speaks it: the key's recorded sound when there is one, else the text.
// A negative count only speaks.
void ShowMessage(std::string_view key, int lineEnds);
