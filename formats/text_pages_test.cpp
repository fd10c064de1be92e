#include "formats/text_pages.h"

#include <string>

#include "braille/output_sink.h"
#include "formats/formats_test_support.h"

namespace {

using formats_testing::FormatsTest;

TEST(BrailleAscii, GivesTheNorthAmericanCharacterOfEachCell) {
  // a = dot 1, b = dots 1 2, the number sign dots 3 4 5 6, the capital sign
  // of the Portuguese rules dots 4 6, the full cell, the empty cell.
  EXPECT_EQ(BrailleAsciiOf(1), 'A');
  EXPECT_EQ(BrailleAsciiOf(1 | 2), 'B');
  EXPECT_EQ(BrailleAsciiOf(4 | 8 | 16 | 32), '#');
  EXPECT_EQ(BrailleAsciiOf(8 | 32), '.');
  EXPECT_EQ(BrailleAsciiOf(63), '=');
  EXPECT_EQ(BrailleAsciiOf(0), ' ');
  // w = dots 2 4 5 6, z = dots 1 3 5 6.
  EXPECT_EQ(BrailleAsciiOf(2 | 8 | 16 | 32), 'W');
  EXPECT_EQ(BrailleAsciiOf(1 | 4 | 16 | 32), 'Z');
}

TEST_F(FormatsTest, BrfHoldsHeadersPicturesAsCellsAndThePageRange) {
  std::string brf;
  MemorySink file(brf);
  BrfPages pages(table, false, Page(), file);
  Compose(kDocument, pages);
  EXPECT_TRUE(pages.Finish());
  // Dots 2 3 6 are 8 in Braille ASCII, dots 2 3 are 2; #C is page 3.
  EXPECT_EQ(brf,
            "          #A\r\nCASA\r\nRIO\r\n\f"
            "82\r\nA\r\n\f"
            "          #C\r\nPONTE\r\n\f");

  // Pages 2 to 3 only: no form feed before the first one embossed.
  settings.BRPAGINI = 2;
  settings.BRPAGFIN = 3;
  brf.clear();
  BrfPages range(table, false, Page(), file);
  Compose(kDocument, range);
  range.Finish();
  EXPECT_EQ(brf, "82\r\nA\r\n\f          #C\r\nPONTE\r\n\f");
}

TEST_F(FormatsTest, BrfOfATextIsWhatTheEmbosserGetsWithTheShippedTable) {
  // Three pages: the third front's back is left blank, as one empty line and
  // a form feed.
  const std::string text = "Um dia\ndois\ntr\xC3\xAAs\nquatro\ncinco\nseis 7\n";
  std::string brf, bytes;
  MemorySink brfFile(brf), device(bytes);
  BrfPages pages(table, false, Page(), brfFile);
  Compose(text, pages);
  pages.Finish();
  testing_support::WriteFile(dir.File("texto.txt"), text);
  InputFile input;
  ASSERT_TRUE(input.Open(dir.File("texto.txt")));
  NobodyJobUser nobody;
  PrintJob(settings, table, device, nobody).PrintCopy(input);
  EXPECT_EQ(brf, bytes);
  // ê is dots 1 2 6 (<); the capital sign . before U; 7 is #G.
  EXPECT_EQ(brf,
            "          #A\r\n.UM DIA\r\nDOIS\r\n\f"
            "TR<S\r\nQUATRO\r\nCINCO\r\n\f"
            "          #C\r\nSEIS #G\r\n\f"
            "\r\n\f");
}

TEST_F(FormatsTest, UnicodeBrailleHasOneLineARowAndAFormFeedBetweenPages) {
  settings.BRPAGINI = 2;
  settings.BRPAGFIN = 3;
  std::string text;
  MemorySink file(text);
  UnicodePages pages(table, false, Page(), file);
  Compose(kDocument, pages);
  pages.Finish();
  // ⠦⠆ and ⠁: the picture; ten empty cells, ⠼⠉ (#3); ⠏⠕⠝⠞⠑ is "ponte".
  EXPECT_EQ(text,
            "\u2826\u2806\n\u2801\n\f"
            "\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u283C\u2809\n"
            "\u280F\u2815\u281D\u281E\u2811\n");
}

TEST_F(FormatsTest, AFailedWriteIsReportedWithTheOutputsProblem) {
  class FullDisk : public OutputSink {
   public:
    bool Write(std::string_view) override { return false; }
    std::string Problem() const override { return "saida.brf: disco cheio"; }
  } full;
  BrfPages pages(table, false, Page(), full);
  EXPECT_FALSE(pages.Line("casa"));
  EXPECT_EQ(pages.Problem(), "saida.brf: disco cheio");
}

}  // namespace
