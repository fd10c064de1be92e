// The title page that opens each volume of a book: the book's title, which
// volume it is, and the Braille and print pages it holds, centred on the
// page as cells.
#pragma once

#include <string>
#include <vector>

struct BookVolume;
struct PrintSettings;

// The page's lines of cells (internal Braille text), at most LINHAS of
// them; title in Windows-1252.
std::vector<std::string> VolumeTitlePage(const PrintSettings& settings, const std::string& title, int volume,
                                         int volumes, const BookVolume& pages);
