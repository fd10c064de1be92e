#include "formats/pef_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A document as another program would write it: two sections, the second
// with its own width; a foreign element the reader passes over.
std::string Pef(const std::string& body, const std::string& ns = "http://www.daisy.org/ns/2008/pef") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<pef version=\"2008-1\" xmlns=\"" + ns + "\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
         "<head><meta><dc:format>application/x-pef+xml</dc:format><dc:identifier>x</dc:identifier>"
         "<dc:title>Cartilha &amp; cia</dc:title></meta></head>\n"
         "<body>" + body + "</body></pef>\n";
}

const std::string kVolume =
    "<volume cols=\"4\" rows=\"2\" rowgap=\"0\" duplex=\"true\">"
    "<section><page><row>\u2801\u2803</row><row/></page><x:nota xmlns:x=\"urn:outro\">?</x:nota></section>"
    "<section cols=\"6\" duplex=\"false\"><page><row>\u2800\u2800\u2800\u2800\u2800\u283F</row></page>"
    "<page/></section>"
    "</volume>";

TEST(PefReader, ReadsVolumesSectionsPagesAndRowsOfSixDotCells) {
  PefBook book;
  PefProblem problem;
  ASSERT_TRUE(ReadPef(Pef(kVolume), book, problem)) << problem.messageKey;
  EXPECT_EQ(book.title, "Cartilha & cia");
  ASSERT_EQ(book.volumes.size(), 1u);
  const auto& sections = book.volumes[0].sections;
  ASSERT_EQ(sections.size(), 2u);
  // ⠁ is dot 1, ⠃ dots 1 2; ⠿ all six.
  EXPECT_EQ(sections[0].cols, 4);
  EXPECT_EQ(sections[0].rows, 2);
  EXPECT_TRUE(sections[0].duplex);
  ASSERT_EQ(sections[0].pages.size(), 1u);
  EXPECT_EQ(sections[0].pages[0].rows, (std::vector<CellPatterns>{{1, 3}, {}}));
  EXPECT_EQ(sections[1].cols, 6);
  EXPECT_EQ(sections[1].rows, 2);
  EXPECT_FALSE(sections[1].duplex);
  ASSERT_EQ(sections[1].pages.size(), 2u);
  EXPECT_EQ(sections[1].pages[0].rows, (std::vector<CellPatterns>{{0, 0, 0, 0, 0, 63}}));
  EXPECT_TRUE(sections[1].pages[1].rows.empty());
  EXPECT_TRUE(LooksLikePef(Pef(kVolume)));
  EXPECT_TRUE(LooksLikePef("\xEF\xBB\xBF  <pef version=\"2008-1\">"));
  EXPECT_FALSE(LooksLikePef("Texto comum\n<pef de brincadeira>\n"));
  EXPECT_FALSE(LooksLikePef("<?xml version=\"1.0\"?><html/>"));
}

struct Refusal {
  std::string document;
  std::string messageKey;
  std::vector<std::string> values;
};

TEST(PefReader, RefusesWhatAnEmbosserCouldNotPrintAsItSays) {
  const std::string volumeStart = "<volume cols=\"3\" rows=\"2\" rowgap=\"0\" duplex=\"false\"><section>";
  const std::string volumeEnd = "</section></volume>";
  const Refusal refusals[] = {
      {Pef(kVolume, "http://www.daisy.org/ns/2005/pef"), "PEFNAOE", {"pef", "http://www.daisy.org/ns/2005/pef"}},
      {"<?xml version=\"1.0\"?><livro/>", "PEFNAOE", {"livro", ""}},
      {Pef(volumeStart + "<page><row>\u2801A</row></page>" + volumeEnd), "PEFCARAC", {"1", "1"}},
      {Pef(volumeStart + "<page><row>\u2801 \u2801</row></page>" + volumeEnd), "PEFCARAC", {"1", "1"}},
      {Pef(volumeStart + "<page/><page><row/><row>\u28C1</row></page>" + volumeEnd), "PEFOITO", {"2", "2"}},
      {Pef(volumeStart + "<page><row>\u2801\u2801\u2801\u2801</row></page>" + volumeEnd), "PEFLARGA",
       {"3", "1", "1"}},
      {Pef(volumeStart + "<page><row/><row/><row/></page>" + volumeEnd), "PEFALTA", {"2", "1"}},
      {Pef("<volume cols=\"3\" rows=\"0\" rowgap=\"0\" duplex=\"false\"><section><page/></section></volume>"),
       "PEFATRIB", {"rows", "volume", "0"}},
      {Pef("<volume cols=\"3\" rows=\"2\" rowgap=\"0\"><section><page/></section></volume>"), "PEFATRIB",
       {"duplex", "volume", ""}},
      {Pef(""), "PEFSEMV", {}},
      // An entity kept in another file is not read, and the row not embossed
      // without it.
      {"<?xml version=\"1.0\"?>\n<!DOCTYPE pef [<!ENTITY x SYSTEM \"file:///etc/hostname\">]>\n" +
           Pef(volumeStart + "<page><row>&x;</row></page>" + volumeEnd).substr(39),
       "PEFENTID", {"x", "1", "1"}},
      // Cut inside its body, which is all on line 4.
      {Pef(kVolume).substr(0, Pef(kVolume).find("<section>")), "PEFXML", {"4"}},
  };
  for (const Refusal& refusal : refusals) {
    PefBook book;
    PefProblem problem;
    EXPECT_FALSE(ReadPef(refusal.document, book, problem)) << refusal.document;
    EXPECT_EQ(problem.messageKey, refusal.messageKey) << refusal.document;
    EXPECT_EQ(problem.values, refusal.values) << refusal.document;
    EXPECT_TRUE(book.volumes.empty());
  }
}

}  // namespace
