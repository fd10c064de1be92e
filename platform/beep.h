// The default warning beep, the system's "attention" sound. For now it rings
// the terminal bell; tests put their own sound in its place.
#pragma once

void PlayWarningBeep();

// Replaces the sound PlayWarningBeep makes; nullptr restores the default.
using WarningBeepSound = void (*)();
void SetWarningBeepSound(WarningBeepSound sound);
