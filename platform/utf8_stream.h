// Streaming conversion of a UTF-8 byte stream to Windows-1252, for input
// files read in blocks: a sequence split across two blocks is kept until the
// next block completes it. The same block-wise walk also tells whether a
// whole stream is UTF-8, without holding the stream in memory.
#pragma once

#include <string>
#include <string_view>

struct Utf8StreamDecoder {
  std::string pending;  // bytes of a sequence not yet complete
  bool started = false; // the byte-order mark is only looked for at the start
};

// Converts the next chunk; with last set, an incomplete sequence left at the
// end becomes '?' (one per byte, as Windows1252FromUtf8 does with malformed
// sequences). A leading byte-order mark is dropped; a character with no
// Windows-1252 form becomes '?'.
std::string DecodeUtf8Chunk(Utf8StreamDecoder& decoder, std::string_view chunk, bool last);

struct Utf8StreamCheck {
  std::string pending;     // bytes of a sequence not yet complete
  bool valid = true;       // no malformed sequence so far
  bool multibyte = false;  // at least one sequence of two or more bytes
};

// Checks the next chunk; with last set, an incomplete sequence left at the
// end makes the stream invalid. The stream is UTF-8 in the sense of
// IsUtf8WithMultibyte when, after the last chunk, valid and multibyte hold.
void CheckUtf8Chunk(Utf8StreamCheck& check, std::string_view chunk, bool last);
