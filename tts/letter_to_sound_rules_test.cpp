#include "tts/letter_to_sound_rules.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/test_support.h"
#include "tts/pronunciation_exceptions.h"
#include "tts/stress.h"

namespace {

class LetterToSoundRules : public testing::Test {
 protected:
  void Load(const std::string& rules) {
    testing_support::WriteFile(dir_.File("nrl"), rules);
    ASSERT_TRUE(LoadRules(dir_.File("nrl")));
  }
  // The phoneme lines of one word, joined by blanks, the closing empty line
  // shown as "/".
  static std::string Phonemes(std::string_view word, int stress = 0) {
    std::vector<std::string> list;
    ApplyRules(word, stress, list);
    std::string joined;
    for (const std::string& line : list) joined += (joined.empty() ? "" : " ") + (line.empty() ? "/" : line);
    return joined;
  }
  testing_support::TempDir dir_;
};

// The phonemes of a word by the installed rules and exceptions.
std::string Spoken(const std::string& word) {
  const std::string respelled = LookupException(word);
  std::vector<std::string> list;
  ApplyRules(respelled, IsUnstressedWord(respelled) ? 0 : FindStress(respelled), list);
  std::string joined;
  for (const std::string& line : list) {
    if (!line.empty()) joined += (joined.empty() ? "" : " ") + line;
  }
  return joined;
}

}  // namespace

TEST_F(LetterToSoundRules, LoadingSkipsCommentsAndRulesWithoutMiddle) {
  Load("; comment (A)=x\n(A)=a | a comment\n=z\n()B=q\nB\n(B)=b&b\n(CCCCCCC)=k\n");
  EXPECT_EQ(Phonemes("AB"), "a b b /");
  // The middle keeps five letters: CCCCC is one k, CC alone matches nothing.
  EXPECT_EQ(Phonemes("CCCCC"), "k /");
  EXPECT_EQ(Phonemes("CC"), "/");
  EXPECT_FALSE(LoadRules(dir_.File("none")));
}

TEST_F(LetterToSoundRules, OutputIsCutAtElevenCharacters) {
  Load("(A)=abcdefghijklmnop\n");
  EXPECT_EQ(Phonemes("A"), "abcdefghijk /");
}

TEST_F(LetterToSoundRules, RightContextSymbols) {
  Load("(A)Q=Q\n(A)+=F\n(A)#=V\n(A)%=E\n(A)&=S\n(A)*=C\n(A)=a\n(B)[=K\n(D)\\%=D\n(B)=b\n(D)=d\n");
  EXPECT_EQ(Phonemes("AO"), "V /");      // vowel
  EXPECT_EQ(Phonemes("A"), "E /");       // end of word
  EXPECT_EQ(Phonemes("AL"), "S /");      // sonorant
  EXPECT_EQ(Phonemes("AP"), "C /");      // consonant not L or R
  EXPECT_EQ(Phonemes("AR"), "S /");
  EXPECT_EQ(Phonemes("AH"), "C /");
  EXPECT_EQ(Phonemes("BH"), "b /");      // [ refuses H
  EXPECT_EQ(Phonemes("B"), "K /");       // [ at the end
  EXPECT_EQ(Phonemes("BT"), "K /");
  EXPECT_EQ(Phonemes("DS"), "D /");      // optional S then the end
  EXPECT_EQ(Phonemes("D"), "D /");
  EXPECT_EQ(Phonemes("DT"), "d /");
  EXPECT_EQ(Phonemes("AQ"), "Q /");
  EXPECT_EQ(Phonemes("AI"), "F /");      // front vowel
  EXPECT_EQ(Phonemes("A\xC9"), "F /");
  EXPECT_EQ(Phonemes("ae"), "F /");      // word letters are compared upper-cased
}

TEST_F(LetterToSoundRules, LeftContextSymbols) {
  Load("#(B)=V\n%(B)=E\n](C)=K\n_(D)=D\n|(F)=F\nX(G)=X\n(B)=b\n(C)=c\n(D)=d\n(F)=f\n(G)=g\n(A)=a\n(E)=e\n"
       "(N)=n\n(X)=x\n");
  EXPECT_EQ(Phonemes("AB"), "a V /");
  EXPECT_EQ(Phonemes("B"), "E /");
  EXPECT_EQ(Phonemes("NB"), "n b /");
  EXPECT_EQ(Phonemes("AC"), "a K /");
  EXPECT_EQ(Phonemes("EC"), "e c /");
  EXPECT_EQ(Phonemes("D"), "D /");
  EXPECT_EQ(Phonemes("ED"), "e D /");
  EXPECT_EQ(Phonemes("ND"), "n d /");
  EXPECT_EQ(Phonemes("NF"), "n F /");
  EXPECT_EQ(Phonemes("F"), "f /");
  EXPECT_EQ(Phonemes("XG"), "x X /");
  EXPECT_EQ(Phonemes("G"), "g /");
}

TEST_F(LetterToSoundRules, StressMarkAndRuleOrder) {
  Load("(A)=a\n(BC)=x\n(B)=b\n(C)=c\n(BCD)=never\n(D)=d&e\n");
  EXPECT_EQ(Phonemes("ABC", 2), "a >x /");
  // The stressed letter is inside a rule that starts before it: the mark
  // goes to the next rule's first phoneme.
  EXPECT_EQ(Phonemes("ABCD", 3), "a x >d e /");
  EXPECT_EQ(Phonemes("ABC", 0), "a x /");
  EXPECT_EQ(Phonemes("DD", 1), ">d e d e /");
  // A letter without a rule is skipped.
  EXPECT_EQ(Phonemes("AZA"), "a a /");
}

