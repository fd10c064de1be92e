// Numbers, clock times and dates said in Portuguese by joining recorded
// words (pieces "_word.wav" of the letters directory) into one sound.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The words of a number, Windows-1252: the engine's cardinal words
// (tts/number_words.h) with "cinquenta" written without a diaeresis. 21
// "vinte e um", 2001 "dois mil e um", 1000000 "um milhão " (scale words end
// with a blank). Numbers past fifteen digits are said digit by digit.
std::string NumberToWords(unsigned long long number);
// The piece names of the words: "_" + word without accents, cut to 8
// characters ("três" becomes "_tres", "dezessete" "_dezeset"); feminine ends
// on "_uma" or "_duas" instead of "_um" or "_dois".
std::vector<std::string> NumberPieces(std::string_view words, bool feminine);
// Plays the pieces as one sound (several when longer than 30000 samples); a
// missing piece is left out.
void SpeakNumberWords(std::string_view words, bool feminine);

// 1:05 is "uma hora cinco minutos": hours in the feminine, no minutes when 0.
void SpeakTime(int hours, int minutes);
void SpeakCurrentTime();
// Weekday, day ("primeiro" for the 1st), month and year; years before 2000
// by their last two digits. A month outside 1..12 says nothing.
void SpeakDate(int day, int month, int year);
void SpeakCurrentDate();
