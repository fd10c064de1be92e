// The Portuguese engine's text pipeline: normalisation, tokens, intonation,
// transcription and prosody, from a text to the MBROLA lines that speak it.
#pragma once

#include <string_view>
#include <string>
#include <vector>

// The MBROLA lines of a text, as the stages make them (empty lines
// included); none for a text of blanks and control characters only.
std::vector<std::string> MbrolaLinesOf(std::string_view text, double durationFactor, double pitchFactor);
