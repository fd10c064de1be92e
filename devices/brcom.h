// Serial port writer for embossers on COM1 and COM2: the line is set to 9600
// baud, 8 data bits, no parity, 1 stop bit, and before every write the writer
// waits, beeping, until the embosser raises CTS and DSR, or the user
// presses Esc.
#pragma once

#include <chrono>
#include <string_view>

struct SerialWriterState {
  int descriptor = -1;
  // Pause between two looks at the modem lines while the embosser is not
  // ready; a warning beep follows each pause.
  std::chrono::milliseconds readyPause{500};
};

extern SerialWriterState serialWriter;

// name is "COM1" or "COM2". False when the port cannot be opened.
bool OpenSerialPort(std::string_view name);
// Waits for the embosser, then sends every byte; false when the port
// refuses the write, is not open, or Esc ended the wait.
bool WriteSerialPort(std::string_view bytes);
void CloseSerialPort();
// Closes the port and restores the default pause.
void ResetSerialWriter();
