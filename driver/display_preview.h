// The pages before paper: the composed pages shown on the Braille display
// exactly as they will be embossed, dot for dot, one row at a time. Down
// and Up (the display's line keys too) move by a row, PageDown and PageUp by
// a page, whose number is announced; ESC returns.
#pragma once

#include <string>
#include <vector>

#include "driver/embossed_pages.h"

struct PrintSettings;

// announcePage tells the user the number of the page now shown (1-based)
// and how many there are.
void BrowsePagesOnDisplay(const std::vector<EmbossedPage>& pages, void (*announcePage)(int page, int pages));

// The job's text (the converted document, or the file) composed as settings
// say into the embosser's pages, the user asked nothing; false when the
// text cannot be opened.
bool ComposeEmbossedPages(const std::string& inputFile, const PrintSettings& settings,
                          std::vector<EmbossedPage>& pages);

// The talking program's preview: the file composed as the settings say and
// browsed on the display, each page's number said (and shown); said instead
// when no display is taken or the file cannot be read.
void PreviewFileOnDisplay(const std::string& inputFile);
