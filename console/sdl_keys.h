// SDL's keys as the console's keyboard sees them. Left Alt is Alt; the
// right Alt key is AltGr, which types characters.
#pragma once

#include <SDL_keyboard.h>

#include "console/keyboard.h"

KeyStroke KeyStrokeFromSdl(const SDL_Keysym& keysym);
