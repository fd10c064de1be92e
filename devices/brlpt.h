// Parallel port writer for embossers on LPT1 to LPT3: the port is opened
// write-only and the bytes are sent as they are; the printer driver of the
// kernel does the handshaking.
#pragma once

#include <string_view>

// name is "LPT1", "LPT2" or "LPT3". False when the port cannot be opened.
bool OpenParallelPort(std::string_view name);
// Sends every byte; false when the port refuses the write or is not open.
bool WriteParallelPort(std::string_view bytes);
void CloseParallelPort();
