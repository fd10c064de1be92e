// Parallel ports (/dev/lp0.., or a USB printer node such as /dev/usb/lp0):
// opened write-only; the kernel's printer driver does the handshaking.
#pragma once

#include <string_view>

// Opens the existing port device of that system path (Windows-1252) for
// writing. The descriptor, or -1 when the port cannot be opened (absent,
// busy, access refused). Write and close with platform/byte_output.h.
int OpenParallelDevice(std::string_view systemPath);
