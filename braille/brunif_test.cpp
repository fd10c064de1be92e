#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "braille/transcription.h"
#include "braille/transcription_test_support.h"

namespace {

using transcription_testing::Case;
using transcription_testing::ResetTranscriptionState;
using transcription_testing::TranscribeUnified;
using UnifiedTest = transcription_testing::RuleSetTest<TranscribeUnified>;

TEST_F(UnifiedTest, DescribedExamplesPortugueseStyle) {
  ExpectAll({{"Brasil", "{brasil"},
             {"BRASIL", "{{brasil"},
             {"BRASILeiro", "{{brasil~eiro"},
             {"guarda-chuva", "guarda-chuva"},
             {"1990", "#1990"},
             {"1.000", "#1.000"},
             {"3.14", "#3.#14"},
             {"1\xBA", "#,o"},
             {"2as.", "#;as"},
             {"10\xAA", "#,}a"},
             {"3a", "#3~a"},
             {"3f", "#3~f"},
             // Every letter that is also a digit (a to j) is kept apart.
             {"14h30", "#14~h#30"},
             {"3j", "#3~j"},
             {"3k", "#3k"},
             {"(5 + 3)", "\xEA#5 + #3\xE3"},
             {"(nota 5)", "(.nota #5\\)"},
             {"`3/4", "#:4"},
             {"`x", "\xD7"},
             {" texto", "texto"},
             {"  texto", "  texto"}},
            false);
}

TEST_F(UnifiedTest, DescribedExamplesEnglishStyle) {
  ExpectAll({{"Brasil", "\\brasil"}, {"fim.", "fim/"}, {".", "/"}}, true);
}

TEST_F(UnifiedTest, PeriodsOutsideNumbers) {
  ExpectAll({{"...", "..."}, {"a.b", "a.b"}}, false);
  ExpectAll({{"...", "///"}, {"a.b", "a/b"}, {"\x85", "..."}}, true);
}

// A period after a number belongs to the number, so it stays a period in
// English style too.
TEST_F(UnifiedTest, NumberTakesThePeriodsAfterIt) {
  ExpectAllBothStyles({{"1...", "#1..."}, {"12.5.", "#12.#5."}, {"1. a", "#1. a"}});
  ExpectAll({{"1 .", "#1 /"}}, true);
}

TEST_F(UnifiedTest, LeadingBlank) {
  ExpectAllBothStyles({{"", ""}, {" ", " "}, {"  ", "  "}, {" x", "x"}, {" 1", "#1"}, {"x ", "x "}, {"a b", "a b"}});
}

TEST_F(UnifiedTest, WordsPassUnchanged) {
  ExpectAllBothStyles({{"p\xE3o", "p\xE3o"},
                       {"a\xE7\xE3o-chave", "a\xE7\xE3o-chave"},
                       {"p\xE9-de-moleque", "p\xE9-de-moleque"},
                       {"\xE0s 5", "\xE0s #5"},
                       // æ is a small letter, so the word rule copies it.
                       {"\xE6on", "\xE6on"}});
}

TEST_F(UnifiedTest, CapitalsPortugueseStyle) {
  ExpectAll({{"A", "{a"},
             {"\xC9" "poca", "{\xE9poca"},
             {"\xC1GUA", "{{\xE1gua"},
             {"OK!", "{{ok!"},
             {"A1", "{a#1"},
             {"NASAs", "{{nasa~s"},
             {"CD-ROM", "{{cd-{{rom"},
             // A run of capitals takes × and ß with it, lower-cased to ÷ and ÿ.
             {"A\xD7" "B", "{{a\xF7" "b"},
             {"S\xDF", "{{s\xFF"}},
            false);
}

TEST_F(UnifiedTest, CapitalsEnglishStyle) {
  ExpectAll({{"A", "\\a"}, {"BRASIL", "\\\\brasil"}, {"BRASILeiro", "\\\\brasil~eiro"}, {"\xC7" "a", "\\\xE7" "a"}},
            true);
}

TEST_F(UnifiedTest, MultiplicationSignAndSharpSAreNoCapitals) {
  ExpectAllBothStyles(
      {{"\xD7", "\xD7"}, {"2 \xD7 3", "#2 \xD7 #3"}, {"\xDF", "\xAC" "b"}, {"stra\xDF" "e", "stra\xAC" "be"}});
}

TEST_F(UnifiedTest, LowerDigitsInOrdinals) {
  ExpectAllBothStyles({{"1234567890\xBA", "#,;:/?!=\"*}o"},
                       {"1\xAA", "#,a"},
                       {"3o.", "#:o"},
                       {"4a.", "#/a"},
                       {"5os.", "#?os"},
                       {"21as. vez", "#;,as vez"}});
}

TEST_F(UnifiedTest, NumbersThatAreNoOrdinals) {
  ExpectAllBothStyles({{"2o", "#2o"},
                       {"2as", "#2~as"},
                       {"2o:", "#2o:"},
                       {"5\xB0", "#5\xB0"},
                       {"1,5", "#1,5"},
                       {"10$50", "#10$50"},
                       {"3b", "#3~b"},
                       {"3e", "#3~e"},
                       {"3g", "#3~g"},
                       {"7-8", "#7-#8"},
                       {"1 2", "#1 #2"}});
}

TEST_F(UnifiedTest, PeriodInsideNumber) {
  ExpectAllBothStyles({{"12.5", "#12.#5"},
                       {"12.34", "#12.#34"},
                       {"123.45", "#123.45"},
                       {"1.2345", "#1.2345"},
                       {"1.000.000", "#1.000.000"},
                       {"1.2.3", "#1.#2.#3"},
                       {"12.", "#12."},
                       {"12.x", "#12.x"},
                       {"12.a", "#12.~a"},
                       {"12..5", "#12..#5"}});
}

TEST_F(UnifiedTest, BracketsOfNumberExpressions) {
  ExpectAllBothStyles({{"[2+3]", "\xE1#2+#3\xFA"},
                       {"(2)", "\xEA#2\xE3"},
                       {"2(3)", "#2\xEA#3\xE3"},
                       {"5)", "#5\xE3"},
                       {"5]", "#5\xFA"}});
}

TEST_F(UnifiedTest, BracketsBeforeNumbersInText) {
  ExpectAll({{"(5 a)", "(.#5 a\\)"}, {"(5", "(.#5"}, {"[5 a]", "[.#5 a\\]"}, {"(5 a]", "(.#5 a\\]"}}, false);
  ExpectAll({{"(5 a)", "=#5 a="}, {"(5", "=#5"}, {"[5 a]", "[.#5 a\\]"}}, true);
}

TEST_F(UnifiedTest, BracketBeforeNumberWithoutCloserOpensTextParenthesis) {
  EXPECT_EQ(TranscribeUnified("[5", false), "[.#5");
  EXPECT_TRUE(transcription_testing::testState.inTextParenthesis);
  // Inside a text parenthesis a closer after a digit is a text sign.
  EXPECT_EQ(TranscribeUnified("5]", false), "#5\\]");
  EXPECT_TRUE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\\)");
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\xE3");
}

