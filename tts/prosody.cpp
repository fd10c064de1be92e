#include "tts/prosody.h"

#include <cmath>
#include <cstdlib>

#include "tts/diphone_list.h"
#include "tts/prosody_tables.h"

namespace {

constexpr char kDiaeresis = '\xA8';

// The phoneme of the last line that had one; kept from one utterance to the
// next.
std::string currentPhoneme;

struct PitchTarget {
  char level = 0;
  int position = 0;
};

void AppendPitch(std::string& line, PitchTarget target, double pitchFactor) {
  if (target.level < '0' || target.level > '9') return;
  const int percent = prosodyTables.TABHERTZ[static_cast<std::size_t>(target.level - '0')];
  if (percent == 0) return;
  const long hertz = static_cast<long>(std::trunc(percent * pitchFactor * prosodyTables.HERTZ)) / 100;
  line += " " + std::to_string(target.position) + " " + std::to_string(hertz);
}

}  // namespace

std::vector<std::string> ApplyProsody(const std::vector<std::string>& phonemeList, double durationFactor,
                                      double pitchFactor) {
  std::vector<std::string> output;
  std::string previousPhoneme = "_", pattern = "555";
  int percent = 100, pitchState = 0;
  std::size_t markerLength = 0;
  for (std::size_t i = 0; i < phonemeList.size(); ++i) {
    std::string line = phonemeList[i];
    const bool endOfWord = i + 1 == phonemeList.size() || phonemeList[i + 1].empty();
    if (line.empty()) {
      percent = 100;
      currentPhoneme.clear();
    } else if (line[0] == ';' && line.size() >= 5 && line[4] == '|') {
      pattern = line.substr(1, 3);
      line.erase(1, 4);
      markerLength = line.size();
      pitchState = 0;
    } else {
      if (line[0] == '>') {
        percent = 145;
        line.erase(0, 1);
        if (!line.empty() && line[0] == kDiaeresis) line.erase(0, 1);
        pitchState = 2;
      } else if (line[0] == kDiaeresis) {
        line.erase(0, 1);
        percent = 100;
      }
      int duration;
      if (!line.empty() && line[0] == '_') {
        if (line == "_") line = "_ 100";
        if (line.size() > 1 && line[1] == ' ') {
          duration = std::atoi(line.c_str() + 2);
        } else {
          duration = PhonemeDuration(line);
        }
        line = "_";
      } else {
        duration = PhonemeDuration(line);
        if (pitchState < 2) {
          if (markerLength > 13) duration = duration * 80 / 100;
          else if (markerLength > 9) duration = duration * 90 / 100;
        }
      }
      currentPhoneme = line;
      const long milliseconds = static_cast<long>(std::trunc(duration * percent * durationFactor)) / 100;
      line += " " + std::to_string(milliseconds);
      PitchTarget target;
      if (pitchState == 0) {
        target = {pattern[0], 50};
        pitchState = 1;
      } else if (pitchState == 2) {
        target = {pattern[1], 80};
        pitchState = 3;
      } else if (pitchState == 3 && endOfWord) {
        target = {pattern[2], 50};
      }
      AppendPitch(line, target, pitchFactor);
    }
    if (!currentPhoneme.empty()) {
      if (!HasDiphone(previousPhoneme, currentPhoneme)) {
        output.push_back(FillerBetween(previousPhoneme, currentPhoneme) + " 50");
      }
      if (!line.empty()) previousPhoneme = currentPhoneme;
    }
    output.push_back(line);
  }
  return output;
}
