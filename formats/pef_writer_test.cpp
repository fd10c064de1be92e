#include "formats/pef_writer.h"

#include <string>

#include "braille/output_sink.h"
#include "formats/formats_test_support.h"
#include "formats/pef_reader.h"

namespace {

using formats_testing::FormatsTest;

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  const std::size_t start = text.find(open);
  if (start == std::string::npos) return {};
  const std::size_t end = text.find(close, start + open.size());
  return end == std::string::npos ? std::string() : text.substr(start + open.size(), end - start - open.size());
}

TEST_F(FormatsTest, PefHoldsTheBooksPagesAsRowsOfUnicodeBraille) {
  std::string pef;
  MemorySink file(pef);
  PefPages pages(table, false, Page(),
                 PefDescription{"Receita <de> bolo & \"caf\xC3\xA9\"\x01", "livro-1", "2026-12-10", true}, file);
  Compose(std::string(kDocument) + "um\ndois\n", pages);
  ASSERT_TRUE(pages.Finish());

  EXPECT_TRUE(pef.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")) << pef;
  const std::string root = Between(pef, "<pef ", ">");
  EXPECT_NE(root.find("xmlns=\"http://www.daisy.org/ns/2008/pef\""), std::string::npos) << root;
  EXPECT_NE(root.find("xmlns:dc=\"http://purl.org/dc/elements/1.1/\""), std::string::npos) << root;
  EXPECT_NE(root.find("version=\"2008-1\""), std::string::npos) << root;
  EXPECT_EQ(Between(pef, "<dc:format>", "</"), "application/x-pef+xml");
  EXPECT_EQ(Between(pef, "<dc:identifier>", "</"), "livro-1");
  // The title escaped, and the control character, which XML cannot hold,
  // left out.
  EXPECT_EQ(Between(pef, "<dc:title>", "</"), "Receita &lt;de&gt; bolo &amp; &quot;caf\xC3\xA9&quot;");
  EXPECT_EQ(Between(pef, "<dc:date>", "</"), "2026-12-10");
  EXPECT_EQ(Between(pef, "<dc:language>", "</"), "pt-BR");
  EXPECT_NE(pef.find("<volume cols=\"12\" rows=\"3\" rowgap=\"0\" duplex=\"true\">"), std::string::npos) << pef;

  // Page 3 holds "ponte" and "um"; page 4, a back, "dois". The picture's
  // page counts twice in the numbering, which so ends on an even number: a
  // blank back follows as an empty page.
  PefBook book;
  PefProblem problem;
  ASSERT_TRUE(ReadPef(pef, book, problem)) << problem.messageKey;
  EXPECT_EQ(book.title, "Receita <de> bolo & \"caf\xC3\xA9\"");
  ASSERT_EQ(book.volumes.size(), 1u);
  ASSERT_EQ(book.volumes[0].sections.size(), 1u);
  const std::vector<PefPage>& read = book.volumes[0].sections[0].pages;
  ASSERT_EQ(read.size(), 5u);
  EXPECT_TRUE(read[4].rows.empty());
  // The header's ten empty cells and #A; trailing empty cells are left out.
  EXPECT_EQ(read[0].rows, (std::vector<CellPatterns>{{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 1},
                                                     {9, 1, 14, 1},
                                                     {23, 10, 21}}));
  EXPECT_EQ(read[1].rows, (std::vector<CellPatterns>{{2 | 4 | 32, 2 | 4}, {1}}));
  EXPECT_EQ(read[3].rows, (std::vector<CellPatterns>{{25, 21, 10, 14}}));
}

TEST_F(FormatsTest, PefKeepsABlankBackAsAnEmptyPageAndOpensVolumesAndSections) {
  std::string pef;
  MemorySink file(pef);
  PefPages pages(table, false, Page(), PefDescription{"t", "i", "2026-12-10", true}, file);
  Compose("um\ndois\ntres\nquatro\ncinco\nseis\n", pages);
  // Nothing is written before the document is finished.
  EXPECT_TRUE(pef.empty());
  // A second copy in a section of its own, then a volume of its own.
  pages.BeginCopy();
  pages.BeginPage();
  pages.Line("a");
  pages.EndPage();
  pages.OpenVolume();
  pages.BeginPage();
  pages.Line(std::string(20, 'b'));
  pages.EndPage();
  ASSERT_TRUE(pages.Finish());
  EXPECT_NE(pef.find("<page/>"), std::string::npos) << pef;
  // The second volume is as wide as its widest row.
  EXPECT_NE(pef.find("<volume cols=\"20\" rows=\"3\""), std::string::npos) << pef;

  PefBook book;
  PefProblem problem;
  ASSERT_TRUE(ReadPef(pef, book, problem)) << problem.messageKey;
  ASSERT_EQ(book.volumes.size(), 2u);
  ASSERT_EQ(book.volumes[0].sections.size(), 2u);
  EXPECT_EQ(book.volumes[0].sections[0].pages.size(), 4u);
  EXPECT_TRUE(book.volumes[0].sections[0].pages[3].rows.empty());
  EXPECT_EQ(book.volumes[0].sections[1].pages.size(), 1u);
  EXPECT_EQ(book.volumes[1].sections.size(), 1u);
}

}  // namespace
