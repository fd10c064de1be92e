// The printing of a book in volumes: laid out whole, cut into volumes,
// each volume after its title page to a file of its own (NAME-1.EXT, ...),
// into one PEF, or one after another to a port or the spooler, with a stop
// for paper between them.
#pragma once

#include <string>
#include <optional>
#include <string_view>
#include <vector>

#include "formats/formatted_output.h"
#include "volumes/book_volumes.h"

// Whether the user is asked to put in paper between volumes sent to a port
// or the spooler: the talking program always, relevix-cli at a terminal.
extern bool askBetweenVolumes;

// Whether printSettings ask for volumes (FOLHASPORVOLUME) or for one volume
// (BRVOLUME).
bool VolumesAsked();

// The file a volume goes to when the output device is a file: the volume's
// number before the extension ("livro.brf", 2: "livro-2.brf").
std::string VolumeFileName(std::string_view deviceName, int volume);

// The text file laid out as a book in volumes, for an output that draws
// pictures as cells or not, and the volumes printSettings ask for:
// kPrintDone, or the status with which nothing is printed (said), as
// PrintDocument's.
int ComposeChosenVolumes(const std::string& inputFile, bool picturesAsCells, std::optional<Book>& book,
                         std::vector<std::size_t>& chosen);

// Prints the text file in volumes as printSettings say (BRVOLUME: that
// volume alone), in format; the statuses of PrintDocument, and
// kPrintNothingToEmboss also when the volume asked for is not in the book.
int PrintInVolumes(const std::string& inputFile, OutputFormat format);
