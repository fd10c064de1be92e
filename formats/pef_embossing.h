// A PEF book embossed as it is: its rows go to the pages unchanged, one page
// for each of its pages, and in a duplex volume every section begins on a
// new sheet (a blank back after a section of an odd number of pages).
#pragma once

#include "braille/print_job.h"

class JobUser;
class PageSink;
struct PefBook;

// Sends the pages from firstPage to lastPage (counted over the book, blank
// backs included) to pages; each row's cells as the internal characters of
// the current rules. Asks user after a write error and after each row, as a
// print job does. Complete, or Cancelled when the user gave it up.
CopyEnd EmbossPefBook(const PefBook& book, int firstPage, int lastPage, PageSink& pages, JobUser& user);
