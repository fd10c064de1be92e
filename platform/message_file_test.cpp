#include "platform/message_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// The problem of a one-message file whose line is written after a comment
// and a blank line, so it is line 3.
MessageFileError ErrorOfLine(const std::string& line) {
  std::vector<CatalogueMessage> messages;
  MessageFileError error;
  EXPECT_FALSE(ParseMessageFile("# comment\n\n" + line + "\n", messages, error)) << line;
  return error;
}

TEST(MessageFileTest, ReadsKeysTextsAndRecordingMarks) {
  std::vector<CatalogueMessage> messages;
  MessageFileError error;
  ASSERT_TRUE(ParseMessageFile(Utf8(u8"# Mensagens\n"
                                    u8"\n"
                                    u8"BRNCOP=\"Quantas cópias ? \" gravada\n"
                                    u8"   \n"
                                    u8"BRNAOEXI=\"não existe\"\n"
                                    u8"VAZIA=\"\"\n"
                                    u8"CLI_2=\"Diga \\\"sim\\\" \\\\ ou\\nnão\""),
                               messages, error))
      << error.line << ": " << error.what;
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].key, "BRNCOP");
  EXPECT_EQ(messages[0].text, Utf8(u8"Quantas cópias ? "));
  EXPECT_TRUE(messages[0].recorded);
  EXPECT_EQ(messages[1].key, "BRNAOEXI");
  EXPECT_EQ(messages[1].text, Utf8(u8"não existe"));
  EXPECT_FALSE(messages[1].recorded);
  EXPECT_EQ(messages[2].text, "");
  EXPECT_EQ(messages[3].key, "CLI_2");
  EXPECT_EQ(messages[3].text, Utf8(u8"Diga \"sim\" \\ ou\nnão"));
}

TEST(MessageFileTest, WindowsLineEndsAndAByteOrderMarkAreAccepted) {
  std::vector<CatalogueMessage> messages;
  MessageFileError error;
  ASSERT_TRUE(ParseMessageFile("\xEF\xBB\xBF" "A=\"um \"\r\nB=\"dois\" gravada\r\n", messages, error)) << error.what;
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "um ");
  EXPECT_EQ(messages[1].text, "dois");
  EXPECT_TRUE(messages[1].recorded);
}

TEST(MessageFileTest, MalformedLinesAreReportedWithTheirNumber) {
  EXPECT_EQ(ErrorOfLine("BRFIMTRA \"Fim de trabalho\"").what, "missing '=' between the key and the text");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA \"Fim de trabalho\"").line, 3);
  EXPECT_EQ(ErrorOfLine("=\"Fim\"").what, "missing key before '='");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA =\"Fim\"").what, "key \"BRFIMTRA \": only capitals, digits and '_' are allowed");
  EXPECT_EQ(ErrorOfLine("brfimtra=\"Fim\"").what, "key \"brfimtra\": only capitals, digits and '_' are allowed");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=Fim de trabalho").what, "the text of BRFIMTRA must be written in double quotes");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA='Fim de trabalho'").what, "the text of BRFIMTRA must be written in double quotes");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA= \"Fim\"").what, "the text of BRFIMTRA must be written in double quotes");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=\"Fim de trabalho").what, "the text of BRFIMTRA has no closing quote");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=\"Fim\\\"").what, "the text of BRFIMTRA has no closing quote");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=\"Fim\\t\"").what,
            "unknown escape in the text of BRFIMTRA (only \\\", \\\\ and \\n)");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=\"Fim\" gravado").what,
            "after the text of BRFIMTRA only \" gravada\" may follow, not \" gravado\"");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=\"Fim\" ").what, "after the text of BRFIMTRA only \" gravada\" may follow, not \" \"");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=\"Fim\tde\"").what, "BRFIMTRA: control character U+0009 in the text");
  EXPECT_EQ(ErrorOfLine("BRFIMTRA=\"Fim \xE3o\"").what, "BRFIMTRA: the text is not valid UTF-8");
  EXPECT_EQ(ErrorOfLine(Utf8(u8"BRFIMTRA=\"Fim → trabalho\"")).what,
            "BRFIMTRA: character U+2192 has no Windows-1252 form");
}

TEST(MessageFileTest, AKeyGivenTwiceIsAnError) {
  std::vector<CatalogueMessage> messages;
  MessageFileError error;
  EXPECT_FALSE(ParseMessageFile("A=\"um\"\nB=\"dois\"\n# A de novo\nA=\"tres\"\n", messages, error));
  EXPECT_EQ(error.line, 4);
  EXPECT_EQ(error.what, "key A given twice (first on line 1)");
}

TEST(MessageFileTest, AFileNamesItselfInItsErrors) {
  testing_support::TempDir dir;
  const std::string path = dir.File("mensagens.txt");
  testing_support::WriteFile(path, "A=\"um\"\nB=dois\n");
  std::vector<CatalogueMessage> messages;
  std::string error;
  EXPECT_FALSE(ReadMessageFile(path, messages, error));
  EXPECT_EQ(error, path + ":2: the text of B must be written in double quotes");
  EXPECT_FALSE(ReadMessageFile(dir.File("nenhum.txt"), messages, error));
  EXPECT_EQ(error, dir.File("nenhum.txt") + ": cannot be read");
  testing_support::WriteFile(path, "");
  EXPECT_TRUE(ReadMessageFile(path, messages, error));
  EXPECT_TRUE(messages.empty());
}

}  // namespace
