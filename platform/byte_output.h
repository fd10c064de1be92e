// Byte-exact output through plain file descriptors, shared by the file,
// serial-port and parallel-port back ends: nothing is translated, every byte
// is sent, and a failed write is reported.
#pragma once

#include <string_view>

// Creates (or empties) the file of that system path (Windows-1252) for
// writing. The descriptor, or -1 when the file cannot be created.
int CreateOutputFile(std::string_view systemPath);

// Writes all of bytes, resuming after partial writes and interrupted calls.
// False as soon as the descriptor refuses a write.
bool WriteAllBytes(int descriptor, std::string_view bytes);

// Whether the descriptor is a regular file (not a FIFO, tty or device).
bool IsRegularFile(int descriptor);

// Whether the open file still has a name on disk (it was not removed).
bool HasName(int descriptor);

// Closes the descriptor; a negative one is ignored.
void CloseOutput(int descriptor);
