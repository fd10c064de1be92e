// The composed bytes read back as pages of cells: line ends, form feeds,
// the embosser's graphic mode and bytes no cell stands for.
#include "driver/embossed_pages.h"

#include <gtest/gtest.h>

namespace {

TEST(EmbossedPages, BytesBecomeRowsOfDotsPageByPage) {
  PreviewTables tables;
  tables.text.fill(-1);
  tables.picture.fill(-1);
  tables.text['A'] = 0x01;     // dot 1
  tables.text['B'] = 0x03;     // dots 1 2
  tables.picture['A'] = 0x3F;  // a picture's full cell
  const std::string bytes =
      "AB\r\n"         // a row
      "\r\n"           // an empty row
      "Z\r\n"          // a byte no cell stands for
      "\x1b" "1\r\n"   // the graphic mode begins: no row of its own
      "A\r\n"          // a picture's row, in the picture's table
      "\x1b]\r\n"      // the graphic mode ends
      "\f"
      "B\r\n\f";       // the last page's form feed starts no page
  const std::vector<EmbossedPage> pages = EmbossedPagesOf(bytes, tables);
  ASSERT_EQ(pages.size(), 2u);
  const EmbossedPage first{"\x01\x03", "", std::string(1, static_cast<char>(kUnknownByteDots)), "\x3F"};
  EXPECT_EQ(pages[0], first);
  EXPECT_EQ(pages[1], EmbossedPage{"\x03"});
  // Nothing composed: one empty page; a last line without its line end is
  // still a row.
  EXPECT_EQ(EmbossedPagesOf("", tables), std::vector<EmbossedPage>(1));
  EXPECT_EQ(EmbossedPagesOf("AB", tables), std::vector<EmbossedPage>{{"\x01\x03"}});
}

}  // namespace
