#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "braille/transcription.h"
#include "braille/transcription_test_support.h"

namespace {

using transcription_testing::Case;
using transcription_testing::ResetTranscriptionState;
using transcription_testing::TranscribeOld;
using OldRulesTest = transcription_testing::RuleSetTest<TranscribeOld>;

TEST_F(OldRulesTest, DescribedExamples) {
  ExpectAll({{"Brasil", "]brasil"}}, false);
  ExpectAll({{"Brasil", "&brasil"}}, true);
  ExpectAllBothStyles({{"12/05/2003", "#12-05-2003"},
                       {"10:30", "#10:30"},
                       {"1,5", "#1,5"},
                       {"1.5", "#1'5"},
                       {"...", "'''"},
                       {"\x93" "a\x94", "{a}"}});
}

TEST_F(OldRulesTest, LeadingBlank) {
  ExpectAllBothStyles({{"", ""}, {" ", " "}, {"  ", "  "}, {" x", "x"}, {" 1", "#1"}, {"  texto", "  texto"}});
}

TEST_F(OldRulesTest, WordsPassUnchanged) {
  ExpectAllBothStyles({{"guarda-chuva", "guarda-chuva"}, {"a\xE7\xE3o", "a\xE7\xE3o"}, {"\xE6on", "\xE6on"}});
}

TEST_F(OldRulesTest, CapitalsPortugueseStyle) {
  ExpectAll({{"A", "]a"},
             {"BRASIL", "]]brasil"},
             {"BRASILeiro", "]]brasileiro"},
             {"\xC9" "poca", "]\xE9poca"},
             {"CD-ROM", "]]cd-]]rom"},
             // × and ß count as capitals here.
             {"\xD7", "]\xF7"},
             {"2 \xD7 3", "#2 ]\xF7 #3"},
             {"\xDF", "]\xFF"},
             {"A\xD7" "B", "]]a\xF7" "b"}},
            false);
}

TEST_F(OldRulesTest, CapitalsEnglishStyle) {
  ExpectAll({{"A", "&a"}, {"BRASIL", "&&brasil"}, {"BRASILeiro", "&&brasileiro"}, {"\xD7", "&\xF7"}}, true);
}

TEST_F(OldRulesTest, Dates) {
  ExpectAllBothStyles({{"1/2/3", "#1-2-3"},
                       {"12//5", "#12--5"},
                       {"01/01/2000.", "#01-01-2000."},
                       {"1/2/3:4", "#1-2-3:#4"},
                       {"1/2", "#1/#2"},
                       {"12/05/", "#12/#05/"},
                       {"1/2/3/4", "#1/#2-3-4"}});
}

TEST_F(OldRulesTest, Times) {
  ExpectAllBothStyles({{"10:30:15", "#10:30:15"}, {"10:", "#10:"}, {"9:3a", "#9:3~a"}, {"10:30h", "#10:30~h"}, {"10:30min", "#10:30min"}});
}

TEST_F(OldRulesTest, Ordinals) {
  ExpectAllBothStyles({{"1\xBA", "#,o"},
                       {"1\xAA", "#,a"},
                       {"1\xB0", "#,o"},
                       {"4a.", "#.a"},
                       {"7os.", "#)os"},
                       {"8as.", "#{as"},
                       {"1234567890\xBA", "#,;:.?!){*}o"}});
}

TEST_F(OldRulesTest, Numbers) {
  ExpectAllBothStyles({{"1990", "#1990"},
                       {"1.000", "#1'000"},
                       {"1.2.3", "#1'2'3"},
                       {"10.", "#10."},
                       {"1,5.", "#1,5."},
                       {"3a", "#3~a"},
                       {"14h30", "#14~h#30"},
                       {"3j", "#3~j"},
                       {"12/05/2003b", "#12-05-2003~b"},
                       {"10.a", "#10.a"},
                       {"2o", "#2o"},
                       {"5$", "#5$"},
                       {"3-4", "#3-#4"}});
}

// The number takes every point after it, so three points after a number
// are no ellipsis.
TEST_F(OldRulesTest, NumberTakesThePointsAfterIt) {
  ExpectAllBothStyles({{"1...", "#1..."}, {"1.5...", "#1'5..."}, {"1,.5", "#1,'5"}, {"1 ...", "#1 '''"}});
}

TEST_F(OldRulesTest, LowerNumbers) {
  ExpectAllBothStyles({{"`1234567890", "#,;:.?!){*}"}, {"`3/4", "#:4"}, {"`12/34", "#,;34"}, {"`5/", "#?"}});
}

TEST_F(OldRulesTest, BackquoteSigns) {
  ExpectAllBothStyles({{"`(", "\xEA"},
                       {"`)", "\xE3"},
                       {"`*", "{"},
                       {"`[", "\xE1"},
                       {"`]", "\xFA"},
                       {"`{", "~l"},
                       {"`}", "_,"},
                       {"a`*b", "a{b"}});
}

TEST_F(OldRulesTest, BackquoteWithoutSign) {
  ExpectAllBothStyles({{"`", "`"},
                       {"`x", "`x"},
                       {"``", "``"},
                       {"`^", "`^"},
                       {"`o", "`o"},
                       {"`.", "`."},
                       {"`\"", "`{"}});
}

TEST_F(OldRulesTest, Periods) {
  ExpectAllBothStyles({{".", "."},
                       {"..", ".."},
                       {"....", "'''."},
                       {"......", "''''''"},
                       {"fim...", "fim'''"},
                       {"fim.", "fim."}});
}

TEST_F(OldRulesTest, Quotes) {
  ExpectAllBothStyles({{"\"a\"", "{a}"}, {"\x93\x93", "{{"}, {"\x94", "}"}, {"\x94\"", "}{"}, {"\"\"\"", "{}{"}});
}

TEST_F(OldRulesTest, QuoteCarriesAcrossLinesUntilReset) {
  EXPECT_EQ(TranscribeOld("\"um", false), "{um");
  EXPECT_FALSE(transcription_testing::testState.oldNextQuoteOpens);
  EXPECT_EQ(TranscribeOld("dois\"", true), "dois}");
  EXPECT_TRUE(transcription_testing::testState.oldNextQuoteOpens);
  EXPECT_EQ(TranscribeOld("\"tres", false), "{tres");
  ResetTranscriptionState();
  EXPECT_EQ(TranscribeOld("\"", false), "{");
  // The current rules' flags are not touched.
  EXPECT_TRUE(transcription_testing::testState.nextQuoteOpens);
  EXPECT_FALSE(transcription_testing::testState.inTextParenthesis);
}

TEST_F(OldRulesTest, OtherSigns) {
  ExpectAll({{"%", "_}"}, {"_", "_"}, {"\xA7", "ss"}}, false);
  ExpectAll({{"%", "_}"}, {"_", "]"}, {"\xA7", "ss"}}, true);
}

TEST_F(OldRulesTest, CharactersWrittenAsTheyAre) {
  ExpectAllBothStyles({{"(", "("},     {")", ")"},       {"(5 + 3)", "(#5 + #3)"}, {"[", "["},       {"]", "]"},
                       {"/", "/"},     {"\\", "\\"},     {"*", "*"},               {"?", "?"},       {"!", "!"},
                       {"&", "&"},     {"+", "+"},       {"=", "="},               {"'", "'"},       {"-", "-"},
                       {"$", "$"},     {"#", "#"},       {"{", "{"},               {"}", "}"},       {"@", "@"},
                       {"\x80", "\x80"}, {"\x85", "\x85"}, {"\x89", "\x89"},       {"\x91", "\x91"}, {"\x95", "\x95"},
                       {"\x96", "\x96"}, {"\xAB", "\xAB"}, {"\xB9", "\xB9"},       {"\xBC", "\xBC"}, {"\xAD", "\xAD"},
                       {"\x9C", "\x9C"}});
}

}  // namespace
