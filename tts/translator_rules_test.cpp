#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "tts/translator_rules.h"

namespace {

// Each case: a word whose letter at `at` may match the context rule under
// test, which gives "1".
struct ContextCase {
  const char* word;
  std::size_t at;
  bool matches;
};

class TranslatorRulesTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    testing_support::WriteFile(dir_.File("regras.rgr"), text);
    ASSERT_TRUE(LoadTranslatorRules(dir_.File("regras.rgr"), rules_));
  }

  std::string Apply(std::string_view word) const { return ApplyTranslatorRules(rules_, word); }

  // Every other letter and mark has a rule of empty output, so each
  // character of a word is one application.
  void ExpectContexts(const std::string& rule, std::initializer_list<ContextCase> cases) {
    std::string file = rule;
    for (char c = 'A'; c <= 'Z'; ++c) file += std::string("\n(") + c + ")=";
    Load(file + "\n(')=\n(^)=");
    for (const ContextCase& c : cases) {
      std::string expected = "[";
      for (std::size_t i = 0; i < std::string_view(c.word).size(); ++i) {
        expected += (i > 0 ? "/" : "") + std::string(i == c.at && c.matches ? "1" : "");
      }
      EXPECT_EQ(Apply(c.word), expected + "]") << rule << " on " << c.word;
    }
  }

  testing_support::TempDir dir_;
  TranslatorRules rules_;
};

TEST_F(TranslatorRulesTest, LoadingSplitsLinesAndLeavesOutRulesThatCannotMatch) {
  Load("LEFTXY(MIDDLEX)RIGHTXY=0123456789abcdef|comment\nno parenthesis=x\n()=x\n\n(~)=x\n(`A)=x\n(A=x\n");
  std::size_t count = 0;
  for (const auto& bucket : rules_) count += bucket.size();
  EXPECT_EQ(count, 2u) << "only \"(A=x\" keeps a middle part among the others";
  ASSERT_EQ(rules_['M' - kFirstRuleCode].size(), 1u);
  const TranslatorRule& rule = rules_['M' - kFirstRuleCode][0];
  EXPECT_EQ(rule.left + "|" + rule.middle + "|" + rule.right + "|" + rule.output, "LEFTX|MIDDL|RIGHT|0123456789a");
  EXPECT_EQ(Apply("~"), "[ /_~]");
  EXPECT_FALSE(LoadTranslatorRules(dir_.File("none.rgr"), rules_));
}

TEST_F(TranslatorRulesTest, OutputsJoinedWithEarlierRulesFirstAndStressCarried) {
  Load("(C)=first\n(CH)=second\n(NH)=nh\n(A~O)=a~w\n(A)=ka\n(B)=bee");
  EXPECT_EQ(Apply("ch"), "[first/ /_H]") << "no rule for h: spelled in upper case";
  EXPECT_EQ(Apply("nha"), "[nh/ka]");
  EXPECT_EQ(Apply("A"), "[kA]");
  EXPECT_EQ(Apply("A~o"), "[A~w]");
  EXPECT_EQ(Apply("Ba"), "[bee/ka]") << "only a stressed vowel marks the output";
}

TEST_F(TranslatorRulesTest, RightContexts) {
  ExpectContexts("(B)#X=1", {{"baa'ex", 0, true}, {"bx", 0, false}});  // vowels with their marks
  ExpectContexts("(B)%=1", {{"ab", 1, true}, {"ba", 0, false}});
  ExpectContexts("(C)&=1", {{"cl", 0, true}, {"cm", 0, true}, {"cz", 0, true}, {"cs", 0, false}});
  ExpectContexts("(D)*T=1", {{"dt", 0, true}, {"dr", 0, false}});  // "*" does not move on
  ExpectContexts("(F)+X=1", {{"fe'x", 0, true}, {"fix", 0, true}, {"fax", 0, false}});
  ExpectContexts("(N)[=1", {{"n", 0, true}, {"nt", 0, true}, {"nh", 0, false}, {"na", 0, false}});
  ExpectContexts("(O)\\%=1", {{"o", 0, true}, {"os", 0, true}, {"ox", 0, false}});
  ExpectContexts("(P)QU=1", {{"pqu", 0, true}, {"pq", 0, false}});
}