TEST_F(UnifiedTest, CloserWithoutDigitBeforeIt) {
  ExpectAll({{")", "\\)"}, {"]", "\\]"}, {"a)", "a\\)"}, {" )", "\\)"}}, false);
}

TEST_F(UnifiedTest, LowerNumbers) {
  ExpectAllBothStyles({{"`1234567890", "#,;:/?!=\"*}"},
                       {"`12/34", "#,;34"},
                       {"`5/", "#?"},
                       {"`5/x", "#?x"},
                       {"`5 6", "#? #6"}});
}

TEST_F(UnifiedTest, BackquoteSigns) {
  ExpectAllBothStyles({{"`\"", "\xFC\xFC"},
                       {"`'", "\xFC"},
                       {"`%", "_}}"},
                       {"`(", "\xEA"},
                       {"`)", "\xE3"},
                       {"`*", "\xD7"},
                       {"`X", "\xD7"},
                       {"`x", "\xD7"},
                       {"`+", "+"},
                       {"`-", "-"},
                       {"`.", "."},
                       {"`/", "\xF7"},
                       {"`:", "\xF7"},
                       {"`=", "="},
                       {"`E", "\x80" "e"},
                       {"`e", "\x80" "e"},
                       {"`O", "\xB0"},
                       {"`o", "\xB0"},
                       {"`[", "\xE1"},
                       {"`]", "\xFA"},
                       {"`^", "\xE5"},
                       {"`_", "~\xF7"},
                       {"`\xF7", "~\xF7"},
                       {"`{", "~l"},
                       {"`}", "_,"},
                       {"``", ""},
                       {"a`xb", "a\xD7" "b"},
                       {"```", "`"}});
}

TEST_F(UnifiedTest, BackquoteWithoutSign) {
  ExpectAllBothStyles({{"`", "`"}, {"`a", "`a"}, {"` ", "` "}, {"`#", "`#"}});
}

