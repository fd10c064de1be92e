#include "tts/prosody.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "tests/support/test_support.h"
#include "tts/diphone_list.h"
#include "tts/intonation.h"
#include "tts/prosody_tables.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kProsody =
    "; test\r\n[DURA\xC7\xC3O]\r\n* comment\r\na=100\r\nb = 50\r\nlh=70\r\n_,=200\r\n__=300\r\n\r\n"
    "[CHAVES]\r\nquem=pe\r\n como = PE \r\n"
    "[PROS\xD3" "DIA]\r\nhertz=200\r\nTABHERTZ=0,50,60,70,80,100,120,140,160,180\r\n"
    "||..=542\r\n|PE|=?75\r\n|XX|PE=552\r\n--|XX|=565\r\n||?" "?=?68\r\n";

class Prosody : public testing::Test {
 protected:
  void SetUp() override {
    Write("pro", kProsody);
    ASSERT_TRUE(LoadProsody(dir_.File("pro")));
  }
  void Write(const char* name, const std::string& text) { testing_support::WriteFile(dir_.File(name), text); }
  void Diphones(const std::string& text) {
    Write("dfn", text);
    ASSERT_TRUE(LoadDiphoneList(dir_.File("dfn")));
  }
  // The message a prosody file gives when it is refused.
  std::string Refusal(const std::string& text) {
    Write("bad", text);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadProsody(dir_.File("bad")));
    return testing::internal::GetCapturedStderr();
  }
  testing_support::TempDir dir_;
  testing_support::ScopedEnv headless_{"RELEVIX_CONSOLE", "headless"};
};

}  // namespace

TEST_F(Prosody, TablesFromTheFile) {
  EXPECT_EQ(PhonemeDuration("a"), 100);
  EXPECT_EQ(PhonemeDuration("b"), 50);
  EXPECT_EQ(PhonemeDuration("__"), 300);
  EXPECT_EQ(PhonemeDuration("zz"), 100);
  EXPECT_EQ(LookupKeyword("Quem"), "PE");
  EXPECT_EQ(LookupKeyword("COMO"), "PE");
  EXPECT_EQ(LookupKeyword("casa"), "");
  EXPECT_EQ(prosodyTables.HERTZ, 200);
  EXPECT_EQ(prosodyTables.TABHERTZ[9], 180);
  ASSERT_EQ(prosodyTables.intonationRules.size(), 5u);
  EXPECT_EQ(prosodyTables.intonationRules[1].current, "PE");
  EXPECT_EQ(prosodyTables.intonationRules[1].value, "?75");
}

TEST_F(Prosody, MalformedFilesAreRefusedWithTheirMessage) {
  const std::string keys = "[CHAVES]\n[PROS\xD3" "DIA]\n";
  EXPECT_NE(Refusal("[CHAVES]\n[PROS\xD3" "DIA]\n").find(Utf8FromWindows1252("Dura\xE7\xE3o dos difones errada ou ausente")),
            std::string::npos);
  EXPECT_NE(Refusal("[DURA\xC7\xC3O]\n[PROS\xD3" "DIA]\n").find(Utf8FromWindows1252("Pros\xF3" "dia: palavras chaves ausentes")),
            std::string::npos);
  EXPECT_NE(Refusal("[DURA\xC7\xC3O]\n[CHAVES]\n").find(Utf8FromWindows1252("Pros\xF3" "dia: especifica\xE7\xF5" "es ausentes")), std::string::npos);
  EXPECT_NE(Refusal("[DURA\xC7\xC3O]\nab 20\n" + keys).find(Utf8FromWindows1252("Configura\xE7\xE3o da pros\xF3" "dia: fonema errado: ab 20")),
            std::string::npos);
  EXPECT_NE(Refusal("[DURA\xC7\xC3O]\n[CHAVES]\nquem\n[PROS\xD3" "DIA]\n")
                .find(Utf8FromWindows1252("Configura\xE7\xE3o da pros\xF3" "dia: chave errada: quem")),
            std::string::npos);
  EXPECT_NE(Refusal("[DURA\xC7\xC3O]\n" + keys + "||..\n").find(Utf8FromWindows1252("Configura\xE7\xE3o da pros\xF3" "dia: chave errada: ||..")),
            std::string::npos);
  EXPECT_NE(Refusal("[DURA\xC7\xC3O]\n" + keys + "||..=5\n").find(Utf8FromWindows1252("chave errada: ||..=5")), std::string::npos);
  EXPECT_NE(Refusal("").find(Utf8FromWindows1252("Dura\xE7\xE3o dos difones")), std::string::npos);

  testing::internal::CaptureStderr();
  EXPECT_FALSE(LoadProsody(dir_.File("none")));
  EXPECT_NE(testing::internal::GetCapturedStderr().find(Utf8FromWindows1252("Configura\xE7\xE3o da pros\xF3" "dia n\xE3o foi achada")),
            std::string::npos);

  // A duration that is not a number is told, taken as 100, and loading goes on.
  Write("lenient", "[DURA\xC7\xC3O]\na=x\nb=40\n" + keys);
  testing::internal::CaptureStderr();
  EXPECT_TRUE(LoadProsody(dir_.File("lenient")));
  EXPECT_NE(testing::internal::GetCapturedStderr().find(Utf8FromWindows1252("fonema errado: a=x")), std::string::npos);
  EXPECT_EQ(PhonemeDuration("a"), 100);
  EXPECT_EQ(PhonemeDuration("b"), 40);
  EXPECT_EQ(prosodyTables.HERTZ, 230);
}

