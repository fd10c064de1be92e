// Tells the user when the audio output chosen by RELEVIX_AUDIO is not what
// they asked for: a value that names no output, or a recording that could
// not be made.
#pragma once

// Says each problem of the audio output once. True when sound is being
// lost: the WAV file could not be created or written.
bool ReportAudioOutputProblem();
