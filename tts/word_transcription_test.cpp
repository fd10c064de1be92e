#include "tts/word_transcription.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "tts/letter_to_sound_rules.h"
#include "tts/pronunciation_exceptions.h"

TEST(TranscribeWordsTest, MarkersPausesAndLinkedFinals) {
  testing_support::TempDir dir;
  testing_support::WriteFile(dir.File("nrl"),
                             "(A)=a\n(E)=e\n(O)=o\n(U)=u\n(L)=l\n(M)=m\n(Z)=z\n(R)%=r2\n(R)=r\n(S)%=s2\n(S)=s\n");
  testing_support::WriteFile(dir.File("exc"), "");
  ASSERT_TRUE(LoadRules(dir.File("nrl")));
  ASSERT_TRUE(LoadExceptions(dir.File("exc")));
  const std::vector<std::string> intonation = {"555|",     "123|mar", "555|azul", "555|mas", "555|,",
                                               "555|e",    "555|os",  "555|e",    "555|?"};
  const std::vector<std::string> expected = {
      ";555|", "__", "",                                  // phrase boundary
      ";123|mar", "m", ">a", "r", "",                     // r2 before the vowel of azul
      ";555|azul", "a", "z", ">u", "l", "",
      ";555|mas", "m", ">a", "s2", "",                    // s2 before a pause stays
      ";555|,", "_,",
      ";555|e", "e", "",
      ";555|os", "o", "z", "",                            // s2 before e becomes z
      ";555|e", "e", "",
      ";555|?", "_?",
      "__"};
  EXPECT_EQ(TranscribeWords(intonation), expected);
  FreeRules();
}
