#include "braille/brlebuf.h"

#include "braille/input_file.h"
#include "braille/job_user.h"

namespace {

constexpr unsigned char kCarriageReturn = 13;
constexpr unsigned char kLineFeed = 10;
constexpr unsigned char kTab = 9;
constexpr unsigned char kBlank = ' ';
constexpr std::size_t kDivideAfter = 160;  // longer lines end at the next blank
constexpr std::size_t kCutAt = 180;        // lines without such a blank end here

}  // namespace

// Reads the next block into the buffer; the count read, or -1.
int TextReader::ReadBlock() {
  ReaderState& r = state_;
  const int count = file_.ReadBlock(r.buffer, static_cast<int>(sizeof r.buffer));
  r.bufferPos = 0;
  r.bufferCount = count > 0 ? count : 0;
  return count;
}

// A failed read ends the input.
void TextReader::EndInputOnReadError() {
  user_.Notice("BRERRLEI");
  state_.atEnd = true;
  state_.readFailed = true;
}

// Called only while atEnd is clear.
unsigned char TextReader::ReadByte() {
  ReaderState& r = state_;
  // An empty block is a failure too: more was announced.
  if (r.bufferPos >= r.bufferCount && ReadBlock() <= 0) {
    EndInputOnReadError();
    return kCarriageReturn;
  }
  const auto c = static_cast<unsigned char>(r.buffer[r.bufferPos]);
  ++r.bufferPos;
  r.atEnd = r.bufferPos >= r.bufferCount && file_.AtEnd();
  return c;
}

// Called only directly after a ReadByte that did not fail, so the byte is
// still in the buffer.
void TextReader::UnreadByte() {
  --state_.bufferPos;
  state_.atEnd = false;
}

// After a line divided at a blank: drops the blanks that follow; the first
// other byte is pushed back unless it is a line end, which is consumed.
// Returns the last byte read.
unsigned char TextReader::SkipBlanks(unsigned char c) {
  while (!state_.atEnd) {
    c = ReadByte();
    if (c != kBlank) {
      if (c != kCarriageReturn && c != kLineFeed) UnreadByte();
      break;
    }
  }
  return c;
}

TextReader::TextReader(InputFile& file, JobUser& user) : file_(file), user_(user) {
  ReaderState& r = state_;
  if (ReadBlock() < 0) {
    EndInputOnReadError();
  } else {
    r.atEnd = r.bufferCount == 0;
  }
  r.longLineWarned = false;
}

std::string TextReader::ReadTextLine() {
  ReaderState& r = state_;
  std::string line;
  unsigned char c = 0;
  bool complete = false;
  do {
    c = ReadByte();
    if (c == kCarriageReturn || c == kLineFeed) {
      complete = true;
    } else if (c == kTab) {
      line.append(8, ' ');
    } else if (c < 32) {
      line += '#';
    } else {
      line += static_cast<char>(c);
    }
    if (line.size() > kDivideAfter) {
      if (!r.longLineWarned) {
        user_.Notice("BRLINDIV");
        r.longLineWarned = true;
      }
      if (line.size() >= kCutAt) complete = true;
      if (c == kBlank) {
        complete = true;
        c = SkipBlanks(c);
      }
    }
  } while (!complete && !r.atEnd);
  // CR LF is one line end, a lone CR one of its own.
  if (!r.atEnd && c == kCarriageReturn) {
    const unsigned char next = ReadByte();
    if (next != kLineFeed && !r.readFailed) UnreadByte();
  }
  return line;
}
