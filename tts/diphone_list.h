// The diphones the MBROLA voice has ("portug.dfn"), one pair of phonemes a
// line; the prosody stage puts a short filler where a pair is missing.
#pragma once

#include <string>
#include <string_view>

// Replaces the list with the file's pairs: in each line not blank and not
// beginning with "!", "*" or ";", the first two runs of phoneme characters
// (letters, "2", "@", "_"). False when the file cannot be read.
bool LoadDiphoneList(const std::string& fileName);
void FreeDiphoneList();

// Whether the voice has the pair, letter case not counted.
bool HasDiphone(std::string_view first, std::string_view second);

// The phoneme put between two whose pair the voice lacks: the first of a
// silence (after "r2" only), "y", a silence, "@" and then every phoneme of the
// list that makes a pair the voice has with both; a silence when none does.
std::string FillerBetween(std::string_view first, std::string_view second);
