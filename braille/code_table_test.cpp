#include "braille/code_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "braille/print_settings.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

class CodeTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    printSettings.AMBCODE = dir_.File("ambcode.cfg");
    printSettings.AMBCODE2 = dir_.File("ambcode2.cfg");
  }

  // Loads text as the current-rules table; the load is kept.
  bool Load(const std::string& text) {
    WriteFile(printSettings.AMBCODE2, text);
    load_ = LoadCodeTable(printSettings.AMBCODE2, CodeTable);
    return load_.Whole();
  }

  void ExpectIdentityExcept(std::set<int> changed) const {
    for (int i = 0; i < 256; ++i) {
      if (!changed.contains(i)) {
        EXPECT_EQ(CodeTable[i], i) << "index " << i;
      }
    }
  }

  PrintSettings printSettings;
  ::CodeTable CodeTable;
  CodeTableLoad load_;
  TempDir dir_;
};

TEST_F(CodeTableTest, CommentsAndEmptyLinesGiveTheIdentity) {
  EXPECT_TRUE(Load("41=E1\n"));
  EXPECT_TRUE(Load("* current rules\n\n*41=E1\n\r\n"));
  ExpectIdentityExcept({});
  EXPECT_EQ(load_.badLine, 0);
}

TEST_F(CodeTableTest, EntriesMapInternalCharactersToDeviceBytes) {
  EXPECT_TRUE(Load("41=E1\n"));
  EXPECT_EQ(CodeTable[65], 225);
  ExpectIdentityExcept({65});

  EXPECT_TRUE(Load("4a=e1\n"));
  EXPECT_EQ(CodeTable[0x4A], 0xE1);
  EXPECT_TRUE(Load("4A=E1\n"));
  EXPECT_EQ(CodeTable[0x4A], 0xE1);

  EXPECT_TRUE(Load("41=E1 remark\n42=E2"));
  EXPECT_EQ(CodeTable[0x41], 0xE1);
  EXPECT_EQ(CodeTable[0x42], 0xE2);

  EXPECT_TRUE(Load("41=E1\r\n42=E2\r\n43=E3\r"));
  EXPECT_EQ(CodeTable[0x41], 0xE1);
  EXPECT_EQ(CodeTable[0x42], 0xE2);
  EXPECT_EQ(CodeTable[0x43], 0xE3);

  EXPECT_TRUE(Load("41=E1\n20=00\n41=2A\n"));
  EXPECT_EQ(CodeTable[0x41], 0x2A);
  EXPECT_EQ(CodeTable[0x20], 0x00);
}

TEST_F(CodeTableTest, ErrorKeepsTheEntriesBeforeTheBadLine) {
  EXPECT_FALSE(Load("41=E1\n42=E2\n43=E3\n44=E4\n45=E5\n46=E6\n47:E7\n48=E8\n"));
  EXPECT_EQ(load_.badLine, 7);
  EXPECT_EQ(CodeTable[0x41], 0xE1);
  EXPECT_EQ(CodeTable[0x46], 0xE6);
  ExpectIdentityExcept({0x41, 0x42, 0x43, 0x44, 0x45, 0x46});
}

TEST_F(CodeTableTest, LineNumbersCountCommentsEmptyAndLongLines) {
  EXPECT_FALSE(Load("* comment\n\n" + std::string(1000, '*') + "\r\n41=E1\nbad\n"));
  EXPECT_EQ(load_.badLine, 5);
  EXPECT_EQ(CodeTable[0x41], 0xE1);
}

TEST_F(CodeTableTest, OnlyTheFirst255CharactersOfALineCount) {
  // The rest of a long line is skipped, not taken as a line of its own.
  EXPECT_TRUE(Load("41=E1" + std::string(250, ' ') + "xx=yy\n42=E2\n"));
  EXPECT_EQ(CodeTable[0x41], 0xE1);
  EXPECT_EQ(CodeTable[0x42], 0xE2);
  ExpectIdentityExcept({0x41, 0x42});
}

TEST_F(CodeTableTest, ShortEntriesAreErrors) {
  for (const std::string line : {"41=E", "41=", "41", "4", "4=E1", "41=E\r"}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(Load("42=E2\n" + line + "\n43=E3\n"));
    EXPECT_EQ(load_.badLine, 2);
    ExpectIdentityExcept({0x42});
  }
  EXPECT_TRUE(Load("*\n41=E1\n"));
}