TEST_F(TranslatorRulesTest, LeftContexts) {
  ExpectContexts("#(S)=1", {{"a's", 2, true}, {"ts", 1, false}});
  ExpectContexts("%(R)=1", {{"r", 0, true}, {"ar", 1, false}});
  ExpectContexts("](M)=1", {{"om", 1, true}, {"o^m", 2, true}, {"em", 1, false}});
  ExpectContexts("_(X)=1", {{"x", 0, true}, {"e'x", 2, true}, {"tx", 1, false}});
  ExpectContexts("|(L)=1", {{"nl", 1, true}, {"rl", 1, true}, {"sl", 1, true}, {"al", 1, false}});
  ExpectContexts("QU(A)=1", {{"qua", 2, true}, {"gua", 2, false}});
}

TEST_F(TranslatorRulesTest, AVowelContextTakesTheWholeRunOfVowelsAndMarks) {
  const std::string longRun = "t" + std::string(4000, 'a') + "e'" + std::string(4000, 'i') + "s";
  ExpectContexts("T#(S)=1", {{"tae's", 4, true}, {"ts", 1, false}, {"t's", 2, false}, {"xas", 2, false}});
  ExpectContexts("T#(S)=1", {{longRun.c_str(), longRun.size() - 1, true}});
  ExpectContexts("(B)#X=1", {{"bae'ix", 0, true}, {"bae'", 0, false}, {"b'ax", 0, false}});
  const std::string longRight = "b" + std::string(3000, 'o') + "^" + std::string(3000, 'u') + "x";
  ExpectContexts("(B)#X=1", {{longRight.c_str(), 0, true}, {longRight.substr(0, longRight.size() - 1).c_str(), 0, false}});
}

class TranslatorExceptionsTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    testing_support::WriteFile(dir_.File("portug.exc"), text);
    ASSERT_TRUE(LoadTranslatorExceptions(dir_.File("portug.exc"), exceptions_));
  }
  std::string Lookup(std::string_view word) const { return LookupTranslatorException(exceptions_, word); }

  testing_support::TempDir dir_;
  TranslatorExceptions exceptions_;
};

TEST_F(TranslatorExceptionsTest, WordsAreRespelledWithTheirStrippedEndings) {
  Load("ta'xi=ta'ksi\nmuito=mu~ito|nasal\r\n\nzebra\nCasa=KAZA\n");
  EXPECT_EQ(Lookup("muito"), "mu~ito");
  EXPECT_EQ(Lookup("muitos"), "mu~itos");
  EXPECT_EQ(Lookup("muitosm"), "mu~itosm");
  EXPECT_EQ(Lookup("ta'xis"), "ta'ksis");
  EXPECT_EQ(Lookup("muitoS"), "muitoS") << "only lower-case s and m are stripped";
  EXPECT_EQ(Lookup("muitas"), "muitas");
  EXPECT_EQ(Lookup("zebra"), "zebra");
  EXPECT_EQ(Lookup("sm"), "sm");
  EXPECT_EQ(Lookup("casa"), "casa") << "lines keep their case";
  EXPECT_EQ(Lookup("Casa"), "KAZA");
  EXPECT_FALSE(LoadTranslatorExceptions(dir_.File("none.exc"), exceptions_));
}

TEST_F(TranslatorExceptionsTest, AtMost15000AreKept) {
  std::string text;
  for (int i = 0; i < 15000; ++i) text += "w" + std::to_string(100000 + i) + "=x\n";
  Load(text + "aaa=b\n");
  EXPECT_EQ(exceptions_.size(), 15000u);
  EXPECT_EQ(Lookup("aaa"), "aaa");
  EXPECT_EQ(Lookup("w114999"), "x");
}

}  // namespace
