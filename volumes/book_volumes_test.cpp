// A book in volumes, laid out from texts made at test time: nothing of the
// text is lost or changed by the volumes, no volume is larger than its
// limit, the volumes of a book are of nearly one size, they end where a
// reader expects, and a text that fits is printed as without volumes.
#include "volumes/book_volumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "braille/braille_cells.h"
#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/page_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "tests/support/novel_text.h"
#include "tests/support/test_support.h"
#include "volumes/volume_output.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

// The pages as lists of lines; a blank back page is a page of no lines.
class PageLines : public PageSink {
 public:
  void BeginPage() override { pages.emplace_back(); }
  bool Line(std::string_view cells) override {
    if (pages.empty()) pages.emplace_back();
    pages.back().emplace_back(cells);
    return true;
  }
  void Picture(const DotPicture&, char, const CodeTable*) override {}
  void EndPage() override {}
  void BlankBackPage() override { pages.emplace_back(); }
  bool PicturesAsCells() const override { return true; }
  std::string Problem() const override { return {}; }

  std::vector<std::vector<std::string>> pages;
};

class BookVolumesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.COLUNAS = 34;
    settings.LINHAS = 28;
    settings.AUTOFORMATA = true;
    settings.TITULA = true;
    settings.BRPAGFIN = INT_MAX;
  }

  Book Compose(const std::string& text) {
    WriteFile(dir.File("livro.txt"), text);
    InputFile input;
    EXPECT_TRUE(input.Open(dir.File("livro.txt")));
    return ComposeBook(settings, table, true, input, "livro", nobody);
  }

  // The same text printed by one job without volumes.
  std::vector<std::vector<std::string>> WithoutVolumes(const std::string& text) {
    WriteFile(dir.File("inteiro.txt"), text);
    InputFile input;
    EXPECT_TRUE(input.Open(dir.File("inteiro.txt")));
    PageLines pages;
    PrintJob job(settings, table, pages, nobody);
    job.PrintCopy(input);
    return pages.pages;
  }

  // The body pages of one volume, without its title page.
  std::vector<std::vector<std::string>> BodyPages(const Book& book, std::size_t volume) {
    PageLines pages;
    const BookVolume& v = book.volumes[volume];
    book.pages.Replay(v.firstEvent, v.endEvent, 1, INT_MAX, pages, nobody, 0);
    return pages.pages;
  }

  // Sheets a volume takes, its title page's included.
  int Sheets(const Book& book, const BookVolume& volume) const {
    const int sides = settings.FRENTEVERSO ? 2 : 1;
    return (volume.Pages() + sides - 1) / sides + (book.volumes.size() > 1 ? 1 : 0);
  }

  PrintSettings settings;
  CodeTable table;  // the identity: the cells are the internal characters
  NobodyJobUser nobody;
  TempDir dir;
};

// A number's digits as Braille cells: 1 to 9 and 0 are the cells of a to j.
std::string DigitCells(int number) {
  static const char* const kDigits[] = {"\u281A", "\u2801", "\u2803", "\u2809", "\u2819",
                                        "\u2811", "\u280B", "\u281B", "\u2813", "\u280A"};
  std::string cells;
  for (const char digit : std::to_string(number)) cells += kDigits[digit - '0'];
  return cells;
}

// The text lines of pages, headers left out (the first line of a page that
// has one) and blank lines too: the composer drops a blank line that would
// open a page, and volumes move where pages begin.
std::vector<std::string> TextLines(const std::vector<std::vector<std::string>>& pages, const std::string& header) {
  std::vector<std::string> lines;
  for (const auto& page : pages) {
    for (std::size_t i = 0; i < page.size(); ++i) {
      if (i == 0 && page[i].find(header) != std::string::npos) continue;
      if (page[i].find_first_not_of(' ') != std::string::npos) lines.push_back(page[i]);
    }
  }
  return lines;
}