TEST_F(CodeTableTest, ReadErrorIsReportedAtTheLineBeingRead) {
  // A directory opens, but reading it fails.
  const CodeTableLoad load = LoadCodeTable(dir_.path(), CodeTable);
  EXPECT_TRUE(load.opened);
  EXPECT_EQ(load.badLine, 1);
  ExpectIdentityExcept({});
}

TEST_F(CodeTableTest, OldRulesSettingChoosesTheFile) {
  WriteFile(printSettings.AMBCODE, "41=01\n");
  WriteFile(printSettings.AMBCODE2, "41=02\n");
  printSettings.USABRAILLEANTIGO = true;
  EXPECT_EQ(CodeTablePath(printSettings), printSettings.AMBCODE);
  EXPECT_TRUE(LoadCodeTable(CodeTablePath(printSettings), CodeTable).Whole());
  EXPECT_EQ(CodeTable[0x41], 0x01);
  printSettings.USABRAILLEANTIGO = false;
  EXPECT_EQ(CodeTablePath(printSettings), printSettings.AMBCODE2);
  EXPECT_TRUE(LoadCodeTable(CodeTablePath(printSettings), CodeTable).Whole());
  EXPECT_EQ(CodeTable[0x41], 0x02);
}

TEST_F(CodeTableTest, MissingFileIsNoTableAndLeavesTheIdentity) {
  CodeTable[0x41] = 0x01;
  const CodeTableLoad load = LoadCodeTable(dir_.File("missing-table.cfg"), CodeTable);
  EXPECT_FALSE(load.opened);
  EXPECT_FALSE(load.Whole());
  ExpectIdentityExcept({});
}

TEST(HexByteTest, FollowsTheConversionRuleWithoutValidation) {
  EXPECT_EQ(HexByte('4', '1'), 0x41);
  EXPECT_EQ(HexByte('e', '1'), 0xE1);
  EXPECT_EQ(HexByte('f', 'F'), 0xFF);
  EXPECT_EQ(HexByte('0', '9'), 0x09);
  // 'G' counts 16: shifted it leaves the byte, as a low digit it sets bit 4.
  EXPECT_EQ(HexByte('G', '0'), 0x00);
  EXPECT_EQ(HexByte('0', 'G'), 0x10);
}

// The dot pattern of a cell written as its dot numbers, e.g. "1245".
int Dots(std::string_view dots) {
  int pattern = 0;
  for (char dot : dots) pattern |= 1 << (dot - '1');
  return pattern;
}

TEST(DotPatternTableTest, CellsHoldTheirCharacters) {
  EXPECT_EQ(DotPatternTable[0], ' ');
  EXPECT_EQ(DotPatternTable[Dots("1")], 'a');
  EXPECT_EQ(DotPatternTable[Dots("12")], 'b');
  EXPECT_EQ(DotPatternTable[Dots("14")], 'c');
  EXPECT_EQ(DotPatternTable[Dots("145")], 'd');
  EXPECT_EQ(DotPatternTable[Dots("15")], 'e');
  EXPECT_EQ(DotPatternTable[Dots("124")], 'f');
  EXPECT_EQ(DotPatternTable[Dots("1245")], 'g');
  EXPECT_EQ(DotPatternTable[Dots("125")], 'h');
  EXPECT_EQ(DotPatternTable[Dots("24")], 'i');
  EXPECT_EQ(DotPatternTable[Dots("245")], 'j');
  EXPECT_EQ(DotPatternTable[Dots("46")], '{');
  EXPECT_EQ(DotPatternTable[Dots("3456")], '#');
  EXPECT_EQ(DotPatternTable[Dots("36")], '-');
  EXPECT_EQ(DotPatternTable[Dots("34")], 237);     // í
  EXPECT_EQ(DotPatternTable[Dots("123456")], 233); // é
  EXPECT_EQ(DotPatternTable[Dots("45")], 172);     // ¬
  EXPECT_EQ(DotPatternTable[Dots("12346")], 231);  // ç
  EXPECT_EQ(DotPatternTable[Dots("2456")], 'w');
  EXPECT_EQ(DotPatternTable[Dots("1356")], 'z');
}

TEST(DotPatternTableTest, AllCellsDiffer) {
  const std::set<unsigned char> distinct(DotPatternTable.begin(), DotPatternTable.end());
  EXPECT_EQ(distinct.size(), 64u);
}

}  // namespace
