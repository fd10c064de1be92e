// The code table files that ship in data/ against the program's own map of
// cells: every entry gives the North American Braille ASCII byte of the cell
// the character stands for, and every character the transcription can
// write has an entry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "braille/braille_cells.h"
#include "braille/code_table.h"
#include "braille/transcription.h"

namespace {

// North American Braille ASCII: the character of each cell.
struct AsciiCell {
  char character;
  const char* dots;
};
constexpr AsciiCell kBrailleAscii[] = {
    {' ', ""},      {'!', "2346"},  {'"', "5"},      {'#', "3456"},  {'$', "1246"}, {'%', "146"},   {'&', "12346"},
    {'\'', "3"},    {'(', "12356"}, {')', "23456"},  {'*', "16"},    {'+', "346"},  {',', "6"},     {'-', "36"},
    {'.', "46"},    {'/', "34"},    {'0', "356"},    {'1', "2"},     {'2', "23"},   {'3', "25"},    {'4', "256"},
    {'5', "26"},    {'6', "235"},   {'7', "2356"},   {'8', "236"},   {'9', "35"},   {':', "156"},   {';', "56"},
    {'<', "126"},   {'=', "123456"}, {'>', "345"},   {'?', "1456"},  {'@', "4"},    {'A', "1"},     {'B', "12"},
    {'C', "14"},    {'D', "145"},   {'E', "15"},     {'F', "124"},   {'G', "1245"}, {'H', "125"},   {'I', "24"},
    {'J', "245"},   {'K', "13"},    {'L', "123"},    {'M', "134"},   {'N', "1345"}, {'O', "135"},   {'P', "1234"},
    {'Q', "12345"}, {'R', "1235"},  {'S', "234"},    {'T', "2345"},  {'U', "136"},  {'V', "1236"},  {'W', "2456"},
    {'X', "1346"},  {'Y', "13456"}, {'Z', "1356"},   {'[', "246"},   {'\\', "1256"}, {']', "12456"}, {'^', "45"},
    {'_', "456"},
};

int Pattern(const std::string& dots) {
  int pattern = 0;
  for (const char dot : dots) pattern |= 1 << (dot - '1');
  return pattern;
}

// The cell of a Braille ASCII byte, -1 for a byte that is none.
int AsciiPattern(unsigned char byte) {
  for (const AsciiCell& cell : kBrailleAscii) {
    if (static_cast<unsigned char>(cell.character) == byte) return Pattern(cell.dots);
  }
  return -1;
}

struct TableFile {
  bool read = false;
  std::map<int, unsigned char> entries;  // internal character -> device byte
  std::map<int, std::string> remarks;    // internal character -> text after the entry
  std::vector<std::string> problems;
};

std::string DataDirectory() {
  const char* dir = std::getenv("RELEVIX_DATA_DIR");
  return dir != nullptr && *dir != '\0' ? dir : "data";
}

// Reads a table file by the loader's line format; a line that the loader
// would stop at, and a second entry for the same character, are problems.
TableFile ReadTableFile(const std::string& name) {
  TableFile table;
  std::ifstream in(DataDirectory() + "/" + name, std::ios::binary);
  if (!in) return table;
  table.read = true;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '*') continue;
    if (line.size() < 5 || line[2] != '=') {
      table.problems.push_back("line " + std::to_string(number) + " is no entry");
      continue;
    }
    const int internal = HexByte(line[0], line[1]);
    if (table.entries.contains(internal)) table.problems.push_back("line " + std::to_string(number) + " repeats");
    table.entries[internal] = HexByte(line[3], line[4]);
    table.remarks[internal] = line.substr(5);
  }
  return table;
}

// " dots 1 2 4 (x)" or " no dots (blank)": the cell the remark names.
int RemarkPattern(const std::string& remark) {
  std::istringstream words(remark);
  std::string word;
  words >> word;
  if (word == "no") return 0;
  if (word != "dots") return -1;
  int pattern = 0;
  while (words >> word && word.size() == 1 && word[0] >= '1' && word[0] <= '6') pattern |= 1 << (word[0] - '1');
  return pattern;
}

struct RuleSet {
  const char* file;
  bool oldRules;
};
constexpr RuleSet kRuleSets[] = {{"ambcode2.cfg", false}, {"ambcode.cfg", true}};

