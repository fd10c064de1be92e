#include "devices/brcom.h"

#include <thread>

#include "console/key_codes.h"
#include "console/key_queue.h"
#include "devices/port_names.h"
#include "platform/beep.h"
#include "platform/byte_output.h"
#include "platform/serial_port.h"

SerialWriterState serialWriter;

namespace {

// Ready means CTS and DSR both on. A port whose modem lines cannot be read at
// all (a pseudo-terminal, a USB adapter without them) counts as ready:
// waiting for lines that never report would never end.
bool EmbosserReady() {
  ModemLines lines;
  if (!ReadModemLines(serialWriter.descriptor, lines)) return true;
  return lines.clearToSend && lines.dataSetReady;
}

// Whether the user pressed Esc to stop waiting; other keys pressed while
// the embosser is not ready are dropped.
bool EscPressed() {
  while (KeyPressed()) {
    const unsigned char key = TakeKey();
    if (key == kExtendedKey) {
      if (keyQueue.count > 0) TakeKey();  // an extended key's code
    } else if (key == kEscapeKey) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool OpenSerialPort(std::string_view name) {
  CloseSerialPort();
  serialWriter.descriptor = OpenSerialDevice(PortDevicePath(name));
  return serialWriter.descriptor >= 0;
}

bool WriteSerialPort(std::string_view bytes) {
  if (serialWriter.descriptor < 0) return false;
  while (!EmbosserReady()) {
    // Esc gives the wait up: the line then counts as not written, and the
    // user chooses between going on and cancelling.
    if (EscPressed()) return false;
    std::this_thread::sleep_for(serialWriter.readyPause);
    PlayWarningBeep();
  }
  return WriteAllBytes(serialWriter.descriptor, bytes);
}

void CloseSerialPort() {
  CloseOutput(serialWriter.descriptor);
  serialWriter.descriptor = -1;
}

void ResetSerialWriter() {
  CloseSerialPort();
  serialWriter = SerialWriterState{};
}
