#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string AllBytes(int first, int last) {
  std::string bytes;
  for (int b = first; b <= last; ++b) bytes += static_cast<char>(b);
  return bytes;
}

TEST(TextEncodingTest, Windows1252ToUtf8) {
  EXPECT_EQ(Utf8FromWindows1252("abc"), "abc");
  EXPECT_EQ(Utf8FromWindows1252("a\xE7\xE3o"), "a\xC3\xA7\xC3\xA3o");  // ação
  EXPECT_EQ(Utf8FromWindows1252("\x80"), "\xE2\x82\xAC");             // €
  EXPECT_EQ(Utf8FromWindows1252("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
  EXPECT_EQ(Utf8FromWindows1252(std::string("a\0b", 3)), std::string("a\0b", 3));
  // Row 0x80..0x9F, the undefined bytes as C1 controls of the same value
  // (Python: cp1252 decode, chr(b) where undefined, encode utf-8).
  EXPECT_EQ(Utf8FromWindows1252(AllBytes(0x80, 0x9F)),
            "\xE2\x82\xAC\xC2\x81\xE2\x80\x9A\xC6\x92\xE2\x80\x9E\xE2\x80\xA6\xE2\x80\xA0\xE2\x80\xA1"
            "\xCB\x86\xE2\x80\xB0\xC5\xA0\xE2\x80\xB9\xC5\x92\xC2\x8D\xC5\xBD\xC2\x8F\xC2\x90\xE2\x80\x98"
            "\xE2\x80\x99\xE2\x80\x9C\xE2\x80\x9D\xE2\x80\xA2\xE2\x80\x93\xE2\x80\x94\xCB\x9C\xE2\x84\xA2"
            "\xC5\xA1\xE2\x80\xBA\xC5\x93\xC2\x9D\xC5\xBE\xC5\xB8");
}

TEST(TextEncodingTest, Utf8ToWindows1252) {
  EXPECT_EQ(Windows1252FromUtf8("a\xC3\xA7\xC3\xA3o"), "a\xE7\xE3o");
  EXPECT_EQ(Windows1252FromUtf8("\xE2\x82\xAC 5"), "\x80 5");
  EXPECT_EQ(Windows1252FromUtf8("\xC5\xB8"), "\x9F");  // Ÿ
  EXPECT_EQ(Windows1252FromUtf8("\xC2\x81\xC2\x9D"), "\x81\x9D");
  // No Windows-1252 form: one '?' per character.
  EXPECT_EQ(Windows1252FromUtf8("x\xE4\xB8\xADy"), "x?y");         // 中
  EXPECT_EQ(Windows1252FromUtf8("\xF0\x9F\x98\x80!"), "?!");        // emoji
  EXPECT_EQ(Windows1252FromUtf8("\xC2\x80"), "?");                  // C1 control U+0080 (0x80 is €)
  // Malformed: every byte of the broken sequence becomes '?'.
  EXPECT_EQ(Windows1252FromUtf8("\x80"), "?");
  EXPECT_EQ(Windows1252FromUtf8("\xE2\x82" "A"), "??A");
  EXPECT_EQ(Windows1252FromUtf8("\xC0\xAF"), "??");                 // overlong '/'
  EXPECT_EQ(Windows1252FromUtf8("\xED\xA0\x80"), "???");            // surrogate
  EXPECT_EQ(Windows1252FromUtf8("\xF4\x90\x80\x80"), "????");       // above U+10FFFF
  EXPECT_EQ(Windows1252FromUtf8("\xE2\x82"), "??");                 // cut off at the end
}

TEST(TextEncodingTest, RoundTripKeepsEveryByte) {
  const std::string all = AllBytes(0, 255);
  EXPECT_EQ(Windows1252FromUtf8(Utf8FromWindows1252(all)), all);
}

TEST(TextEncodingTest, DecodeStepReportsTruncation) {
  const Utf8Step cut = DecodeUtf8Step("\xE2\x82");
  EXPECT_FALSE(cut.valid);
  EXPECT_TRUE(cut.truncated);
  EXPECT_EQ(cut.length, 2u);
  const Utf8Step broken = DecodeUtf8Step("\xE2" "A");
  EXPECT_FALSE(broken.valid);
  EXPECT_FALSE(broken.truncated);
  EXPECT_EQ(broken.length, 1u);
  const Utf8Step euro = DecodeUtf8Step("\xE2\x82\xAC" "x");
  EXPECT_TRUE(euro.valid);
  EXPECT_EQ(euro.codePoint, U'\u20AC');
  EXPECT_EQ(euro.length, 3u);
}

TEST(TextEncodingTest, RecognisesUtf8WithMultibyte) {
  EXPECT_TRUE(IsUtf8WithMultibyte("a\xC3\xA7\xC3\xA3o"));
  EXPECT_TRUE(IsUtf8WithMultibyte("\xEF\xBB\xBFtexto"));  // byte-order mark
  EXPECT_FALSE(IsUtf8WithMultibyte("plain ascii"));
  EXPECT_FALSE(IsUtf8WithMultibyte(""));
  EXPECT_FALSE(IsUtf8WithMultibyte("a\xE7\xE3o"));        // Windows-1252 "ação"
  EXPECT_FALSE(IsUtf8WithMultibyte("\xC3\xA7\xE2\x82"));  // ends inside a sequence
}

TEST(TextEncodingTest, Cp850AgreesWithPythonCodec) {
  struct Case {
    unsigned char oem;
    unsigned char ansi;
  };
  // Python: bytes([oem]).decode('cp850').encode('cp1252').
  const Case mapped[] = {{0x41, 0x41}, {0x80, 0xC7}, {0x81, 0xFC}, {0x87, 0xE7}, {0x9F, 0x83},
                         {0xA0, 0xE1}, {0xA2, 0xF3}, {0xC6, 0xE3}, {0xC7, 0xC3}, {0xE1, 0xDF},
                         {0xE4, 0xF5}, {0xE5, 0xD5}, {0xFF, 0xA0}, {0x88, 0xEA}, {0x82, 0xE9}};
  for (const Case& c : mapped) EXPECT_EQ(Cp850ToWindows1252(c.oem), c.ansi) << std::hex << int{c.oem};
  // Characters Windows-1252 lacks get look-alikes.
  const Case lookAlike[] = {{0xB3, '|'}, {0xBA, '|'}, {0xC4, '-'}, {0xCD, '-'}, {0xDA, '+'}, {0xCE, '+'},
                            {0xB0, '#'}, {0xDB, '#'}, {0xFE, '#'}, {0xD5, 'i'}, {0xF2, '_'}};
  for (const Case& c : lookAlike) EXPECT_EQ(Cp850ToWindows1252(c.oem), c.ansi) << std::hex << int{c.oem};
  // "Olá, você está? Pão é ótimo." typed in a DOS editor.
  EXPECT_EQ(OemToAnsi("Ol\xA0, voc\x88 est\xA0? P\xC6o \x82 \xA2timo."),
            "Ol\xE1, voc\xEA est\xE1? P\xE3o \xE9 \xF3timo.");
}

TEST(TextEncodingTest, UpperCasing) {
  EXPECT_EQ(UpperCaseAnsi("a\xE7\xE3o z{"), "A\xC7\xC3O Z{");  // ação
  EXPECT_EQ(UpperWindows1252(0xF7), 0xF7);                     // ÷
  EXPECT_EQ(UpperWindows1252(0xDF), 0xDF);                     // ß
  EXPECT_EQ(UpperWindows1252(0xB5), 0xB5);                     // µ
  EXPECT_TRUE(EqualsIgnoringCase("A\xC7\xC3O", "a\xE7\xE3o"));
  EXPECT_FALSE(EqualsIgnoringCase("STRA\xDF" "E", "STRASSE"));
  EXPECT_FALSE(EqualsIgnoringCase("abc", "abcd"));
  // Whole upper half (Python: str.upper() where the capital is one
  // Windows-1252 byte, else unchanged).
  EXPECT_EQ(UpperCaseAnsi(AllBytes(0x80, 0xFF)),
            "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x91\x92\x93\x94\x95\x96\x97"
            "\x98\x99\x8A\x9B\x8C\x9D\x8E\x9F\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF"
            "\xB0\xB1\xB2\xB3\xB4\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7"
            "\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF"
            "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xF7"
            "\xD8\xD9\xDA\xDB\xDC\xDD\xDE\x9F");
}

}  // namespace