// Runs the rule set over many short texts, in both styles, with the state
// carried from text to text; every byte written is collected.
std::set<unsigned char> BytesTranscriptionWrites(bool oldRules) {
  std::vector<std::string> triggers = {"`", "(", "[", ")", "]", ".",  "\"", "A",
                                       "\xC9", "\xD7", "\xDF", "a", " ", "1", "12"};
  for (char digit = '0'; digit <= '9'; ++digit) triggers.push_back(std::string(1, digit));
  std::set<unsigned char> written;
  TranscriptionState state;
  for (const bool englishStyle : {false, true}) {
    auto run = [&](const std::string& text) {
      for (const char byte : Transcribe(text, englishStyle, oldRules, state)) written.insert(static_cast<unsigned char>(byte));
    };
    // The reader hands over no byte below 32.
    for (int first = 32; first < 256; ++first) {
      const std::string one(1, static_cast<char>(first));
      run(one);
      for (int second = 32; second < 256; ++second) run(one + static_cast<char>(second));
      for (const std::string& trigger : triggers) {
        run(trigger + one);
        run(trigger + one + "5");
        run(trigger + "5" + one);
        run(trigger + "5" + one + "5");
        run(one + trigger + "5)");
      }
    }
  }
  return written;
}

TEST(ShippedTablesTest, BrailleAsciiGivesEachCellOneCharacter) {
  std::set<int> patterns;
  std::set<char> characters;
  for (const AsciiCell& cell : kBrailleAscii) {
    patterns.insert(Pattern(cell.dots));
    characters.insert(cell.character);
  }
  EXPECT_EQ(patterns.size(), 64u);
  EXPECT_EQ(characters.size(), 64u);
}

TEST(ShippedTablesTest, TablesAgreeWithTheCellsCellForCell) {
  for (const RuleSet& ruleSet : kRuleSets) {
    SCOPED_TRACE(ruleSet.file);
    const TableFile table = ReadTableFile(ruleSet.file);
    ASSERT_TRUE(table.read) << "cannot read " << DataDirectory() << "/" << ruleSet.file;
    EXPECT_TRUE(table.problems.empty()) << table.problems.front();
    for (int c = 0; c < 256; ++c) {
      const int cell = InternalCharacterDots(static_cast<unsigned char>(c), ruleSet.oldRules);
      const auto entry = table.entries.find(c);
      if (cell < 0) {
        EXPECT_TRUE(entry == table.entries.end()) << "character " << c << " is no cell but has an entry";
        continue;
      }
      if (entry == table.entries.end()) {
        ADD_FAILURE() << "character " << c << " has no entry";
        continue;
      }
      EXPECT_EQ(AsciiPattern(entry->second), cell) << "character " << c;
      EXPECT_EQ(RemarkPattern(table.remarks.at(c)), cell) << "remark of character " << c;
    }
  }
}

TEST(ShippedTablesTest, EveryDotPatternTableCharacterHasAnEntry) {
  for (const RuleSet& ruleSet : kRuleSets) {
    const TableFile table = ReadTableFile(ruleSet.file);
    ASSERT_TRUE(table.read) << ruleSet.file;
    for (const unsigned char c : DotPatternTable) {
      EXPECT_TRUE(table.entries.contains(c)) << ruleSet.file << ": " << int{c};
    }
  }
}

TEST(ShippedTablesTest, DifferentCellsNeverShareADeviceByte) {
  for (const RuleSet& ruleSet : kRuleSets) {
    const TableFile table = ReadTableFile(ruleSet.file);
    ASSERT_TRUE(table.read) << ruleSet.file;
    std::map<unsigned char, int> cellOfByte;
    for (const auto& [internal, device] : table.entries) {
      const int cell = InternalCharacterDots(static_cast<unsigned char>(internal), ruleSet.oldRules);
      const auto [known, added] = cellOfByte.emplace(device, cell);
      EXPECT_TRUE(added || known->second == cell) << ruleSet.file << ": byte " << int{device} << " for two cells";
    }
  }
}

TEST(ShippedTablesTest, TheRunsReachTheSignsOfBothRuleSets) {
  const std::set<unsigned char> current = BytesTranscriptionWrites(false);
  for (const unsigned char sign : std::string("\\&](/.0123456789\xB0\xD7\xF7\x80\xE5\xEC\xEA\xE3\xE1\xFA~")) {
    EXPECT_TRUE(current.contains(sign)) << int{sign};
  }
  const std::set<unsigned char> old = BytesTranscriptionWrites(true);
  for (const unsigned char sign : std::string("&]{}'.-0123456789\xF7\xFF")) {
    EXPECT_TRUE(old.contains(sign)) << int{sign};
  }
}

TEST(ShippedTablesTest, EveryByteTheTranscriptionWritesHasAnEntry) {
  for (const RuleSet& ruleSet : kRuleSets) {
    const TableFile table = ReadTableFile(ruleSet.file);
    ASSERT_TRUE(table.read) << ruleSet.file;
    for (const unsigned char byte : BytesTranscriptionWrites(ruleSet.oldRules)) {
      EXPECT_GE(InternalCharacterDots(byte, ruleSet.oldRules), 0) << ruleSet.file << ": " << int{byte};
      EXPECT_TRUE(table.entries.contains(byte)) << ruleSet.file << ": " << int{byte};
    }
  }
}

}  // namespace