TEST_F(BookVolumesTest, ANovelInVolumesLosesNoLineAndNoVolumePassesItsLimit) {
  const std::string novel = testing_support::MakeNovel();
  if (novel.empty()) GTEST_SKIP() << "fortunes-br is not installed";
  // A word of the novel's title, as its headers carry it.
  const std::string header = "{almanaque";
  for (const bool interpoint : {false, true}) {
    settings.FRENTEVERSO = interpoint;
    const std::vector<std::string> whole = TextLines(WithoutVolumes(novel), header);
    ASSERT_GT(whole.size(), 5000u) << "a novel of several hundred pages";
    for (const int sheets : {40, 60, 80}) {
      SCOPED_TRACE((interpoint ? "interpoint, " : "one side, ") + std::to_string(sheets) + " sheets");
      settings.FOLHASPORVOLUME = sheets;
      const Book book = Compose(novel);
      ASSERT_GT(book.volumes.size(), 1u);
      std::vector<std::string> inVolumes;
      int smallest = INT_MAX, largest = 0;
      for (std::size_t v = 0; v < book.volumes.size(); ++v) {
        const std::vector<std::string> lines = TextLines(BodyPages(book, v), header);
        inVolumes.insert(inVolumes.end(), lines.begin(), lines.end());
        const int used = Sheets(book, book.volumes[v]);
        EXPECT_LE(used, sheets) << "volume " << v + 1;
        smallest = std::min(smallest, used);
        largest = std::max(largest, used);
        if (v + 1 < book.volumes.size()) {
          // A reader finds the story go on where the volume before left it.
          EXPECT_NE(book.volumes[v].end, VolumeEnd::Page) << "volume " << v + 1 << " of a novel with chapters";
        }
      }
      EXPECT_EQ(inVolumes, whole);
      // Nearly equal volumes: none much smaller than the largest.
      EXPECT_GE(smallest * 10, largest * 8) << smallest << " to " << largest << " sheets";
      // No more volumes than the book needs, with a volume's worth to spare
      // for ending them where a reader expects.
      const int sides = interpoint ? 2 : 1;
      const int pages = book.volumes.back().lastPage;
      EXPECT_LE(static_cast<int>(book.volumes.size()), pages / ((sheets - 1) * sides) + 2);
    }
  }
}

TEST_F(BookVolumesTest, BrailleNumbersGoOnAcrossVolumesAndEachVolumeStartsOnAFrontPage) {
  const std::string novel = testing_support::MakeNovel({.words = 12000});
  if (novel.empty()) GTEST_SKIP() << "fortunes-br is not installed";
  settings.FRENTEVERSO = true;
  settings.FOLHASPORVOLUME = 20;
  const Book book = Compose(novel);
  ASSERT_GE(book.volumes.size(), 3u);
  for (std::size_t v = 0; v < book.volumes.size(); ++v) {
    const BookVolume& volume = book.volumes[v];
    EXPECT_EQ(volume.firstPage % 2, 1) << "volume " << v + 1 << " begins on the front of a sheet";
    EXPECT_EQ(volume.Pages() % 2, 0) << "volume " << v + 1 << " ends on a whole sheet";
    if (v > 0) {
      // A front page's number is odd; a blank back page keeps its number.
      EXPECT_EQ(volume.firstNumber, book.volumes[v - 1].lastNumber + (book.volumes[v - 1].lastNumber % 2 ? 2 : 1));
      EXPECT_EQ(volume.firstPage, book.volumes[v - 1].lastPage + 1);
    }
    // The novel gives its print pages: each volume's title page says which.
    EXPECT_GT(volume.firstPrintPage, 0);
    EXPECT_GE(volume.lastPrintPage, volume.firstPrintPage);
  }
  EXPECT_EQ(book.volumes.front().firstNumber, 1);
}

TEST_F(BookVolumesTest, WithoutChaptersVolumesEndAtParagraphsAndWithoutParagraphsAtPageEnds) {
  const std::string novel = testing_support::MakeNovel({.words = 20000, .headings = false});
  if (novel.empty()) GTEST_SKIP() << "fortunes-br is not installed";
  settings.FOLHASPORVOLUME = 30;
  Book book = Compose(novel);
  ASSERT_GT(book.volumes.size(), 2u);
  for (std::size_t v = 0; v + 1 < book.volumes.size(); ++v) EXPECT_EQ(book.volumes[v].end, VolumeEnd::Paragraph);
  // One paragraph for the whole book: only pages can end a volume.
  std::string oneParagraph;
  for (int word = 0; word < 6000; ++word) oneParagraph += "palavra" + std::to_string(word) + (word % 12 ? " " : "\n");
  book = Compose(oneParagraph);
  ASSERT_GT(book.volumes.size(), 1u);
  int smallest = INT_MAX, largest = 0;
  for (std::size_t v = 0; v < book.volumes.size(); ++v) {
    if (v + 1 < book.volumes.size()) EXPECT_EQ(book.volumes[v].end, VolumeEnd::Page);
    EXPECT_LE(book.volumes[v].Pages(), 29);
    smallest = std::min(smallest, book.volumes[v].Pages());
    largest = std::max(largest, book.volumes[v].Pages());
  }
  EXPECT_LE(largest - smallest, 1) << "a page end can be had anywhere: volumes of one size";
}

