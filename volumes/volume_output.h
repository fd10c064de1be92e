// A volume of a composed book handed to an output: its title page (with
// interpoint, the back left blank), then its pages within the page range.
#pragma once

#include <cstddef>

#include "volumes/book_volumes.h"

class JobUser;
class PageSink;
struct PrintSettings;

// Whether any page of the volume lies within the settings' page range.
bool VolumeInRange(const BookVolume& volume, const PrintSettings& settings);

// Hands volume (counted from 0) to pages, the lines paced and checked as
// the print job's are. False when the user gave the job up.
bool EmbossVolume(const Book& book, std::size_t volume, const PrintSettings& settings, PageSink& pages,
                  JobUser& user);
