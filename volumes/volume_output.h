// A volume of a composed book handed to an output: its title page (with
// interpoint, the back left blank), then its pages within the page range.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "volumes/book_volumes.h"

class FormattedOutput;
class JobUser;
class PageSink;
struct PrintSettings;

// Whether any page of the volume lies within the settings' page range.
bool VolumeInRange(const BookVolume& volume, const PrintSettings& settings);

// Hands volume (counted from 0) to pages, the lines paced and checked as
// the print job's are. False when the user gave the job up.
bool EmbossVolume(const Book& book, std::size_t volume, const PrintSettings& settings, PageSink& pages,
                  JobUser& user);

// Asked before each volume but the first (counted from 0): false ends the
// job there.
using BeforeVolume = std::function<bool(std::size_t volume)>;

// Hands the volumes to pages, each volume's copies one after the other;
// output is told where volumes and copies begin (a PEF gives each its own
// volume and section), and pages is output's pages or a sink that passes
// them on. False when the job ended before its last volume.
bool EmbossVolumes(const Book& book, const std::vector<std::size_t>& volumes, const PrintSettings& settings,
                   FormattedOutput& output, PageSink& pages, JobUser& user, const BeforeVolume& before = {});