TEST_F(Prosody, TokensWithTheirKeys) {
  const Lines expected = {"[--]",    "[PE]Quem", "[XX]come", "[.-].",  "[--]", "[XX]s\xEDm", "[,,],",
                          "[XX]e",   "[XX]tu",   "[??]?",    "[--]"};
  EXPECT_EQ(Tokenise("Quem come... s\xEDm, e tu?"), expected);
  EXPECT_EQ(Tokenise("  "), Lines{"[--]"});
  EXPECT_EQ(Tokenise("ai!x."), (Lines{"[--]", "[XX]ai", "[!!]!", "[--]", "[XX]x", "[..].", "[--]"}));
}

TEST_F(Prosody, IntonationFromTheNeighbours) {
  const Lines tokens = Tokenise("Quem come... sim, e tu?");
  const Lines expected = {"555|", "575|Quem", "555|come", "555|.", "555|", "565|sim",
                          "555|,", "555|e",   "568|tu",   "555|?", "555|"};
  EXPECT_EQ(AssignIntonation(tokens, true), expected);
  // A leading "?" takes the last level of the token before.
  EXPECT_EQ(AssignIntonation(Tokenise("fim quem"), true), (Lines{"555|", "552|fim", "275|quem"}));
  EXPECT_EQ(AssignIntonation(Tokenise("fim quem"), false), (Lines{"555|", "555|fim", "555|quem"}));
}

TEST_F(Prosody, DurationsAndPitchTargets) {
  Diphones("; pairs\n_-b\nb a\n! note\na-b\nA-_\n\n_-_\nb-b\n_-a\n");
  EXPECT_EQ(ApplyProsody({"", ";565|baba", "b", ">a", "b", "a", "", "_"}, 1.0, 1.0),
            (Lines{"", ";baba", "b 50 50 200", "a 145 80 240", "b 72", "a 145 50 200", "", "_ 100 50 200"}));
  // Before the stress, words of 9 to 12 letters are 90 per cent, of 13 and
  // more 80 per cent; factors apply to every duration and pitch.
  EXPECT_EQ(ApplyProsody({"", ";555|abcdefghi", "b", "b", ">a", ""}, 0.5, 1.5),
            (Lines{"", ";abcdefghi", "b 22 50 300", "b 22", "a 72 80 300", ""}));
  EXPECT_EQ(ApplyProsody({"", ";555|abcdefghijklm", "b", ">a", "b", ""}, 1.0, 1.0),
            (Lines{"", ";abcdefghijklm", "b 40 50 200", "a 145 80 200", "b 72 50 200", ""}));
  EXPECT_EQ(ApplyProsody({"", ";555|abcdefgh", "b", ">a", ""}, 1.0, 1.0),
            (Lines{"", ";abcdefgh", "b 50 50 200", "a 145 80 200", ""}));
  // Level 0 of TABHERTZ is 0: no target.
  EXPECT_EQ(ApplyProsody({"", ";055|ba", "b", "a", ""}, 1.0, 1.0), (Lines{"", ";ba", "b 50", "a 100", ""}));
  // Pauses: a duration of their own or from the table.
  EXPECT_EQ(ApplyProsody({"", ";555|,", "_,", ";555|", "__", "", "_ 30"}, 1.0, 1.0),
            (Lines{"", ";,", "_ 200 50 200", ";", "_ 300 50 200", "", "_ 30"}));
}

