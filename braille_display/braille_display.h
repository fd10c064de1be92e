// The user's refreshable Braille display, a second way out for what the
// program says and shows and a second way in for keys. What is shown is
// decided where the text is (a message said, the line being edited, the
// file under the chooser's cursor, the reviewed line, a page about to be
// embossed); the display's keys reach the program as the keyboard's keys,
// through the key queue. Without a display every call does nothing.
#pragma once

#include <memory>
#include <string_view>

#include "braille_display/display_link.h"

// Takes the display now (before anything is said), waiting at most
// waitMilliseconds for the server; true when it was taken. From then on a
// display that goes away, or a server that answers late, is taken when it
// comes, and is shown what it would have shown. A connection that fails is
// written once on standard error, and the program goes on without it.
inline constexpr int kDisplayStartWait = 3000;
bool StartBrailleDisplay(std::unique_ptr<DisplayLink> (*makeLink)() = MakeBrlapiLink,
                         int waitMilliseconds = kDisplayStartWait);
bool BrailleDisplayTaken();
// Gives the display back (also done when the program ends).
void StopBrailleDisplay();

// Text (Windows-1252) with its cursor (0-based, -1 for none), held until the
// next thing is shown. A text longer than the display is panned with the
// display's own keys, never cut.
void ShowOnBrailleDisplay(std::string_view text, int cursor = -1);
// A short text standing for a sound (the refusal tone), shown until
// something other than what was showing is shown.
void ShowSoundOnBrailleDisplay(std::string_view text);
// Cells sent as dots, one byte each (dot 1 in bit 0 up to dot 8 in bit 7).
void ShowDotsOnBrailleDisplay(std::string_view cells);

// The position in the shown text of the cell whose routing key was pressed
// last; the key queue then holds kDisplayRoutingKey.
int BrailleDisplayRoutedPosition();
