#include "tts/stress.h"

#include <gtest/gtest.h>

#include <string>

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

// Words whose stressed vowel is known, written with it in capitals.
TEST(FindStressTest, WordsWithKnownStress) {
  for (const char* marked :
       {"aInda", "idEia", "vEio", "mEio", "passEio", "cadEia", "prAia", "jibOia", "chEia", "hOmens", "Ordens",
        "jOvens", "viAgens", "nUvens", "saIndo", "caIndo", "ladaInha", "raInha", "moInho", "continuEi", "averiguEi",
        "rEino", "trEino", "mUito", "possUi", "cAsa", "falAr", "dIa", "marIa", "saIr", "ruIm", "cOisa", "rEi",
        "saudAde", "hOmem", "viAgem", "lEite", "pEixe", "dinhEiro", "tesOura", "pAi", "mEu", "quAndo", "coImbra",
        "fEia", "arEia", "corrEio", "recrEio", "fEio", "bOina", "ensAio", "balAio", "desmAio", "doAi",
        "agrilhoEi", "cambaleAis", "amontoAis", "saIu"}) {
    std::string word = marked;
    int expected = 0;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (word[i] >= 'A' && word[i] <= 'Z') {
        if (expected == 0) expected = static_cast<int>(i) + 1;
        word[i] = static_cast<char>(word[i] + 0x20);
      }
    }
    EXPECT_EQ(FindStress(word), expected) << marked;
  }
}
