#include "tts/text_normalisation.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/support/test_support.h"
#include "tts/abbreviations.h"
#include "tts/character_names.h"

namespace {

class TextNormalisation : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::WriteFile(dir_.File("abr"),
                               "; comment\r\n\r\n  sr =  senhor \r\nDr=doutor\netc=et c\xE9tera\nSP=S\xE3o Paulo\n");
    ASSERT_TRUE(LoadAbbreviations(dir_.File("abr")));
  }
  testing_support::TempDir dir_;
};

std::string Number(std::string_view text) {
  std::size_t position = 0;
  return ReadNumber(text, position);
}

}  // namespace

TEST(CharacterNames, NamesByCode) {
  EXPECT_EQ(CharacterName('?'), "interroga\xE7\xE3o");
  EXPECT_EQ(CharacterName('$'), "cifr\xE3o");
  EXPECT_EQ(CharacterName('C'), " s\xEA");
  EXPECT_EQ(CharacterName('j'), "jota");
  EXPECT_EQ(CharacterName('J'), "j\xF3ta");
  EXPECT_EQ(CharacterName('n'), "ene");
  EXPECT_EQ(CharacterName('~'), "til");
  EXPECT_EQ(CharacterName(0xA1), "exclama\xE7\xE3o reversa");
  EXPECT_EQ(CharacterName(0xDC), "U com trema");
  EXPECT_EQ(CharacterName(0xE1), "A agudo");
  EXPECT_EQ(CharacterName(0xE7), "C\xEA cedilha");
  EXPECT_EQ(CharacterName(0x09), "");
  EXPECT_EQ(CharacterName(0x80), "");
  EXPECT_EQ(CharacterName(0xA0), "");
  EXPECT_EQ(CharacterName(0xDD), "");
  EXPECT_EQ(CharacterName(0xFF), "");
  for (int code = 32; code <= 126; ++code) EXPECT_FALSE(CharacterName(static_cast<unsigned char>(code)).empty());
}

TEST(ReadNumberTest, CardinalsOrdinalsAndDigitRuns) {
  EXPECT_EQ(Number("1.000"), "mil ");
  EXPECT_EQ(Number("007"), "zero zero sete");
  EXPECT_EQ(Number("1\xBA"), "primeiro");
  EXPECT_EQ(Number("3\xAA"), "terceira");
  EXPECT_EQ(Number("2as."), "segundas");
  EXPECT_EQ(Number("5os."), "quintos");
  EXPECT_EQ(Number("21a."), "vig\xE9sima primeira");
  EXPECT_EQ(Number("3222-1234"), " tr\xEAs dois dois dois tra\xE7o um dois tr\xEAs quatro");
  EXPECT_EQ(Number("1.234.567"), "um milh\xE3o duzentos e trinta e quatro mil e quinhentos e sessenta e sete");
  std::size_t position = 0;
  EXPECT_EQ(ReadNumber("12abc", position), "doze");
  EXPECT_EQ(position, 2u);
  position = 0;
  EXPECT_EQ(ReadNumber("4o. lugar", position), "quarto");
  EXPECT_EQ(position, 3u);
}

TEST(ReadNumberTest, SixteenDigitsReadAsFifteenThenTheRest) {
  std::size_t position = 0;
  EXPECT_EQ(ReadNumber("1000000000000005", position), "cem trilh\xF5" "es ");
  EXPECT_EQ(position, 15u);
}

TEST_F(TextNormalisation, NumbersInText) {
  EXPECT_EQ(NormaliseText("1.00"), "um ponto zero zero ");
  EXPECT_EQ(NormaliseText("3,5"), "tr\xEAs v\xEDrgula cinco ");
  EXPECT_EQ(NormaliseText("-7"), "menos sete ");
  EXPECT_EQ(NormaliseText("100 101"), "cem  cento e um ");
  EXPECT_EQ(NormaliseText("1000000"), "um milh\xE3o  ");
  EXPECT_EQ(NormaliseText("1000000000000005"), "cem trilh\xF5" "es  cinco ");
}

TEST_F(TextNormalisation, PunctuationAndSymbols) {
  EXPECT_EQ(NormaliseText("?"), "interroga\xE7\xE3o");
  EXPECT_EQ(NormaliseText("a - b"), "a , b\xEA");
  EXPECT_EQ(NormaliseText("custa $ dez"), "custa  cifr\xE3o  dez");
  EXPECT_EQ(NormaliseText("Fim. Sim!"), "Fim. Sim!");
  EXPECT_EQ(NormaliseText("Fim."), "Fim.");
  EXPECT_EQ(NormaliseText("e...?"), "e... ?");
  EXPECT_EQ(NormaliseText("casa.com"), "casa ponto com");
  EXPECT_EQ(NormaliseText("um\tdois\r\n"), "umdois");
  EXPECT_EQ(NormaliseText("(sim; n\xE3o: talvez)"), "(sim; n\xE3o: talvez)");
}

TEST_F(TextNormalisation, WordsAndAbbreviations) {
  EXPECT_EQ(NormaliseText("O Sr. Silva"), "O senhor Silva");
  EXPECT_EQ(NormaliseText("o dr. Lima"), "o doutor Lima");
  EXPECT_EQ(NormaliseText("livros etc. e"), "livros et c\xE9tera e");
  EXPECT_EQ(NormaliseText("e etc."), "e et c\xE9tera");
  // A consonant-only word is spelled; the abbreviation only with its full stop.
  EXPECT_EQ(NormaliseText("em SP hoje"), "em \xE9sse" "p\xEA hoje");
  EXPECT_EQ(NormaliseText("em SP. Hoje"), "em S\xE3o Paulo Hoje");
  EXPECT_EQ(NormaliseText("MG"), "\xEAmej\xEA");
  EXPECT_EQ(NormaliseText("guarda-chuva"), "guarda-chuva");
  EXPECT_EQ(NormaliseText("sr.x"), "sr ponto xis");
}

TEST(Abbreviations, LinesWithoutEqualsAndMissingFile) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir.File("abr"), "sem igual\nab=um\nAB=dois\n");
  ASSERT_TRUE(LoadAbbreviations(dir.File("abr")));
  EXPECT_EQ(ExpandAbbreviation("ab"), "um");
  EXPECT_EQ(ExpandAbbreviation("xy"), "");
  EXPECT_FALSE(LoadAbbreviations(dir.File("nenhum")));
  EXPECT_FALSE(LoadAbbreviations(dir.path()));
}

TEST(Abbreviations, InstalledListReadsCommonAbbreviations) {
  ASSERT_TRUE(LoadAbbreviations(JoinPath(DataDirectory(), "tavelatts/portug.abr")));
  EXPECT_EQ(NormaliseText("A Sra. Souza e a Profa. Dias"), "A senhora Souza e a professora Dias");
  EXPECT_EQ(NormaliseText("ver p\xE1g. 3"), "ver p\xE1gina tr\xEAs ");
  EXPECT_EQ(NormaliseText("Dra. Ana, Prof. Rui"), "doutora Ana, professor Rui");
}
