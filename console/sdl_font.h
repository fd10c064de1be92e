// The window's font: the face of FONTE matched through fontconfig as a
// monospaced font (DejaVu Sans Mono when the face is not installed or not
// monospaced), scaled to the character width and height of the settings.
#pragma once

#include <SDL_ttf.h>

#include <string>

#include "console/console_settings.h"

struct ConsoleFont {
  TTF_Font* font = nullptr;
  int cellWidth = 0;   // the font's average character width
  int lineHeight = 0;  // font height + external leading
  int ascent = 0;      // where the caret sits below the top of a cell
};

// The file of the monospaced face that stands for face (Windows-1252) at
// the weight (100..900); empty when fontconfig finds no monospaced font.
// bold tells whether the file itself is bold.
std::string FindMonospacedFontFile(const std::string& face, int weight, bool& bold);

// Opens the font of the settings; the character size that is not set comes
// from the work area. False with a message (Windows-1252) on failure.
bool OpenConsoleFont(const VideoSettings& settings, int workAreaWidth, int workAreaHeight, ConsoleFont& font,
                     std::string& error);
void CloseConsoleFont(ConsoleFont& font);
