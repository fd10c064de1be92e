#include "tts/number_words.h"

#include <gtest/gtest.h>

TEST(NumberWords, GroupsOfThreeDigits) {
  EXPECT_EQ(GroupToWords("000"), "");
  EXPECT_EQ(GroupToWords("100"), "cem");
  EXPECT_EQ(GroupToWords("101"), "cento e um");
  EXPECT_EQ(GroupToWords("115"), "cento e quinze");
  EXPECT_EQ(GroupToWords("200"), "duzentos");
  EXPECT_EQ(GroupToWords("010"), "dez");
  EXPECT_EQ(GroupToWords("040"), "quarenta");
  EXPECT_EQ(GroupToWords("057"), "cinq\xFC" "enta e sete");
  EXPECT_EQ(GroupToWords("999"), "novecentos e noventa e nove");
  EXPECT_EQ(GroupToWords("003"), "tr\xEAs");
}

TEST(NumberWords, CardinalsWithScales) {
  EXPECT_EQ(CardinalWords(0), "zero");
  EXPECT_EQ(CardinalWords(100), "cem");
  EXPECT_EQ(CardinalWords(101), "cento e um");
  EXPECT_EQ(CardinalWords(1000), "mil ");
  EXPECT_EQ(CardinalWords(2500), "dois mil e quinhentos");
  // "e" after the thousands only before a round hundred or less than a hundred.
  EXPECT_EQ(CardinalWords(1520), "mil quinhentos e vinte");
  EXPECT_EQ(CardinalWords(1888), "mil oitocentos e oitenta e oito");
  EXPECT_EQ(CardinalWords(1100), "mil e cem");
  EXPECT_EQ(CardinalWords(1014), "mil e catorze");
  EXPECT_EQ(CardinalWords(1500000), "um milh\xE3o e quinhentos mil ");
  EXPECT_EQ(CardinalWords(1234000), "um milh\xE3o duzentos e trinta e quatro mil ");
  EXPECT_EQ(FeminineCardinal("vinte e um"), "vinte e uma");
  EXPECT_EQ(FeminineCardinal("dois"), "duas");
  EXPECT_EQ(FeminineCardinal("doze"), "doze");
  EXPECT_EQ(FeminineCardinal("trezentos e um"), "trezentas e uma");
  EXPECT_EQ(FeminineCardinal("dois milh\xF5" "es duzentos e dois mil quinhentos e um"),
            "dois milh\xF5" "es duzentas e duas mil quinhentas e uma");
  EXPECT_EQ(CardinalWords(1000000), "um milh\xE3o ");
  EXPECT_EQ(CardinalWords(3000000), "tr\xEAs milh\xF5" "es ");
  EXPECT_EQ(CardinalWords(2000000001), "dois bilh\xF5" "es e um");
  EXPECT_EQ(CardinalWords(1000000000000), "um trilh\xE3o ");
  EXPECT_EQ(CardinalWords(21000), "vinte e um mil ");
  EXPECT_EQ(CardinalWords(2024001234), "dois bilh\xF5" "es vinte e quatro milh\xF5" "es mil duzentos e trinta e quatro");
  // Only the lowest fifteen digits are spoken.
  EXPECT_EQ(CardinalWords(1000000000000007), "sete");
}

TEST(NumberWords, OrdinalsInBothGenders) {
  EXPECT_EQ(OrdinalToWords("m", 1), "primeiro");
  EXPECT_EQ(OrdinalToWords("f", 2), "segunda");
  EXPECT_EQ(OrdinalToWords("m", 21), "vig\xE9simo primeiro");
  EXPECT_EQ(OrdinalToWords("f", 21), "vig\xE9sima primeira");
  EXPECT_EQ(OrdinalToWords("m", 10), "d\xE9" "cimo");
  EXPECT_EQ(OrdinalToWords("m", 345), "tricent\xE9simo quadrag\xE9simo quinto");
  EXPECT_EQ(OrdinalToWords("f", 1999), "mil\xE9sima nongent\xE9sima nonag\xE9sima nona");
  EXPECT_EQ(OrdinalToWords("m", 0), "zero");
  EXPECT_EQ(OrdinalToWords("f", 2000), "dois mil ");
}
