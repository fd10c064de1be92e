// The input text file, opened by the driver and read in blocks by the
// reader. A file that is valid UTF-8 with at least one multi-byte sequence
// is handed on as Windows-1252; any other file as its bytes.
#pragma once

#include <string>

// Opens the file of that system path from its start; false when it cannot
// be opened. The encoding is decided here, by one pass over the whole file.
bool OpenInputFile(const std::string& name);
void CloseInputFile();
bool InputFileIsOpen();

// Reads up to size bytes of text into buffer; the count read (0 at the end),
// or -1 on a read error. A short count comes only at the end of the file or
// right before a read error is reported.
int ReadInputBlock(char* buffer, int size);

// True when nothing more is to come: every byte has been handed out. A read
// error still to be reported counts as something to come.
bool InputFileAtEnd();