TEST_F(UnifiedTest, OtherSignsPortugueseStyle) {
  ExpectAll({{"(", "(."},
             {")", "\\)"},
             {"*", "*"},
             {"/", "\\,"},
             {"?", "?"},
             {"_", "_"},
             {"e/ou", "e\\,ou"}},
            false);
}

TEST_F(UnifiedTest, OtherSignsEnglishStyle) {
  ExpectAll({{"(", "="}, {")", "="}, {"*", "{"}, {"/", "\xEC"}, {"?", "\""}, {"_", "]"}}, true);
}

TEST_F(UnifiedTest, OtherSignsAlikeInBothStyles) {
  ExpectAllBothStyles({{"%", "_}"},
                       {"[", "[."},
                       {"\\", "~."},
                       {"]", "\\]"},
                       {"\x80", "\x80" "e"},
                       {"\x85", "..."},
                       {"\x89", "_}}"},
                       {"\x91", "$\""},
                       {"\x92", "$\""},
                       {"\x95", "\xF5" "o"},
                       {"\x96", "--"},
                       {"\x97", "--"},
                       {"\xAD", "--"},
                       {"\x9C", "oe"},
                       {"\xA7", "ss"},
                       {"\xAB", "\\\""},
                       {"\xBB", "\\\""},
                       {"\xB9", "\xE5#a"},
                       {"\xB2", "\xE5#b"},
                       {"\xB3", "\xE5#c"},
                       {"\xBC", "#,d"},
                       {"\xBD", "#,b"},
                       {"\xBE", "#:d"},
                       {"\xDF", "\xAC" "b"}});
}

TEST_F(UnifiedTest, CharactersWrittenAsTheyAre) {
  ExpectAllBothStyles({{"#", "#"},
                       {",", ","},
                       {";", ";"},
                       {":", ":"},
                       {"!", "!"},
                       {"'", "'"},
                       {"-", "-"},
                       {"$", "$"},
                       {"&", "&"},
                       {"+", "+"},
                       {"=", "="},
                       {"<", "<"},
                       {">", ">"},
                       {"@", "@"},
                       {"^", "^"},
                       {"{", "{"},
                       {"}", "}"},
                       {"~", "~"},
                       {"|", "|"},
                       {"\xB0", "\xB0"},
                       {"\xA9", "\xA9"}});
}

TEST_F(UnifiedTest, QuotesPortugueseStyle) {
  ExpectAll({{"\"a\"", "\"a\""}, {"\x93" "a\x94", "\"a\""}, {"\x94" "a\x93", "\"a\""}}, false);
  EXPECT_TRUE(transcription_testing::testState.nextQuoteOpens);
}

TEST_F(UnifiedTest, QuotesEnglishStyle) {
  ExpectAll({{"\"a\"", "\"a}"},
             {"\x93" "a\x94", "\"a}"},
             {"\x94" "a\x93", "}a\""},
             {"\x93\x93", "\"\""},
             {"\"\"\"", "\"}\""},
             {"\x94\"", "}\""}},
            true);
}

TEST_F(UnifiedTest, EnglishQuoteCarriesAcrossLinesUntilReset) {
  EXPECT_EQ(TranscribeUnified("\"um", true), "\"um");
  EXPECT_FALSE(transcription_testing::testState.nextQuoteOpens);
  EXPECT_EQ(TranscribeUnified("dois\"", true), "dois}");
  EXPECT_EQ(TranscribeUnified("\"tres", true), "\"tres");
  // Portuguese-style quotes leave the English flag alone.
  EXPECT_EQ(TranscribeUnified("\"", false), "\"");
  EXPECT_EQ(TranscribeUnified("\"", true), "}");
  EXPECT_EQ(TranscribeUnified("\"", true), "\"");
  ResetTranscriptionState();
  EXPECT_TRUE(transcription_testing::testState.nextQuoteOpens);
  EXPECT_EQ(TranscribeUnified("\"", true), "\"");
}

TEST_F(UnifiedTest, TextParenthesisCarriesAcrossLinesUntilReset) {
  EXPECT_EQ(TranscribeUnified("(nota", false), "(.nota");
  EXPECT_TRUE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\\)");
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);

  EXPECT_EQ(TranscribeUnified("(texto", true), "=texto");
  ResetTranscriptionState();
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);
  EXPECT_EQ(TranscribeUnified("5)", false), "#5\xE3");
}

TEST_F(UnifiedTest, LeavesOldRulesQuoteFlagAlone) {
  TranscribeUnified("\"a", true);
  EXPECT_TRUE(transcription_testing::testState.oldNextQuoteOpens);
}

}  // namespace
