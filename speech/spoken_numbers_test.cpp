#include "speech/spoken_numbers.h"

#include <gtest/gtest.h>

#include "speech/speech_test_support.h"

namespace {

using speech_testing::SpeechTest;
using Sounds = std::vector<std::string>;

TEST(NumberToWordsTest, SaysNumbersAsPortugueseDoes) {
  const std::pair<unsigned long long, const char*> cases[] = {
      {0, "zero"},
      {10, "dez"},
      {16, "dezesseis"},
      {17, "dezessete"},
      {21, "vinte e um"},
      {100, "cem"},
      {115, "cento e quinze"},
      {200, "duzentos"},
      {1000, "mil "},
      {2001, "dois mil e um"},
      {1000000, "um milh\xE3o "},
      {2000000,
       "dois milh\xF5"
       "es "},
      {2500000,
       "dois milh\xF5"
       "es e quinhentos mil "},
      {1000000000000, "um trilh\xE3o "},
      {3, "tr\xEAs"},
      {12, "doze"},
      {19, "dezenove"},
      {90, "noventa"},
      {110, "cento e dez"},
      {305, "trezentos e cinco"},
      {1001, "mil e um"},
      {1100, "mil e cem"},
      // "e" after the thousands only before a round hundred or less.
      {1250, "mil duzentos e cinquenta"},
      // Written now without the diaeresis of "cinq\xFC" "enta".
      {53, "cinquenta e tr\xEAs"},
      {21000, "vinte e um mil "},
      {101000, "cento e um mil "},
      {999999, "novecentos e noventa e nove mil novecentos e noventa e nove"},
      {1000001, "um milh\xE3o e um"},
      {2000500,
       "dois milh\xF5"
       "es e quinhentos"},
      {1000000000, "um bilh\xE3o "},
      {2000000000000,
       "dois trilh\xF5"
       "es "},
      // Past the trillions there are no scale words: digit by digit.
      {1000000000000002, "um zero zero zero zero zero zero zero zero zero zero zero zero zero zero dois"},
  };
  for (const auto& [number, words] : cases) EXPECT_EQ(NumberToWords(number), words) << number;
}

TEST(NumberPiecesTest, PieceNamesAreWordsWithoutAccentsCutToEightCharacters) {
  EXPECT_EQ(NumberPieces(NumberToWords(16), false), Sounds{"_dezesse"});
  EXPECT_EQ(NumberPieces(NumberToWords(17), false), Sounds{"_dezeset"});
  EXPECT_EQ(NumberPieces(NumberToWords(400), false), Sounds{"_quatroc"});
  EXPECT_EQ(NumberPieces(NumberToWords(53), false), (Sounds{"_cinquen", "_e", "_tres"}));
  EXPECT_EQ(NumberPieces(NumberToWords(1000000), false), (Sounds{"_um", "_milhao"}));
  EXPECT_EQ(NumberPieces(NumberToWords(2000000), false), (Sounds{"_dois", "_milhoes"}));
  // The feminine changes only the last word.
  EXPECT_EQ(NumberPieces("um mil e um", true), (Sounds{"_um", "_mil", "_e", "_uma"}));
  EXPECT_EQ(NumberPieces("vinte e dois", true), (Sounds{"_vinte", "_e", "_duas"}));
  EXPECT_EQ(NumberPieces("doze", true), Sounds{"_doze"});
  EXPECT_EQ(NumberPieces(NumberToWords(1000000), true), (Sounds{"_um", "_milhao"}));
  EXPECT_EQ(NumberPieces(NumberToWords(2000000000000), false), (Sounds{"_dois", "_trilhoe"}));
  EXPECT_EQ(NumberPieces(NumberToWords(1), true), Sounds{"_uma"});
  EXPECT_EQ(NumberPieces(NumberToWords(2), true), Sounds{"_duas"});
}

TEST_F(SpeechTest, TimesSayHoursInTheFeminine) {
  SpeakTime(1, 5);
  EXPECT_EQ(Heard(), (Sounds{"memory", "_hora", "memory", "_minutos"}));
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{Joined({"_uma"}), Joined({"_cinco"})}));
  ForgetHeard();
  SpeakTime(2, 1);
  EXPECT_EQ(Heard(), (Sounds{"memory", "_horas", "memory", "_minuto"}));
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{Joined({"_duas"}), Joined({"_um"})}));
  ForgetHeard();
  SpeakTime(22, 0);
  EXPECT_EQ(Heard(), (Sounds{"memory", "_horas"}));
  EXPECT_EQ(MemoryBytes(), std::vector<long>{Joined({"_vinte", "_e", "_duas"})});
}

TEST_F(SpeechTest, TheFirstDayOfAMonthIsPrimeiro) {
  SpeakDate(1, 9, 2024);  // a Sunday
  EXPECT_EQ(Heard(), (Sounds{"_Domingo", "_primeir", "_de", "_Setembr", "_de", "memory", "_e", "memory"}));
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{Joined({"_dois", "_mil"}), Joined({"_vinte", "_e", "_quatro"})}));
  ForgetHeard();
  SpeakDate(1, 13, 2024);
  EXPECT_TRUE(Heard().empty()) << "no thirteenth month";
}

TEST_F(SpeechTest, MidnightIsZeroHoraAndYearsBefore2000AreTheirLastTwoDigits) {
  SpeakTime(0, 0);
  EXPECT_EQ(Heard(), (Sounds{"memory", "_hora"}));
  EXPECT_EQ(MemoryBytes(), std::vector<long>{Joined({"_zero"})});
  ForgetHeard();
  SpeakDate(5, 9, 1909);  // a Sunday
  EXPECT_EQ(Heard(), (Sounds{"_Domingo", "memory", "_de", "_Setembr", "_de", "memory"}));
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{Joined({"_cinco"}), Joined({"_nove"})}));
  ForgetHeard();
  SpeakDate(3, 9, 2000);  // a Sunday; 2000 itself has no "e"
  EXPECT_EQ(Heard(), (Sounds{"_Domingo", "memory", "_de", "_Setembr", "_de", "memory"}));
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{Joined({"_tres"}), Joined({"_dois", "_mil"})}));
}

TEST_F(SpeechTest, AMissingPieceIsLeftOut) {
  std::filesystem::remove(dir_.File("letras/_mil.wav"));
  SpeakNumberWords("dois mil e um", false);
  EXPECT_EQ(MemoryBytes(), std::vector<long>{Joined({"_dois", "_e", "_um"})});
}

TEST_F(SpeechTest, PiecesAreJoinedIntoSoundsOfAtMost30000Samples) {
  WriteSound("_oito", 20000);
  WriteSound("_cem", 40000);
  SpeakNumberWords("oito oito cem", false);
  EXPECT_EQ(MemoryBytes(), (std::vector<long>{20000, 20000, 30000}));
  // Exactly 30000 samples still make one sound.
  WriteSound("_dez", 10000);
  ForgetHeard();
  SpeakNumberWords("oito dez", false);
  EXPECT_EQ(MemoryBytes(), std::vector<long>{30000});
}

}  // namespace
