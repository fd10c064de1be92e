// The input text reader: turns the bytes of the open input file into lines
// for the page composer, with any mixture of line ends, tabs and control
// bytes replaced, and very long lines divided.
#pragma once

#include <string>

class InputFile;
class JobUser;

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

// One pass over an open input file; the user hears of a read error and of
// the first long line divided.
class TextReader {
 public:
  TextReader(InputFile& file, JobUser& user);
  // The next line, without its line end.
  std::string ReadTextLine();
  const ReaderState& State() const { return state_; }

 private:
  int ReadBlock();
  void EndInputOnReadError();
  unsigned char ReadByte();
  void UnreadByte();
  unsigned char SkipBlanks(unsigned char c);

  InputFile& file_;
  JobUser& user_;
  ReaderState state_;
};
