// The input text file, opened by the driver and read in blocks by the
// reader. A file that is valid UTF-8 with at least one multi-byte sequence
// is handed on as Windows-1252; any other file as its bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/utf8_stream.h"

class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() { Close(); }

  // Opens the file of that system path from its start; false when it cannot
  // be opened or is a folder. The encoding is decided here, by one pass over
  // the whole file.
  bool Open(const std::string& name);
  // Opens a text held in memory, UTF-8, under the name of the file it was
  // made from: a converted document, read as a file would be.
  void OpenText(const std::string& name, std::string_view utf8);
  void Close();
  bool IsOpen() const { return fd_ >= 0 || inMemory_; }
  // The system path it was opened with.
  const std::string& Name() const { return name_; }

  // Reads up to size bytes of text into buffer; the count read (0 at the
  // end), or -1 on a read error. A short count comes only at the end of the
  // file or right before a read error is reported.
  int ReadBlock(char* buffer, int size);

  // True when nothing more is to come: every byte has been handed out. A
  // read error still to be reported counts as something to come.
  bool AtEnd();

 private:
  std::size_t Available() const { return text_.size() - textPos_; }
  void ReadMore();
  void FillTo(std::size_t wanted);

  int fd_ = -1;
  bool inMemory_ = false;
  std::string name_;
  bool utf8_ = false;
  Utf8StreamDecoder decoder_;
  std::string text_;          // read (and decoded) but not yet handed out, from textPos_
  std::size_t textPos_ = 0;
  bool sourceEnded_ = false;  // the file has given its last byte
  bool readFailed_ = false;   // a read failed; reported once the text before it is handed out
};

// Whether the file can be opened for reading (a folder cannot).
bool InputFileFound(const std::string& name);

// Whether the file can be read more than once from its start: a regular
// file, not a pipe or a terminal, whose bytes are gone once read.
bool InputFileReadsAgain(const std::string& name);
