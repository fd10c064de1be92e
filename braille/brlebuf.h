// The input text reader: turns the bytes of the open input file into lines
// for the page composer, with any mixture of line ends, tabs and control
// bytes replaced, and very long lines divided.
#pragma once

#include <string>

struct ReaderState {
  char buffer[1024] = {};
  int bufferPos = 0;
  int bufferCount = 0;
  bool atEnd = true;
  bool longLineWarned = false;
  // A block read failed: the CR handed out in its place is no byte of the
  // file and must not be pushed back.
  bool readFailed = false;
};

extern ReaderState readerState;

// Prepares a new pass over the open input file.
void InitReader();
// The next line, without its line end.
std::string ReadTextLine();
