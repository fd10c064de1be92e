// The Portuguese engine's five language data files: where the settings put
// them (section TAVELATTS) and loading them all, with the error text the
// engine reports when one fails.
#pragma once

#include <string>

struct EngineDataFiles {
  std::string database;       // MBROLA voice name
  std::string rules;          // DIR + BASE + ".nrl", and so on
  std::string exceptions;
  std::string abbreviations;
  std::string prosody;
  std::string diphones;
};

// From section TAVELATTS: MBROLA_DB ("br4"), DIR (empty: the installed
// data, "\sonarw\tavelatts\"; a backslash is added when missing) and BASE
// ("portug"). Paths are system paths, as in the settings.
EngineDataFiles ReadEngineDataFiles();

// Loads rules, exceptions, abbreviations, prosody and diphone list, in this
// order. On failure, false with the engine's error text in error.
bool LoadEngineLanguageData(const EngineDataFiles& files, std::string& error);
