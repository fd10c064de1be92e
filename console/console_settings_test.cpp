#include <array>

#include "console/console_test_fixture.h"
#include "console/tones.h"

namespace {

using namespace console_testing;

class ConsoleSettingsTest : public ConsoleTest {
 protected:
  void WriteSettings(const std::string& text) { testing_support::WriteFile(settingsDir_.File("SONARA.INI"), text); }
};

TEST_F(ConsoleSettingsTest, MissingKeysGiveTheDefaults) {
  const VideoSettings settings = ReadVideoSettings();
  EXPECT_EQ(settings.colourMap, (std::array<int, 16>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_FALSE(settings.fixedColours);
  EXPECT_FALSE(settings.slowScroll);
  EXPECT_EQ(settings.backgroundColour, 0);
  EXPECT_EQ(settings.foregroundColour, 15);
  EXPECT_EQ(settings.magnifierFactor, 2);
  EXPECT_EQ(settings.fontFace, "Lucida Console");
  EXPECT_EQ(settings.characterWidth, 0);
  EXPECT_EQ(settings.characterHeight, 0);
  EXPECT_EQ(settings.fontWeight, 700);
  EXPECT_TRUE(settings.normalSize);
  EXPECT_EQ(settings.brailleMode, 0);
}

TEST_F(ConsoleSettingsTest, ValuesOfSectionsVideoAndBraille) {
  WriteSettings(
      "[VIDEO]\r\nTABCORES=15,14, 13 ,x,1\r\nCORESFIXAS=sim\r\nLENTO=S\r\nCORFUNDO=1\r\nCORLETRA=14\r\n"
      "AMPLIF=35\r\nFONTE=Courier New\r\nLARGURALETRA=11\r\nALTURALETRA=22\r\nPESOLETRA=400\r\nCANTOTELA=NAO\r\n"
      "[BRAILLE]\r\nMODO=2\r\n");
  const VideoSettings settings = ReadVideoSettings();
  EXPECT_EQ(settings.colourMap, (std::array<int, 16>{15, 14, 13, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_TRUE(settings.fixedColours);
  EXPECT_TRUE(settings.slowScroll);
  EXPECT_EQ(settings.backgroundColour, 1);
  EXPECT_EQ(settings.foregroundColour, 14);
  EXPECT_EQ(settings.magnifierFactor, 3);  // '3' is 0x33: low three bits 3
  EXPECT_EQ(settings.fontFace, "Courier New");
  EXPECT_EQ(settings.characterWidth, 11);
  EXPECT_EQ(settings.characterHeight, 22);
  EXPECT_EQ(settings.fontWeight, 400);
  EXPECT_FALSE(settings.normalSize);
  EXPECT_EQ(settings.brailleMode, 2);
}

TEST_F(ConsoleSettingsTest, MagnifierFactorAndModeComeFromTheFirstCharacterOnly) {
  struct Case {
    const char* value;
    int factor;
  };
  // "0" and "8" leave no bits: the magnifier stays off.
  for (const Case& c : {Case{"0", 0}, Case{"8", 0}, Case{"1", 1}, Case{"9", 1}, Case{"7", 7}, Case{"", 0}}) {
    WriteSettings(std::string("[VIDEO]\nAMPLIF=") + c.value + "\n[BRAILLE]\nMODO=" + c.value + "\n");
    EXPECT_EQ(ReadVideoSettings().magnifierFactor, c.factor) << c.value;
    EXPECT_EQ(ReadVideoSettings().brailleMode, c.factor & 3) << c.value;
  }
}

TEST_F(ConsoleSettingsTest, ColourMapTakesNumbersUntilTheFirstThatIsNot) {
  EXPECT_EQ(ParseColourMap("3,3,3"), (std::array<int, 16>{3, 3, 3, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(ParseColourMap(",5"), (std::array<int, 16>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(ParseColourMap("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,0,9,9"),
            (std::array<int, 16>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}));
  EXPECT_EQ(ParseColourMap("20"), (std::array<int, 16>{20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST_F(ConsoleSettingsTest, CharacterSizeFromTheWorkArea) {
  EXPECT_EQ(DefaultCharacterWidth(1024), 13);
  EXPECT_EQ(DefaultCharacterHeight(768), 29);
  EXPECT_EQ(DefaultCharacterWidth(1920), 24);
  EXPECT_EQ(DefaultCharacterHeight(1040), 39);
  EXPECT_EQ(DefaultCharacterWidth(1366), 17);
  EXPECT_EQ(DefaultCharacterHeight(728), 27);
}

TEST_F(ConsoleSettingsTest, TheWindowTakesItsColoursAndModeFromTheSettingsWhenFirstNeeded) {
  WriteSettings("[VIDEO]\nCORESFIXAS=S\nCORFUNDO=1\nCORLETRA=14\n[BRAILLE]\nMODO=1\n");
  testing_support::ScopedEnv headless("RELEVIX_CONSOLE", "headless");
  testing_support::ScopedEnv noKeys("RELEVIX_KEYS", nullptr);
  BindConsoleWindow();
  EXPECT_FALSE(consoleWindow.created);
  std::vector<int> modeTones;
  static std::vector<int>* tones = nullptr;
  tones = &modeTones;
  SetDelayHandler([](int) { tones->push_back(toneState.frequency); });
  SetTextColour(4);  // creates the window, then is ignored
  EXPECT_TRUE(consoleWindow.created);
  EXPECT_EQ(consoleWindow.textAttribute, 0x1E);
  EXPECT_EQ(modeTones, (std::vector<int>{800, 1600}));
  EXPECT_EQ(brailleChord.mode, 1);
  WriteToConsole("x");
  EXPECT_EQ(ScreenAttributeAt(1, 1), 0x1E);
  EXPECT_EQ(ScreenAttributeAt(2, 1), 0x1E);
  EXPECT_EQ(ScreenCharAt(2, 1), ' ');
}

}  // namespace
