// A book laid out whole and cut into volumes of at most a number of sheets:
// each volume ends where a reader expects it (before a heading or a centred
// line in its last fifth, else at a paragraph's end, else at a page end),
// the volumes of a book are of nearly equal size, and <V> forces a new one.
// The pages are kept in memory, to be handed to the output a volume at a
// time, each after its title page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "braille/print_job.h"
#include "volumes/recorded_pages.h"

class InputFile;
class JobUser;
struct CodeTable;
struct PrintSettings;

// Where a volume ended.
enum class VolumeEnd { Heading, Paragraph, Page, Command, BookEnd };

struct BookVolume {
  std::size_t firstEvent = 0;  // its pages in the recording: [firstEvent, endEvent)
  std::size_t endEvent = 0;
  int firstPage = 0;  // pages of the book, counted from 1 (blank back pages included)
  int lastPage = 0;
  int firstNumber = 0;  // Braille page numbers as printed; 0 when it began no page
  int lastNumber = 0;
  int firstPrintPage = 0;  // print-edition page numbers; 0 when not known
  int lastPrintPage = 0;
  VolumeEnd end = VolumeEnd::BookEnd;
  std::vector<std::string> titlePage;  // its title page's lines of cells; none when the book is one volume

  int Pages() const { return lastPage - firstPage + 1; }
};

struct Book {
  explicit Book(bool picturesAsCells) : pages(picturesAsCells) {}
  RecordedPages pages;
  std::vector<BookVolume> volumes;
  bool readFailed = false;  // the text could not be read to its end
  bool anyContent = false;  // text or a picture, not only blank lines
  std::string title;        // on the title pages (Windows-1252)
};

// Body pages a volume holds besides its title page (title and blank back
// with interpoint): 0 when settings ask for no volumes.
int VolumeBodyPages(const PrintSettings& settings);

// Reads the open input and lays it out with settings (FOLHASPORVOLUME the
// limit; the page range is left to whoever hands the pages on).
// fallbackTitle is the title when neither the text nor the settings set one. The user hears what reading and
// composing have to say, once.
Book ComposeBook(const PrintSettings& settings, const CodeTable& table, bool picturesAsCells, InputFile& input,
                 const std::string& fallbackTitle, JobUser& user);