TEST(PronunciationExceptions, SuffixStrippingAndLimits) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir.File("exc"), "zebra=zeebra|comment\n\nCASA=KAZA\nbola=b\xF3la\n");
  ASSERT_TRUE(LoadExceptions(dir.File("exc")));
  EXPECT_EQ(LookupException("ZEBRA"), "ZEEBRA");
  EXPECT_EQ(LookupException("CASAS"), "KAZAS");
  EXPECT_EQ(LookupException("CASAMS"), "KAZAMS");
  EXPECT_EQ(LookupException("BOLA"), "B\xD3LA");
  EXPECT_EQ(LookupException("CASAL"), "CASAL");
  EXPECT_EQ(LookupException("SSS"), "SSS");
  EXPECT_EQ(LookupException(""), "");
  EXPECT_FALSE(LoadExceptions(dir.File("none")));

  std::string many;
  for (int i = 0; i < 15001; ++i) many += "W" + std::to_string(100000 + i) + "=R\n";
  testing_support::WriteFile(dir.File("many"), many);
  ASSERT_TRUE(LoadExceptions(dir.File("many")));
  EXPECT_EQ(LookupException("W114999"), "R");
  EXPECT_EQ(LookupException("W115000"), "W115000");
}

TEST(InstalledRules, RealWordsBecomeBrazilianPhonemes) {
  ASSERT_TRUE(LoadRules(JoinPath(DataDirectory(), "tavelatts/portug.nrl")));
  ASSERT_TRUE(LoadExceptions(JoinPath(DataDirectory(), "tavelatts/portug.exc")));
  const std::pair<const char*, const char*> words[] = {
      {"CASA", "k >a z a"},
      {"CASAS", "k >a z a s2"},
      {"FALAR", "f a l >a r2"},
      {"CAF\xC9", "k a f >ee"},
      {"VOC\xCA", "v o s >e"},
      {"AV\xD3", "a v >oo"},
      {"RUA", "rr >u a"},
      {"AQUI", "a k >i"},
      {"MEU", "m >e w"},
      {"BOM", "b >on"},
      {"HOMEM", ">o m en in"},
      {"CARRO", "k >a rr w"},
      {"ARTE", ">a r2 t y"},
      {"PENTE", "p >en t y"},
      {"PINTO", "p >in t w"},
      {"PONTE", "p >on t y"},
      {"FUNDO", "f >un d w"},
      {"FALAM", "f >a l @ m2"},
      {"A\xC7\xC3O", "a s >@ m2"},
      {"ALHO", ">a lh w"},
      {"PINHA", "p >i nh a"},
      {"JACA", "j >a k a"},
      {"XAROPE", "x a r >o p y"},
      {"LOJA", "l >oo j a"},
      {"CASCA", "k >a s2 k a"},
      {"GENTE", "j >en t y"},
      {"GUERRA", "g >ee rr a"},
      {"QUANDO", "k w >@ d w"},
      {"CHUVA", "x >u v a"},
      {"BRASIL", "b r a z >i w"},
      {"EXAME", "e z >a m y"},
      {"TEXTO", "t >e s2 t w"},
      {"T\xC1XI", "t >a k s i"},
      {"M\xC3" "E", "m >@ y"},
      {"PAI", "p >a y"},
      {"MUITO", "m >u in t w"},
      {"TAMB\xC9M", "t @ b >en in"},
      {"N\xC3O", "n @ m2"},
      {"HOJE", ">o j y"},
      {"SOL", "s >oo w"},
      {"\xC1GUA", ">a g w a"},
      {"CINQ\xDC" "ENTA", "s in k w >en t a"},
      {"CINQUENTA", "s in k w >en t a"},
      {"DEZ", "d >ee s2"},
      {"PEIXE", "p >e y x y"},
      {"NASCE", "n >a s y"},
      {"E", "i"},
      {"O", "u"},
      {"CORA\xC7\xD5" "ES", "k o r a s >on y s2"},
      {"HONRA", ">on rr a"},
      {"ADVOGADO", "a d i v o g >a d w"},
      {"RITMO", "rr >i t i m w"},
      {"PNEU", "p i n >e w"},
      {"RAINHA", "rr a >i nh a"},
      {"POSSUIR", "p o s u >i r2"},
      {"PERSPECTIVA", "p e r2 s p e k i t >i v a"},
      {"M\xC3OS", "m >@ m2 s"},
      {"FIXAR", "f i k s >a r2"},
      {"COXINHA", "k o x >i nh a"},
      {"LAUREADO", "l a w r e >a d w"},
      {"FORAM", "f >oo r @ m2"},
      {"SENHORA", "s e nh >oo r a"},
      {"JANELAS", "j a n >ee l a s2"},
      {"EXCE\xC7\xC3O", "e s e s >@ m2"},
      {"PARAB\xC9NS", "p a r a b >en in s2"},
  };
  for (const auto& [word, phonemes] : words) EXPECT_EQ(Spoken(word), phonemes) << word;
  FreeRules();
}