TEST_F(Prosody, FillersWhereTheVoiceLacksAPair) {
  Diphones("_-a\na-y\ny-b\nb-a\na-r2\nr2-_\nr2-y\n_-b\n_-_\n");
  EXPECT_EQ(ApplyProsody({"", ";555|ab", "a", "b", ""}, 1.0, 1.0),
            (Lines{"", ";ab", "a 100 50 200", "y 50", "b 50", ""}));
  EXPECT_EQ(ApplyProsody({"", ";555|ar", "a", "r2", "", ";555|ba", "b", "a", ""}, 1.0, 1.0),
            (Lines{"", ";ar", "a 100 50 200", "r2 100", "", ";ba", "_ 50", "b 50 50 200", "a 100", ""}));
  // After r2 a silence is put only where the voice can go on from it.
  Diphones("_-a\na-r2\nr2-_\nr2-y\ny-s2\n_-_\n");
  EXPECT_EQ(ApplyProsody({"", ";555|ar", "a", "r2", "", ";555|s", "s2", ""}, 1.0, 1.0),
            (Lines{"", ";ar", "a 100 50 200", "r2 100", "", ";s", "y 50", "s2 100 50 200", ""}));
  // Neither a silence nor y joins them: another phoneme that does.
  Diphones("_-a\na-m\nm-@\n@-m2\ny-m2\n_-_\n");
  EXPECT_EQ(FillerBetween("m", "m2"), "@");
  Diphones("_-a\n");
  EXPECT_EQ(ApplyProsody({"", ";555|aa", "a", "a", ""}, 1.0, 1.0),
            (Lines{"", ";aa", "a 100 50 200", "_ 50", "a 100", ""}));
  EXPECT_FALSE(LoadDiphoneList(dir_.File("none")));
  FreeDiphoneList();
  EXPECT_FALSE(HasDiphone("_", "a"));
}

TEST(InstalledProsody, TheVoiceDataLoads) {
  testing_support::ScopedEnv headless{"RELEVIX_CONSOLE", "headless"};
  ASSERT_TRUE(LoadProsody(JoinPath(DataDirectory(), "tavelatts/portug.pro")));
  EXPECT_EQ(LookupKeyword("onde"), "PE");
  EXPECT_GT(PhonemeDuration("__"), PhonemeDuration("a"));
  EXPECT_EQ(prosodyTables.HERTZ, 220);
  // Contours a listener hears: a yes-no question's last word ends at least
  // four semitones above where the sentence began, the statement's last
  // word falls four semitones or more, the word before a comma rises.
  const auto percent = [](const std::string& line, std::size_t at) {
    return prosodyTables.TABHERTZ[static_cast<std::size_t>(line[at] - '0')];
  };
  constexpr double kFourSemitones = 1.26;
  const Lines intonation = AssignIntonation(Tokenise("Fica em casa? Fica ali, sim."), true);
  ASSERT_EQ(intonation[1].substr(4), "Fica");
  ASSERT_EQ(intonation[3].substr(4), "casa");
  EXPECT_GT(percent(intonation[3], 2), percent(intonation[1], 0) * kFourSemitones);
  ASSERT_EQ(intonation[7].substr(4), "ali");
  EXPECT_GT(percent(intonation[7], 2), percent(intonation[7], 0));
  ASSERT_EQ(intonation[9].substr(4), "sim");
  EXPECT_LT(percent(intonation[9], 2) * kFourSemitones, percent(intonation[9], 0));
}

// Every pair of the voice's phonemes, joined with its filler where the voice
// lacks it, is made only of pairs the voice has.
TEST(InstalledProsody, NoPairTheVoiceLacksIsEverWritten) {
  testing_support::ScopedEnv headless{"RELEVIX_CONSOLE", "headless"};
  ASSERT_TRUE(LoadProsody(JoinPath(DataDirectory(), "tavelatts/portug.pro")));
  ASSERT_TRUE(LoadDiphoneList(JoinPath(DataDirectory(), "tavelatts/portug.dfn")));
  const std::vector<std::string> phonemes = {"_", "a", "@", "b", "d", "e", "ee", "en", "f", "g", "h", "i", "in",
                                             "j", "k", "l", "lh", "m", "m2", "n", "nh", "o", "on", "oo", "p", "r",
                                             "r2", "rr", "s", "s2", "t", "u", "un", "v", "w", "x", "y", "z"};
  int missingBefore = 0;
  for (const std::string& first : phonemes) {
    for (const std::string& second : phonemes) {
      if (!HasDiphone(first, second)) ++missingBefore;
      std::vector<std::string> names = {"_"};
      for (const std::string& line : ApplyProsody({first, second, "_"}, 1.0, 1.0)) {
        if (!line.empty() && line[0] != ';') names.push_back(line.substr(0, line.find(' ')));
      }
      for (std::size_t i = 1; i < names.size(); ++i) {
        EXPECT_TRUE(HasDiphone(names[i - 1], names[i])) << first << " " << second << ": " << names[i - 1] << "-"
                                                        << names[i];
      }
    }
  }
  EXPECT_GT(missingBefore, 400);  // br4 lacks many pairs: the fillers were needed
  FreeDiphoneList();
}
