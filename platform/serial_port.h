// Serial ports through termios: a tty opened for an embosser at 9600 baud,
// 8 data bits, no parity, 1 stop bit, and the modem input lines by which the
// embosser says it is ready.
#pragma once

#include <string_view>

// Opens the existing tty of that system path (Windows-1252) for reading and
// writing, for this process alone, and sets 9600 8N1. Every other setting
// (flow control, XON/XOFF characters, timeouts) stays as the port has it,
// except that output post-processing is switched off so the bytes leave
// unaltered. The descriptor, or -1 when the port cannot be opened. Write and
// close with platform/byte_output.h.
int OpenSerialDevice(std::string_view systemPath);

struct ModemLines {
  bool clearToSend = false;
  bool dataSetReady = false;
};

// Reads the modem input lines of the port; false when the port has none that
// can be read (a pseudo-terminal, an adapter without modem lines).
bool ReadModemLines(int descriptor, ModemLines& lines);

// Replaces the reader behind ReadModemLines (tests feed line states this
// way); nullptr restores the real one (TIOCMGET).
using ModemLineReader = bool (*)(int descriptor, ModemLines& lines);
void SetModemLineReader(ModemLineReader reader);
