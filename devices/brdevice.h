// Output device dispatch: one write interface over the serial port, the
// parallel port, the print spooler (PRN) and plain files.
#pragma once

#include <string>
#include <string_view>

// Opens the device of that name (Windows-1252); documentName names the
// spooler job. True on success.
bool DeviceOpen(std::string_view name, std::string_view documentName = {});
// Sends the bytes unchanged; true when the device took them all.
bool DeviceWrite(std::string_view bytes);
// Ends the output. False when bytes still held for a file could not be
// written (a full disk): the end of the output is then missing.
bool DeviceClose();

// Tests: the next DeviceOpen, whatever the name, writes into sink instead.
void DirectNextDeviceToMemory(std::string& sink);
