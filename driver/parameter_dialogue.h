// The parameter dialogue: every print setting on one spoken form, starting
// from the values read; the answers hold for this run, and only the output
// device is written back to the settings file.
#pragma once

// Asks every print parameter, stores the answers in printSettings, writes
// the device name back, reloads the code table and says where lasting
// changes are made. False when the code table of the answers cannot be
// opened (said).
bool AskPrintParameters();
