// A file made into the job's text: recognised by its content, converted by
// pandoc, poppler or antiword into UTF-8 text with this program's layout
// commands, or refused with the reason. Plain text is left to the reader.
#pragma once

#include <string>

#include "documents/document_format.h"

enum class ConversionResult {
  PlainText,         // read as it is, by the input file
  Converted,         // text holds the document
  Refused,           // not a text: recognition says what it is
  PdfWithoutText,    // pictures of pages only
  ConverterMissing,  // package names the Debian package to install
  ConverterFailed,   // damaged or locked: problem says why, when the converter did
};

struct DocumentText {
  ConversionResult result = ConversionResult::PlainText;
  Recognition recognition;
  std::string text;     // UTF-8 layout text
  int pages = 0;        // a PDF's pages
  std::string package;  // the converter's Debian package
  std::string problem;  // why the conversion failed, in the converter's words when it gave them
};

// givenName: the document's own name when the file has another (a print
// server's job), for the one kind told by its name, Markdown.
DocumentText ConvertDocument(const std::string& linuxPath, const std::string& givenName = {});

// Whether the job can read the document: plain text, or converted.
bool Printable(const DocumentText& document);

// Why a document cannot be printed, as the programs say it: a message of the
// catalogue (key) about what (the file's shown name, with its kind when it
// was refused), and a second line when there is one (the package to install,
// the converter's own words), in Windows-1252.
struct NotPrintable {
  std::string key;
  std::string about;
  std::string more;
};
NotPrintable WhyNotPrintable(const DocumentText& document, const std::string& shownName);
