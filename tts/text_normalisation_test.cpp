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

// The words of a text with single blanks between them, none at the ends.
std::string Words(std::string_view text) {
  std::string words;
  for (const char c : text) {
    if (c == ' ' && (words.empty() || words.back() == ' ')) continue;
    words += c;
  }
  if (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

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
  EXPECT_EQ(Number("1.234.567"), "um milh\xE3o duzentos e trinta e quatro mil quinhentos e sessenta e sete");
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
  EXPECT_EQ(NormaliseText("um\tdois\r\ntr\xEAs"), "um dois  tr\xEAs");
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

// Readings as Brazilians say them aloud, with the installed abbreviations.
TEST(BrazilianReadings, TitlesMoneyTimesUnitsNumeralsAndAcronyms) {
  ASSERT_TRUE(LoadAbbreviations(JoinPath(DataDirectory(), "tavelatts/portug.abr")));
  const std::pair<const char*, const char*> cases[] = {
      // Titles by the name after them.
      {"D. Jo\xE3o VI chegou", "Dom Jo\xE3o sexto chegou"},
      {"D. Maria I", "Dona Maria primeiro"},
      {"D. Carmo e D. Pedro II", "Dona Carmo e Dom Pedro segundo"},
      {"S. Paulo, S. Teresa e S. Ant\xF4nio", "S\xE3o Paulo, Santa Teresa e Santo Ant\xF4nio"},
      {"V. Exa. manda", "Vossa Excel\xEAncia manda"},
      {"o Sr. Ramos, a Sra. Lima e o Dr. Paulo", "o senhor Ramos, a senhora Lima e o doutor Paulo"},
      {"art. 5\xBA da lei", "artigo quinto da lei"},
      {"Obs.: leve o RG", "observa\xE7\xE3o: leve o \xE9rrej\xEA"},
      {"J. M. Ramos", "j\xF3ta \xEAme Ramos"},
      // Roman numerals.
      {"cap\xEDtulo XII", "cap\xEDtulo doze"},
      {"CAP\xCDTULO XII", "CAP\xCDTULO doze"},
      {"no s\xE9" "culo XIX", "no s\xE9" "culo dezenove"},
      {"Lu\xEDs XIV", "Lu\xEDs catorze"},
      {"XII", "doze"},
      {"V.", "v\xEA."},
      {"Fim.\nXII\nEra uma vez", "Fim. doze Era uma vez"},
      // Numbers, ordinals and signs.
      {"n\xBA 4587", "n\xFAmero quatro mil quinhentos e oitenta e sete"},
      {"N.\xBA 12", "n\xFAmero doze"},
      {"em 1888", "em mil oitocentos e oitenta e oito"},
      {"1100 e 2500", "mil e cem e dois mil e quinhentos"},
      {"o 2\xB0 lugar", "o segundo lugar"},
      {"o 4.\xBA andar", "o quarto andar"},
      {"a 4.\xAA s\xE9rie", "a quarta s\xE9rie"},
      {"CPF 123.456.789-09", "s\xEAp\xEA\xE9" "fe cento e vinte e tr\xEAs milh\xF5" "es quatrocentos e cinq\xFC" "enta e seis mil "
                              "setecentos e oitenta e nove tra\xE7o zero nove"},
      {"de 1914\x96" "1918", "de mil novecentos e catorze a mil novecentos e dezoito"},
      {"p\xE1ginas 10 \x96 20", "p\xE1ginas dez a vinte"},
      // Money.
      {"R$ 1.234,56", "mil duzentos e trinta e quatro reais e cinq\xFC" "enta e seis centavos"},
      {"R$ 1,00 ou R$ 0,50", "um real ou cinq\xFC" "enta centavos"},
      {"US$ 10", "dez d\xF3lares"},
      {"\x80 2,5", "dois euros e cinq\xFC" "enta centavos"},
      {"R$ 2.000.000,00", "dois milh\xF5" "es de reais"},
      // Times and units.
      {"\xE0s 14h30", "\xE0s catorze e trinta"},
      {"em 10/05/2024", "em dez de maio de dois mil e vinte e quatro"},
      {"de 1/3/98 a 31/12/99", "de primeiro de mar\xE7o de noventa e oito a trinta e um de dezembro de noventa e nove"},
      {"1/2 copo", "um barra dois copo"},
      {"at\xE9 31/12 e", "at\xE9 trinta e um de dezembro e"},
      {"na BR-101", "na b\xEA\xE9rre cento e um"},
      {"\xE0s 9h", "\xE0s nove horas"},
      {"\xE0 1h05", "\xE0 uma e cinco"},
      {"5 km e 1 kg", "cinco quil\xF4metros e um quilograma"},
      {"500mg", "quinhentos miligramas"},
      {"2 h depois", "duas horas depois"},
      {"a 80 km/h", "a oitenta quil\xF4metros por hora"},
      {"a 2400 bit/s", "a dois mil e quatrocentos bits por segundo"},
      {"em http://x", "em ag\xE1t\xEAt\xEAp\xEA dois pontos barra barra xis"},
      {"faz 30\xB0" "C", "faz trinta graus Celsius"},
      {"1,5 kg", "um v\xEDrgula cinco quilogramas"},
      // Acronyms are spelled, a heading in capitals is read.
      {"o IBGE, o CEP e a OAB", "o i b\xEA j\xEA \xE9, o s\xEA \xE9 p\xEA e a \xF3 \xE1 b\xEA"},
      {"a ONU e o SENAI", "a ONU e o SENAI"},  // read as words, as Brazilians do
      {"os EUA", "os \xE9 u \xE1"},
      // Numbers agree with a feminine noun after them.
      {"300 fun\xE7\xF5" "es e 2 casas", "trezentas fun\xE7\xF5" "es e duas casas"},
      {"21 pessoas em 2 dias", "vinte e uma pessoas em dois dias"},
      {"1 problema e 22 viagens", "um problema e vinte e duas viagens"},
      // Letters and digits written together are read apart.
      {"Windows98", "Windows noventa e oito"},
      {"DOM CASMURRO", "DOM CASMURRO"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Words(NormaliseText(text)), expected) << text;
}

// A full stop before a closing quote, bracket or comma ends the sentence;
// quotation marks are not read.
TEST(BrazilianReadings, AFullStopBeforeAQuoteOrBracketEndsTheSentence) {
  ASSERT_TRUE(LoadAbbreviations(JoinPath(DataDirectory(), "tavelatts/portug.abr")));
  EXPECT_EQ(Words(NormaliseText("Disse \"Sim.\" e saiu.")), "Disse Sim. e saiu.");
  EXPECT_EQ(Words(NormaliseText("(Foi assim.) Depois")), "(Foi assim.) Depois");
  EXPECT_EQ(Words(NormaliseText("\x93N\xE3o.\x94 Ent\xE3o")), "N\xE3o. Ent\xE3o");
  EXPECT_EQ(Words(NormaliseText("site.com")), "site ponto com");
  EXPECT_EQ(Words(NormaliseText("gritou: 'Socorro!' -- Ent\xE3o")), "gritou: Socorro! , Ent\xE3o");
  // Dashes pause as commas, the ellipsis character is the three dots.
  EXPECT_EQ(Words(NormaliseText("\x97 Sim, \x97 disse ele \x96 e foi\x85")), ", Sim, , disse ele , e foi...");
}
