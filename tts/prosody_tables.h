// The prosody file of the Portuguese engine ("portug.pro"): phoneme
// durations ([DURAÇÃO]), keyword classes of words ([CHAVES]) and the
// intonation rules with the pitch levels ([PROSÓDIA]).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// One intonation rule: the key patterns of the previous, current and next
// token (empty matches any) and the three pitch levels it gives.
struct IntonationRule {
  std::string previous, current, next, value;
};

struct ProsodyTables {
  std::vector<std::pair<std::string, int>> durations;  // file order
  std::vector<std::pair<std::string, std::string>> keywords;  // sorted by word
  std::vector<IntonationRule> intonationRules;  // file order
  int HERTZ = 230;
  std::array<int, 10> TABHERTZ{};  // per cent of HERTZ for levels "0" to "9"
};

extern ProsodyTables prosodyTables;

// Replaces the tables with the file's. A missing section or a malformed
// line is shown in a message box and gives false.
bool LoadProsody(const std::string& fileName);

// The class of a word (any case), empty when it has none.
std::string LookupKeyword(std::string_view word);

// The duration of the phoneme in milliseconds; 100 when the table has none.
int PhonemeDuration(std::string_view phoneme);
