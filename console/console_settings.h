// The window's settings: section VIDEO of the suite settings file (colours,
// font, scrolling, magnifier, window size) and the start-up Braille
// keyboard mode of section BRAILLE. Read once, when the window is first
// needed.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct VideoSettings {
  std::array<int, 16> colourMap{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};  // TABCORES
  bool fixedColours = false;            // CORESFIXAS: the program's colour requests are ignored
  bool slowScroll = false;              // LENTO: scroll by moving the window's pixels
  int backgroundColour = 0;             // CORFUNDO
  int foregroundColour = 15;            // CORLETRA
  int magnifierFactor = 2;              // AMPLIF; 0 leaves the magnifier off
  std::string fontFace = "Lucida Console";  // FONTE
  int characterWidth = 0;               // LARGURALETRA; 0: from the work area
  int characterHeight = 0;              // ALTURALETRA; 0: from the work area
  int fontWeight = 700;                 // PESOLETRA
  bool normalSize = true;               // CANTOTELA; false: maximised
  int brailleMode = 0;                  // MODO of section BRAILLE
};

VideoSettings ReadVideoSettings();

// TABCORES: up to 16 comma-separated integers; the first item that is not
// a number ends the list, the entries after it keep their identity value.
std::array<int, 16> ParseColourMap(std::string_view text);

// The character size when LARGURALETRA or ALTURALETRA is not given, from
// the work area (the desktop less the task bar).
int DefaultCharacterWidth(int workAreaWidth);
int DefaultCharacterHeight(int workAreaHeight);
