// The pop-up choice list: a few alternatives drawn over the screen, walked
// with the arrows or found by their first character, each spoken when
// reached; the screen under the list comes back when it closes.
#pragma once

#include <string>

// Opens the list at (left, top), 1-based, width columns wide and height rows
// high on the given background colour, moved back inside the window when it
// would not fit; the covered cells, the cursor and the text attribute are
// kept for closing.
void OpenChoiceList(int left, int top, int width, int backgroundColour, int height);
// Adds an item: data is the message key of its recording (or empty), text
// what is shown and spoken.
void AddChoice(const std::string& data, const std::string& text);
// Lets the user choose, closes the list and restores the screen. The
// chosen item's index (from 1), or 0 for Esc or no item; the text of the
// choice is then ChoiceListSelection().
int RunChoiceList();
// The text of the item chosen by the last run, empty when none was.
const std::string& ChoiceListSelection();
