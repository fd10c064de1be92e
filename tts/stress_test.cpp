#include "tts/stress.h"

#include <gtest/gtest.h>

TEST(FindStressTest, AccentedVowelsWin) {
  EXPECT_EQ(FindStress("caf\xE9"), 4);
  EXPECT_EQ(FindStress("voc\xEA"), 4);
  EXPECT_EQ(FindStress("av\xF3"), 3);
  EXPECT_EQ(FindStress("\xC1GUA"), 1);
  EXPECT_EQ(FindStress("a\xE7\xE3o"), 3);
  EXPECT_EQ(FindStress("m\xE1quina"), 2);
}

TEST(FindStressTest, UnaccentedWordsByTheirEnding) {
  EXPECT_EQ(FindStress("casas"), 2);
  EXPECT_EQ(FindStress("falar"), 4);
  EXPECT_EQ(FindStress("rua"), 2);
  EXPECT_EQ(FindStress("aqui"), 4);
  EXPECT_EQ(FindStress("meu"), 2);
  EXPECT_EQ(FindStress("bom"), 2);
  EXPECT_EQ(FindStress("homem"), 2);
  EXPECT_EQ(FindStress("HOMEM"), 2);
  EXPECT_EQ(FindStress("falam"), 2);
  EXPECT_EQ(FindStress("quando"), 3);
  EXPECT_EQ(FindStress("pai"), 2);
  EXPECT_EQ(FindStress("jardim"), 5);
  EXPECT_EQ(FindStress("urubu"), 5);
  EXPECT_EQ(FindStress("feliz"), 4);
  EXPECT_EQ(FindStress("chuva"), 3);
  EXPECT_EQ(FindStress("brasil"), 5);
  EXPECT_EQ(FindStress("pst"), 0);
}

TEST(FindStressTest, WordsSpokenWithoutStress) {
  EXPECT_TRUE(IsUnstressedWord("de"));
  EXPECT_TRUE(IsUnstressedWord("A"));
  for (const char* word : {"POR", "DAS", "DOS", "COM", "N\xC3O", "SIM", "n\xE3o"}) EXPECT_TRUE(IsUnstressedWord(word));
  EXPECT_FALSE(IsUnstressedWord("PARA"));
  EXPECT_FALSE(IsUnstressedWord("MAR"));
}
