// The Portuguese engine's text pipeline: normalisation, tokens, intonation,
// transcription and prosody, from a text to the MBROLA lines that speak it.
// A long text is taken a sentence at a time, so that speech can start and
// its memory stays small whatever the length.
#pragma once

#include <functional>
#include <string_view>
#include <string>
#include <vector>

// Takes one sentence's lines; false to stop before the next sentence.
using SentenceLines = std::function<bool(const std::vector<std::string>& lines)>;

// Hands the MBROLA lines of each sentence of the text to take, in order
// (empty lines included), until take says stop; nothing for a text of
// blanks and control characters only. A sentence ends after ".", "!" or "?" and a blank; a
// sentence of more than a few thousand characters is cut at a blank.
void ForEachSentenceLines(std::string_view text, double durationFactor, double pitchFactor, const SentenceLines& take);

// All the lines of the text, sentence after sentence.
std::vector<std::string> MbrolaLinesOf(std::string_view text, double durationFactor, double pitchFactor);

// The milliseconds of sound the lines ask for: the duration of every line
// that is not a comment.
long MillisecondsOf(const std::vector<std::string>& lines);
