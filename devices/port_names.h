// The port names of the output device setting and where they lead on Linux:
// the key of the same name in section RELEVIX when set (a USB adapter at
// /dev/ttyUSB0, a USB embosser at /dev/usb/lp0), else the usual device node.
#pragma once

#include <string>
#include <string_view>

enum class PortKind { None, Serial, Parallel };

// COM1 and COM2 are serial, LPT1 to LPT3 parallel; any other name (COM3 and
// LPT4 included) is no port. The name must be upper-case already.
PortKind PortKindOf(std::string_view upperName);

// Whether the name has the form of a port, COM or LPT followed by digits,
// though it is no port here (COM3, LPT4): such a device is a file of that
// name, and the user is told where the Braille went.
bool NamesNoSuchPort(std::string_view upperName);

// The device path (a Windows-1252 system path) of a port name.
std::string PortDevicePath(std::string_view upperName);
