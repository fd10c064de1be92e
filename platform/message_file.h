// The message catalogue's data file, data/mensagens.txt: UTF-8 lines
//   KEY="text"            a message
//   KEY="text" gravada    a message that also has a recorded sound
// Keys are capitals, digits and '_'. The text is everything between the
// quotes, trailing blanks included; inside them \" is a quote, \\ a
// backslash and \n a line end. Every character must have a Windows-1252
// form. Lines starting with '#' and blank lines are skipped.
//
// The build reads it twice: to build the texts into the program
// (tools/messages) and to render the recorded messages (tools/sounds).
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CatalogueMessage {
  std::string key;
  std::string text;  // UTF-8
  bool recorded = false;
};

// Where the file is malformed: the line (from 1) and what is wrong there.
struct MessageFileError {
  int line = 0;
  std::string what;
};

// The messages of the file's contents, in order. False at the first
// malformed line: a missing '=', a key of other characters, a text not in
// double quotes or without its closing quote, an unknown escape, anything
// but " gravada" after the text, a control character, malformed UTF-8, a
// character with no Windows-1252 form, or a key already given.
bool ParseMessageFile(std::string_view contents, std::vector<CatalogueMessage>& messages, MessageFileError& error);

// The same for a file; error is "PATH:LINE: what is wrong" (or says that the
// file could not be read).
bool ReadMessageFile(const std::string& path, std::vector<CatalogueMessage>& messages, std::string& error);
