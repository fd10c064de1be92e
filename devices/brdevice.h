// Output device dispatch: one write interface over the serial port, the
// parallel port, the print spooler (PRN) and plain files.
#pragma once

#include <string>
#include <string_view>

#include "braille/output_sink.h"

// Opens the device of that name (Windows-1252); documentName names the
// spooler job. True on success.
bool DeviceOpen(std::string_view name, std::string_view documentName = {});
// After a failed DeviceOpen, DeviceWrite or DeviceClose: the device as the
// user named it, where it leads on Linux when that differs, and why it
// failed, in Portuguese (Windows-1252): "LPT1 (/dev/lp0): n\xE3o existe".
// Empty after a successful open, until something fails.
std::string DeviceProblem();

// Whether the device name names a file: no port and not the spooler (PRN).
// A name of a port that is not one here (COM3) names a file too.
bool DeviceNamesFile(std::string_view deviceName);

// Whether the device name names the print spooler (PRN).
bool DeviceNamesSpooler(std::string_view deviceName);

// Whether the output device would be the file itself (however named: the
// same file on disk, not the same name). Ports and the spooler never are.
bool DeviceIsFile(std::string_view deviceName, std::string_view systemPath);

// Whether the device name has the form of a port that is not one here
// (COM3, LPT4): the output then goes to a file of that name.
bool DeviceNamesNoSuchPort(std::string_view name);

// Sends the bytes unchanged; true when the device took them all.
bool DeviceWrite(std::string_view bytes);
// Ends the output. False when what was written cannot be found any more (a
// file whose folder was removed during the job).
bool DeviceClose();

// The open device as a print job's output.
class DeviceSink : public OutputSink {
 public:
  bool Write(std::string_view bytes) override { return DeviceWrite(bytes); }
  std::string Problem() const override { return DeviceProblem(); }
};
