// Faster speech without a higher pitch: every other pitch period of a piece
// of mono sound is dropped, the periods found from peak to peak.
#pragma once

// Works in place on `length` bytes of `bitsPerSample` (8 or 16) mono sound;
// 16-bit sound comes out as 8-bit. Returns the new length in bytes.
int CompressPitchPeriods(unsigned char* buffer, int length, int bitsPerSample, int samplesPerSecond);
