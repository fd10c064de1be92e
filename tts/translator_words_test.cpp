#include <gtest/gtest.h>

#include "tts/translator_words.h"

namespace {

TEST(TranslatorTransliterationTest, WindowsLettersBecomePlainLettersWithAccentMarks) {
  EXPECT_EQ(TransliterateForTranslator("a\xE7\xE3o"), "assa~o");  // ação
  EXPECT_EQ(TransliterateForTranslator("\xC1gua"), "a'gua");      // Água
  EXPECT_EQ(TransliterateForTranslator("\xC7\xC3O"), "ssa~O");    // ÇÃO
  EXPECT_EQ(TransliterateForTranslator("p\xF4r \xE9 \xE0 \xEA"), "po^r e' a` e^");
  EXPECT_EQ(TransliterateForTranslator("\xED\xF3\xFA\xF5\xE2"), "i'o'u'o~a^");
  EXPECT_EQ(TransliterateForTranslator("\xFC\xF1\xE6\xF8\xD7\xC5"), "unhae0xa");
  EXPECT_EQ(TransliterateForTranslator("\xE8\xEC\xF2\xF9\xEB\xEF\xEE\xFB"), "e`i`o`u`e\"i\"i^u^");
}

TEST(TranslatorTransliterationTest, DosLettersBecomeTheSamePlainLetters) {
  EXPECT_EQ(TransliterateForTranslator("a\x87\x84o"), "assa~o");  // ação in code page 850
  EXPECT_EQ(TransliterateForTranslator("\x80\x82\x83\x85\xA0"), "sse'a^a`a'");
  EXPECT_EQ(TransliterateForTranslator("\xA1\xA2\xA3\xA4\x88\x93\x94"), "i'o'u'nhe^o^o~");
  EXPECT_EQ(TransliterateForTranslator("\x81\x90\xA8\xAD"), "u\"e'?!");
}

TEST(TranslatorTransliterationTest, CharactersWithoutAFormBecomeBlanks) {
  EXPECT_EQ(TransliterateForTranslator("a\tb\x0D\x0A" "c"), "a b  c");
  EXPECT_EQ(TransliterateForTranslator("\xA9\xB0"), "  ");
  EXPECT_EQ(TransliterateForTranslator("\x01"), "\x01 ");
  EXPECT_EQ(TransliterateForTranslator("1+1=2!"), "1+1=2!");
}

TEST(TranslatorTransliterationTest, WAndYNextToALetterAreVowels) {
  EXPECT_EQ(TransliterateForTranslator("Wagner"), "uagner");
  EXPECT_EQ(TransliterateForTranslator("New York"), "Neu iork");
  EXPECT_EQ(TransliterateForTranslator("w y W Y"), "w y W Y");
  EXPECT_EQ(TransliterateForTranslator("\xE1y"), "a'i");
}

TEST(TranslatorTransliterationTest, ApostropheAfterDIsDropped) {
  EXPECT_EQ(TransliterateForTranslator("d'\xE1gua D'Avila"), "da'gua DAvila");
  EXPECT_EQ(TransliterateForTranslator("it's"), "it's");
}

// Portuguese words whose stressed syllable is known, as the transcription
// hands them over (lower case, no accent marks).
TEST(TranslatorStressTest, AutomatonMarksTheStressedVowel) {
  const std::pair<const char*, const char*> words[] = {
      {"casa", "cAsa"},         {"falar", "falAr"},       {"jardim", "jardIm"},     {"homem", "hOmem"},
      {"tupi", "tupI"},         {"livro", "lIvro"},       {"saudade", "saudAde"},   {"muito", "mUito"},
      {"rainha", "raInha"},     {"saia", "sAia"},         {"aqui", "aquI"},         {"igual", "iguAl"},
      {"brasil", "brasIl"},     {"sol", "sOl"},           {"cidades", "cidAdes"},   {"juiz", "juIz"},
      {"falam", "fAlam"},       {"jovens", "jOvens"},     {"batom", "batOm"},       {"comum", "comUm"},
      {"queijo", "quEijo"},     {"quilo", "quIlo"},       {"lua", "lUa"},           {"moinho", "moInho"},
      {"cair", "caIr"},         {"contribuinte", "contribuInte"},                   {"caixa", "cAixa"},
      {"paulo", "pAulo"},       {"ainda", "aInda"},       {"tchau", "tchAu"},       {"feliz", "felIz"},
      {"papel", "papEl"},       {"amor", "amOr"},         {"cantaram", "cantAram"}, {"pessoa", "pessOa"},
      {"relevix", "relevIx"},
  };
  for (const auto& [word, marked] : words) EXPECT_EQ(MarkStress(word), marked) << word;
}

TEST(TranslatorStressTest, WordsTheAutomatonCannotPlaceStayUnmarked) {
  EXPECT_EQ(MarkStress("item"), "item");  // the first vowel is reached with nothing before it
  EXPECT_EQ(MarkStress("pfff"), "pfff");
  EXPECT_EQ(MarkStress(""), "");
}

TEST(TranslatorLettersTest, ClassesOfTheTranscription) {
  for (char c : std::string("aeiouAEIOU")) EXPECT_TRUE(IsWordVowel(c)) << c;
  for (char c : std::string("bcdfghjklmnpqrstvwxyzBZ")) EXPECT_TRUE(IsWordConsonant(c)) << c;
  for (char c : std::string("\"'^`~")) EXPECT_TRUE(IsAccentMark(c)) << c;
  for (char c : std::string("1 ,-_\xE1")) {
    EXPECT_FALSE(IsWordVowel(c) || IsWordConsonant(c) || IsAccentMark(c)) << c;
  }
}

}  // namespace
