// A novel made at test time from the Portuguese prose of Debian's
// fortunes-br (a whole public-domain book is not to be had on the machine):
// a title, chapters under centred headings, paragraphs wrapped at 70
// columns with their first line indented, and the print edition's page
// numbers as a book scanned from paper has them. UTF-8.
#pragma once

#include <string>

namespace testing_support {

struct NovelShape {
  int words = 66000;          // about Dom Casmurro's length
  bool headings = true;       // chapters under centred headings
  bool printPageNumbers = true;
};

// The novel, or an empty text when fortunes-br is not installed.
std::string MakeNovel(const NovelShape& shape = {});

}  // namespace testing_support
