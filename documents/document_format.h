// What a file holds, told by its content: a document of a kind this
// program converts, a plain text, or something it refuses to print
// (pictures, sound, archives, programs, other binary data). Only Markdown is
// told by its name, since it is plain text by content.
#pragma once

#include <string>

enum class DocumentFormat {
  Text,
  Markdown,
  Word,          // zip with word/document.xml
  OldWord,       // an OLE compound file, as Word 97-2003 wrote
  OpenDocument,  // zip with content.xml, a text document
  Rtf,
  Html,
  Epub,
  Pdf,
  Refused,
};

// The kinds of files refused, for the message that names them.
enum class RefusedKind {
  Image,
  Sound,
  Video,
  Archive,
  Program,
  Binary,
};

struct Recognition {
  DocumentFormat format = DocumentFormat::Text;
  RefusedKind refused = RefusedKind::Binary;  // when Refused
  std::string subtype;                        // "PNG", "ZIP": the refused file's own format, when known
};

// Looks at the file of that Linux path (its first bytes, and a zip's list
// of members). A file that cannot be read is Text: the reader meets the
// error itself. Markdown is told by givenName when there is one (a print
// server's job names its document apart from the file it hands over), else
// by the path.
Recognition RecogniseDocument(const std::string& linuxPath, const std::string& givenName = {});

