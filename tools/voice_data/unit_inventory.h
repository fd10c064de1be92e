// The list of sounds to render: the translator's units, expanded from the
// inventory file (syllable starts x vowels, plus single units), and the
// letter sounds with the text that names each character.
#pragma once

#include <string>
#include <vector>

struct SoundToRender {
  std::string name;      // index name (upper case) or letter file name
  std::string speech;    // eSpeak input, UTF-8, phonemes within [[ ]]
  int fromPhoneme = -1;  // keep from this phoneme (-1: the whole sound)
  int toPhoneme = -1;    // up to this phoneme (-1: to the end)
};

// Units of at most 8 characters, sorted by name. Lines: "inicio NAME
// PHONEMES", "vogal NAME ORAL NASAL [til]", "unidade NAME PHONEMES [FROM
// TO]" (phonemes counted from 0, TO "fim" for the end); "#" starts a
// comment; "-" stands for nothing. False, with a message in error, on a
// malformed line.
bool ReadUnitInventory(const std::string& path, std::vector<SoundToRender>& units, std::string& error);

// Letter sounds: lines "CODE TEXT" give the file "_CODE".
bool ReadLetterNames(const std::string& path, std::vector<SoundToRender>& letters, std::string& error);
