// Reading a PEF document (version 2008-1) with libxml2: its volumes,
// sections, pages and rows of six-dot cells, checked against the rules of
// the format that an embosser relies on: the namespace, page sizes that
// hold every row and page, and Unicode Braille in the rows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "braille/dot_picture.h"

struct PefPage {
  std::vector<CellPatterns> rows;
};

// A section with the page size and sides in force for it (its own, or its
// volume's).
struct PefSection {
  int cols = 0;
  int rows = 0;
  bool duplex = false;
  std::vector<PefPage> pages;
};

struct PefVolume {
  std::vector<PefSection> sections;
};

struct PefBook {
  std::string title;  // dc:title, UTF-8; empty when there is none
  std::vector<PefVolume> volumes;
};

// Why a document was refused: a message key of the catalogue and the
// values it takes ({1}, {2}, ...), UTF-8.
struct PefProblem {
  std::string messageKey;
  std::vector<std::string> values;
};

// Reads the document in bytes into book. False, with the problem, when it
// is no well-formed PEF or holds what an embosser could not print as it
// says: then book is left empty.
bool ReadPef(std::string_view bytes, PefBook& book, PefProblem& problem);

// Whether the bytes begin like an XML document whose root is a pef element,
// whatever its namespace; so a PEF is known by its content, not its name.
bool LooksLikePef(std::string_view bytes);