TEST_F(BookVolumesTest, ATextThatFitsIsPrintedAsWithoutVolumesAndVForcesOne) {
  std::string text = "<TContos>\n";
  for (int paragraph = 1; paragraph <= 30; ++paragraph) {
    text += "  Par\xE1grafo " + std::to_string(paragraph) + " com algumas palavras para encher a linha.\n";
  }
  settings.FOLHASPORVOLUME = 10;
  const Book fits = Compose(text);
  ASSERT_EQ(fits.volumes.size(), 1u);
  EXPECT_TRUE(fits.volumes[0].titlePage.empty());
  EXPECT_EQ(BodyPages(fits, 0), WithoutVolumes(text));

  // <V> after the tenth paragraph: two volumes though the text fits, each
  // with its title page; without volumes <V> only begins a page.
  std::string split = text;
  split.insert(split.find("  Par\xE1grafo 11 "), "<V>\n");
  const Book forced = Compose(split);
  ASSERT_EQ(forced.volumes.size(), 2u);
  EXPECT_EQ(forced.volumes[0].end, VolumeEnd::Command);
  EXPECT_FALSE(forced.volumes[1].titlePage.empty());
  EXPECT_NE(BodyPages(forced, 1).front()[1].find("#11"), std::string::npos) << "volume 2 begins with paragraph 11";
  settings.FOLHASPORVOLUME = 0;
  bool pageBegins = false;
  for (const auto& page : WithoutVolumes(split)) pageBegins = pageBegins || page[1].find("#11") != std::string::npos;
  EXPECT_TRUE(pageBegins) << "without volumes, paragraph 11 begins a page";
}

TEST_F(BookVolumesTest, EachTitlePageSaysTheTitleWhichVolumeAndItsPages) {
  std::string text = "<TContos>\n<3>\n";
  for (int paragraph = 1; paragraph <= 60; ++paragraph) {
    text += "  Um par\xE1grafo de texto.\n";
    if (paragraph == 30) text += "<4>\n";
  }
  settings.TITULA = false;
  settings.LINHAS = 10;
  settings.FOLHASPORVOLUME = 5;  // four pages of text and the title page
  const Book book = Compose(text);
  ASSERT_GE(book.volumes.size(), 2u);
  const std::vector<std::string>& page = book.volumes[0].titlePage;
  std::string shown;
  for (const std::string& line : page) shown += UnicodeBrailleFromInternal(line, false) + "\n";
  // The title, "volume 1 de N" and the Braille pages, each centred in 34
  // cells; the print pages from 3.
  const std::string braille = "\u2828\u2809\u2815\u281D\u281E\u2815\u280E";  // Contos
  EXPECT_NE(shown.find(braille), std::string::npos) << shown;
  const std::string volumeOne = "\u2827\u2815\u2807\u2825\u280D\u2811\u2800\u283C\u2801\u2800\u2819\u2811\u2800\u283C";
  EXPECT_NE(shown.find(volumeOne), std::string::npos) << shown;
  const std::string braillePages =
      "\u280F\u2837\u281B\u280A\u281D\u2801\u280E\u2800\u2811\u280D\u2800\u2803\u2817\u2801\u280A\u2807\u2807\u2811"
      "\u2812\u2800\u283C\u2801\u2800\u2801\u2800\u283C" +
      DigitCells(book.volumes[0].lastNumber);  // páginas em braille: 1 a N
  EXPECT_NE(shown.find(braillePages), std::string::npos) << shown;
  const std::string printPages = "\u2812\u2800\u283C\u2809\u2800\u2801\u2800\u283C";  // ": 3 a " and a number
  EXPECT_NE(shown.find(printPages), std::string::npos) << shown;
  EXPECT_LE(page.size(), 10u);
  for (const std::string& line : page) EXPECT_LE(line.size(), 34u);

  // Emitted with interpoint, the title page's back is left blank.
  settings.FRENTEVERSO = true;
  PageLines out;
  EXPECT_TRUE(EmbossVolume(book, 1, settings, out, nobody));
  ASSERT_GE(out.pages.size(), 3u);
  EXPECT_EQ(out.pages[0], book.volumes[1].titlePage);
  EXPECT_TRUE(out.pages[1].empty());
}

}  // namespace
