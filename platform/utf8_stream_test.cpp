#include "platform/utf8_stream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::string_view kUtf8 = "A\xC3\xA7\xC3\xA3o, \xE2\x82\xAC 5 \xF0\x9D\x84\x9E.";
constexpr std::string_view kWindows1252 = "A\xE7\xE3o, \x80 5 ?.";

std::string DecodeInPieces(std::string_view bytes, std::size_t piece) {
  Utf8StreamDecoder decoder;
  std::string out;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    out += DecodeUtf8Chunk(decoder, bytes.substr(at, piece), false);
  }
  return out + DecodeUtf8Chunk(decoder, {}, true);
}

TEST(DecodeUtf8ChunkTest, SequencesSplitAcrossChunksAreKept) {
  for (std::size_t piece : {1, 2, 3, 5, 100}) {
    SCOPED_TRACE(piece);
    EXPECT_EQ(DecodeInPieces(kUtf8, piece), kWindows1252);
  }
  Utf8StreamDecoder decoder;
  EXPECT_EQ(DecodeUtf8Chunk(decoder, "a\xC3", false), "a");
  EXPECT_EQ(decoder.pending, "\xC3");
  EXPECT_EQ(DecodeUtf8Chunk(decoder, "\xA7" "b", false), "\xE7" "b");
  EXPECT_EQ(decoder.pending, "");
}

TEST(DecodeUtf8ChunkTest, ByteOrderMarkOnlyAtTheStart) {
  EXPECT_EQ(DecodeInPieces("\xEF\xBB\xBF" "ab", 1), "ab");
  EXPECT_EQ(DecodeInPieces("\xEF\xBB\xBF" "ab", 100), "ab");
  // Later on it is a character without a Windows-1252 form.
  EXPECT_EQ(DecodeInPieces("a\xEF\xBB\xBF", 1), "a?");
}

TEST(DecodeUtf8ChunkTest, MalformedAndIncompleteBytesBecomeQuestionMarks) {
  Utf8StreamDecoder decoder;
  EXPECT_EQ(DecodeUtf8Chunk(decoder, "ab\xE2\x82", true), "ab??");
  EXPECT_EQ(DecodeInPieces("x\xE2\x82", 1), "x??");
  EXPECT_EQ(DecodeInPieces("A\xE7\xE3o", 1), "A??o");
  EXPECT_EQ(DecodeInPieces("\x80z", 1), "?z");
}

bool IsUtf8InPieces(std::string_view bytes, std::size_t piece) {
  Utf8StreamCheck check;
  for (std::size_t at = 0; at < bytes.size(); at += piece) CheckUtf8Chunk(check, bytes.substr(at, piece), false);
  CheckUtf8Chunk(check, {}, true);
  return check.valid && check.multibyte;
}

TEST(CheckUtf8ChunkTest, TellsUtf8FromOtherBytes) {
  for (std::size_t piece : {1, 2, 3, 100}) {
    SCOPED_TRACE(piece);
    EXPECT_TRUE(IsUtf8InPieces(kUtf8, piece));
    EXPECT_TRUE(IsUtf8InPieces("\xEF\xBB\xBF" "abc", piece));
    EXPECT_FALSE(IsUtf8InPieces("plain ASCII", piece));
    EXPECT_FALSE(IsUtf8InPieces(kWindows1252, piece));
    EXPECT_FALSE(IsUtf8InPieces("a\xC3\xA7\xE2\x82", piece));
    // Overlong form and surrogate.
    EXPECT_FALSE(IsUtf8InPieces("\xC0\xAF", piece));
    EXPECT_FALSE(IsUtf8InPieces("\xED\xA0\x80", piece));
  }
  Utf8StreamCheck ascii;
  CheckUtf8Chunk(ascii, "plain", true);
  EXPECT_TRUE(ascii.valid);
  EXPECT_FALSE(ascii.multibyte);
}

}  // namespace
