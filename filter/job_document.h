// The document of a print server's job: kept in a file when it comes on
// standard input, then told apart as a PEF (embossed as its pages stand), a
// document converted into the job's text, or a plain text, as relevix-cli
// print tells them.
#pragma once

#include <string>

#include "documents/document_text.h"
#include "formats/pef_reader.h"

class InputFile;

// The job's text in a file of its own when it comes on standard input: the
// composer reads it once per copy, after a first look at its encoding. The
// file goes with the object.
class SpooledInput {
 public:
  SpooledInput() = default;
  SpooledInput(const SpooledInput&) = delete;
  SpooledInput& operator=(const SpooledInput&) = delete;
  ~SpooledInput();
  // False, with the reason, when standard input cannot be kept.
  bool Take(std::string& problem);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

struct JobDocument {
  std::string path;  // the file, as the program's system path
  bool pef = false;
  PefBook book;
  DocumentText converted;
};

// Tells what the document of that Linux path is (givenName: the name the
// job gave it, UTF-8, which tells a Markdown text); false (said as an
// ERROR: line about shownName) when it cannot be printed.
bool ReadJobDocument(const std::string& linuxPath, const std::string& givenName, const std::string& shownName,
                     JobDocument& document);

// Opens the text a copy is made from: the converted document, or the file.
bool OpenJobText(const JobDocument& document, InputFile& input);
