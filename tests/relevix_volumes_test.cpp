// Books in volumes through the talking program: a file for each volume on a
// file device, the volumes one after another on a port with a stop for
// paper between them, and the two questions of the form that choose the
// volumes. Each volume opens with its title page.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/relevix_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

const std::string kKeepAndPrint = kAfterGreeting + "ENTER" + kConfirm;
// The stop for paper comes once the first volume is out.
const std::string kAtTheStop = " WAIT 2500 ";

// Small pages of 8 lines without headers, each source line a line of its
// own: the 40 lines of the book fill 5 pages. Volumes of 4 sheets (the
// title page's among them) hold 3 of them, so the book takes 2 volumes.
constexpr int kLinesPerPage = 8;
constexpr int kBookLines = 40;
const std::string kSmallPages = "LINHAS=8\nCOLUNAS=30\nTITULA=N\nAUTOFORMATA=N\nFRENTEVERSO=N\n";
const std::string kBook = kSmallPages + "FOLHASPORVOLUME=4\n";

// Line n of the book lies on print page (n - 1) / 10 + 1.
int PrintPageOf(int line) { return (line - 1) / 10 + 1; }

// A title, then "Linha 1 do texto." to "Linha 40 do texto.", with the print
// edition's page number before each tenth line.
std::string BookText() {
  std::string text = "<T Dias da cidade>\n";
  for (int line = 1; line <= kBookLines; ++line) {
    if ((line - 1) % 10 == 0) text += "<" + std::to_string(PrintPageOf(line)) + ">\n";
    text += "Linha " + std::to_string(line) + " do texto.\n";
  }
  return text;
}

// A number in Portuguese Braille, in Braille ASCII (the bytes the shipped
// table gives the cells): the number sign, dots 3456, then the digits as
// the letters a to j.
std::string BrailleNumber(int number) {
  std::string cells = "#";
  for (const char digit : std::to_string(number)) cells += digit == '0' ? 'J' : static_cast<char>('A' + digit - '1');
  return cells;
}

// "Linha 12 do texto.": the capital sign (dots 46), the letters, the number
// and the full stop (dot 3).
std::string BookLine(int line) { return ".LINHA " + BrailleNumber(line) + " DO TEXTO'"; }

// The title page's lines; á is dots 12356, the colon dots 25.
const std::string kTitle = ".DIAS DA CIDADE";
std::string VolumeLine(int volume, int volumes) {
  return "VOLUME " + BrailleNumber(volume) + " DE " + BrailleNumber(volumes);
}
std::string BraillePagesLine(int first, int last) {
  return "P(GINAS EM BRAILLE3 " + BrailleNumber(first) + " A " + BrailleNumber(last);
}
std::string PrintPagesLine(int first, int last) {
  return "P(GINAS EM TINTA3 " + BrailleNumber(first) + " A " + BrailleNumber(last);
}

using Page = std::vector<std::string>;

// The pages of an output: each ended by a form feed, its lines by CR LF.
std::vector<Page> PagesOf(const std::string& printed) {
  std::vector<Page> pages(1);
  std::size_t at = 0;
  while (at < printed.size()) {
    if (printed[at] == '\f') {
      pages.emplace_back();
      ++at;
      continue;
    }
    const std::size_t end = printed.find_first_of("\r\f", at);
    pages.back().push_back(printed.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = printed.compare(end, 2, "\r\n") == 0 ? end + 2 : end;
  }
  if (pages.back().empty()) pages.pop_back();
  return pages;
}

std::string WithoutLeadingBlanks(const std::string& line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string::npos ? "" : line.substr(first);
}

bool IsTitlePage(const Page& page) {
  for (const std::string& line : page) {
    if (WithoutLeadingBlanks(line).starts_with("VOLUME ")) return true;
  }
  return false;
}

// The volumes of one output, each from its title page on.
std::vector<std::vector<Page>> VolumesOf(const std::string& printed) {
  std::vector<std::vector<Page>> volumes;
  for (const Page& page : PagesOf(printed)) {
    if (volumes.empty() || IsTitlePage(page)) volumes.emplace_back();
    volumes.back().push_back(page);
  }
  return volumes;
}

// The number of the book line, 0 when the line is none.
int LineNumberOf(const std::string& line) {
  for (int n = 1; n <= kBookLines; ++n) {
    if (line == BookLine(n)) return n;
  }
  return 0;
}

// The number of the last book line of the volumes.
int LastLineOf(const std::vector<std::vector<Page>>& volumes) {
  if (volumes.empty() || volumes.back().empty() || volumes.back().back().empty()) return 0;
  return LineNumberOf(volumes.back().back().back());
}

// The lines of a title page that are not blank, without the blanks that
// centre them.
std::vector<std::string> Said(const Page& titlePage) {
  std::vector<std::string> said;
  for (const std::string& line : titlePage) {
    if (!WithoutLeadingBlanks(line).empty()) said.push_back(WithoutLeadingBlanks(line));
  }
  return said;
}

// Checks volumes as the volumes numbered from firstVolume on of a book of
// volumeCount volumes of at most sheets sheets, whose first body line is
// line firstLine on Braille page firstPage: each within its sheets, after a
// title page that tells which volume it is and which Braille and print
// pages it holds, and the book's lines in order, none lost, none twice.
void ExpectVolumes(const std::vector<std::vector<Page>>& volumes, int sheets, int firstVolume, int volumeCount,
                   int firstLine, int firstPage) {
  int nextLine = firstLine;
  int nextPage = firstPage;
  for (std::size_t v = 0; v < volumes.size(); ++v) {
    const int volume = firstVolume + static_cast<int>(v);
    SCOPED_TRACE("volume " + std::to_string(volume));
    const std::vector<Page>& pages = volumes[v];
    ASSERT_GE(pages.size(), 2u) << "a title page and the text";
    EXPECT_LE(pages.size(), static_cast<std::size_t>(sheets)) << "one page a sheet";
    std::vector<int> lines;
    for (std::size_t p = 1; p < pages.size(); ++p) {
      EXPECT_LE(pages[p].size(), static_cast<std::size_t>(kLinesPerPage));
      for (const std::string& line : pages[p]) {
        lines.push_back(LineNumberOf(line));
        EXPECT_EQ(line, BookLine(nextLine)) << "page " << p + 1;
        ++nextLine;
      }
    }
    ASSERT_FALSE(lines.empty());
    const int bodyPages = static_cast<int>(pages.size()) - 1;
    EXPECT_EQ(Said(pages[0]),
              (std::vector<std::string>{kTitle, VolumeLine(volume, volumeCount),
                                        BraillePagesLine(nextPage, nextPage + bodyPages - 1),
                                        PrintPagesLine(PrintPageOf(lines.front()), PrintPageOf(lines.back()))}));
    nextPage += bodyPages;
  }
}

std::vector<std::vector<Page>> VolumeFiles(const RelevixProgram& program, int count) {
  std::vector<std::vector<Page>> volumes;
  for (int k = 1; k <= count; ++k) {
    volumes.push_back(PagesOf(ReadFile(program.File("livro-" + std::to_string(k) + ".brf"))));
  }
  return volumes;
}

bool Exists(const RelevixProgram& program, const std::string& name) {
  return std::filesystem::exists(program.File(name));
}

TEST(RelevixVolumes, AFileDeviceGetsAFileForEachVolumeEachOpeningWithItsTitlePage) {
  RelevixProgram program(kBook + "DISPSAIDA=livro.brf\n");
  WriteFile(program.File("livro.txt"), BookText());
  const RelevixRun run = program.Run("livro.txt", kKeepAndPrint);
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_TRUE(Exists(program, "livro-1.brf"));
  EXPECT_TRUE(Exists(program, "livro-2.brf"));
  EXPECT_FALSE(Exists(program, "livro-3.brf"));
  EXPECT_FALSE(Exists(program, "livro.brf")) << "the name given stands for the volumes' files";
  // Each file is said as it is written, then the end of the job.
  const int first = run.RowOf("Volume 1 de 2 gravado em livro-1.brf");
  const int second = run.RowOf("Volume 2 de 2 gravado em livro-2.brf");
  EXPECT_GT(first, 0) << run.Screen();
  EXPECT_GT(second, first) << run.Screen();
  EXPECT_GT(run.RowOf("Fim de trabalho"), second) << run.Screen();
  ASSERT_FALSE(run.heard.empty());
  EXPECT_EQ(run.heard.back(), "BRFIMTRA");
  const std::vector<std::vector<Page>> volumes = VolumeFiles(program, 2);
  ExpectVolumes(volumes, 4, 1, 2, 1, 1);
  EXPECT_EQ(LastLineOf(volumes), kBookLines);
  // A file holds a volume: its form feeds end its title page and its pages.
  for (int k = 1; k <= 2; ++k) {
    const std::string printed = ReadFile(program.File("livro-" + std::to_string(k) + ".brf"));
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\f'), static_cast<long>(PagesOf(printed).size())) << k;
  }
}

TEST(RelevixVolumes, ATextThatFitsInAVolumePrintsAsBeforeUnlessALineAsksForANewVolume) {
  // 12 lines: 2 pages, within the 4 sheets of a volume.
  std::string text;
  for (int line = 1; line <= 12; ++line) text += "Linha " + std::to_string(line) + " do texto.\n";
  RelevixProgram whole(kBook + "DISPSAIDA=livro.brf\n");
  WriteFile(whole.File("livro.txt"), text);
  const RelevixRun one = whole.Run("livro.txt", kKeepAndPrint);
  ASSERT_EQ(one.status, 0) << one.output << one.Screen();
  EXPECT_FALSE(Exists(whole, "livro-1.brf"));
  EXPECT_EQ(one.RowOf("gravado em"), 0) << one.Screen();
  std::string expected;
  for (int line = 1; line <= 12; ++line) expected += BookLine(line) + "\r\n" + (line % kLinesPerPage == 0 ? "\f" : "");
  EXPECT_EQ(ReadFile(whole.File("livro.brf")), expected + "\f") << "no title page";

  // <V> after the sixth line: two volumes of one page each.
  RelevixProgram split(kBook + "DISPSAIDA=livro.brf\n");
  std::string forced;
  for (int line = 1; line <= 12; ++line) {
    forced += "Linha " + std::to_string(line) + " do texto.\n" + (line == 6 ? "<V>\n" : "");
  }
  WriteFile(split.File("livro.txt"), forced);
  const RelevixRun two = split.Run("livro.txt", kKeepAndPrint);
  ASSERT_EQ(two.status, 0) << two.output << two.Screen();
  EXPECT_FALSE(Exists(split, "livro.brf"));
  EXPECT_GT(two.RowOf("Volume 2 de 2 gravado em livro-2.brf"), 0) << two.Screen();
  const std::vector<std::vector<Page>> volumes = VolumeFiles(split, 2);
  for (int v = 0; v < 2; ++v) {
    SCOPED_TRACE(v + 1);
    ASSERT_EQ(volumes[v].size(), 2u) << "a title page and a page of text";
    Page body;
    for (int line = 6 * v + 1; line <= 6 * v + 6; ++line) body.push_back(BookLine(line));
    EXPECT_EQ(volumes[v][1], body);
    // The file's name, as it is written, is the title of a text that sets
    // none; no print pages.
    EXPECT_EQ(Said(volumes[v][0]),
              (std::vector<std::string>{"LIVRO", VolumeLine(v + 1, 2), BraillePagesLine(v + 1, v + 1)}));
  }
}

// LPT1 leads to a FIFO standing for the port: like a port it takes the
// bytes of every opening one after the other. The test holds it open, so
// the program's opening does not wait for a reader, and reads what came
// once the program has ended (the pipe holds far more than the book).
class RelevixVolumesOnAPort : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(program.File("livro.txt"), BookText());
    ASSERT_EQ(mkfifo(program.File("lpt1").c_str(), 0600), 0);
    port_ = open(program.File("lpt1").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(port_, 0);
  }
  void TearDown() override {
    if (port_ >= 0) close(port_);
  }
  std::string Printed() {
    std::string printed;
    char buffer[4096];
    for (ssize_t got; (got = read(port_, buffer, sizeof buffer)) > 0;) {
      printed.append(buffer, static_cast<std::size_t>(got));
    }
    return printed;
  }
  // The embosser's bytes are those of the shipped table: Braille ASCII.
  RelevixProgram program{kBook + "DISPSAIDA=LPT1\nLPT1=lpt1\n"};

 private:
  int port_ = -1;
};

TEST_F(RelevixVolumesOnAPort, EnterAtTheStopForPaperPrintsTheNextVolume) {
  const RelevixRun run = program.Run("livro.txt", kKeepAndPrint + kAtTheStop + "ENTER");
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  const int stop = run.RowOf("Volume 2 de 2. Coloque o papel e tecle ENTER");
  EXPECT_GT(stop, 0) << run.Screen();
  EXPECT_GT(run.RowOf("Fim de trabalho"), stop) << run.Screen();
  EXPECT_EQ(run.RowOf("Volume 1 de 2. Coloque"), 0) << "the first volume is printed at once";
  EXPECT_EQ(run.RowOf("gravado em"), 0);
  ASSERT_FALSE(run.heard.empty());
  EXPECT_EQ(run.heard.back(), "BRFIMTRA");
  const std::string printed = Printed();
  const std::vector<std::vector<Page>> volumes = VolumesOf(printed);
  ASSERT_EQ(volumes.size(), 2u) << printed;
  ExpectVolumes(volumes, 4, 1, 2, 1, 1);
  EXPECT_EQ(LastLineOf(volumes), kBookLines);
}

TEST_F(RelevixVolumesOnAPort, EscAtTheStopForPaperEndsTheJobAfterTheFirstVolume) {
  const RelevixRun run = program.Run("livro.txt", kKeepAndPrint + kAtTheStop + "ESC");
  EXPECT_EQ(run.status, 3) << run.output << run.Screen();
  const int stop = run.RowOf("Volume 2 de 2. Coloque o papel e tecle ENTER");
  EXPECT_GT(stop, 0) << run.Screen();
  const int incomplete = run.RowOf("Impress\xC3\xA3o incompleta: 1 de 2 volumes impressos");
  EXPECT_GT(incomplete, stop) << run.Screen();
  EXPECT_GT(run.RowOf("Impress\xC3\xA3o cancelada."), incomplete) << run.Screen();
  EXPECT_EQ(run.RowOf("Fim de trabalho"), 0) << run.Screen();
  EXPECT_TRUE(run.Heard("BRIMPCAN"));
  EXPECT_FALSE(run.Heard("BRFIMTRA"));
  const std::string printed = Printed();
  const std::vector<std::vector<Page>> volumes = VolumesOf(printed);
  ASSERT_EQ(volumes.size(), 1u) << printed;
  ExpectVolumes(volumes, 4, 1, 2, 1, 1);
  EXPECT_LT(LastLineOf(volumes), kBookLines);
}

TEST(RelevixVolumes, TheFormAsksTheSheetsOfAVolumeAndTheVolumeToPrint) {
  // No volumes in the settings: the form asks for them.
  RelevixProgram program(kSmallPages + "FOLHASPORVOLUME=0\nDISPSAIDA=livro.brf\n");
  WriteFile(program.File("livro.txt"), BookText());
  const std::string settingsBefore = ReadFile(program.SettingsFile());
  // Up from the last question (old Braille) to the sheets: 4 sheets a
  // volume, 2 volumes. Then down to the volume to print.
  const std::string sheets = kAfterGreeting + kIntoForm + "CTRL+DOWN UP UP \"4\" DOWN ";

  const RelevixRun alone = program.Run("livro.txt", sheets + "\"2\" ESC" + kConfirm);
  ASSERT_EQ(alone.status, 0) << alone.output << alone.Screen();
  EXPECT_GT(alone.RowOf("Folhas por volume (0: sem volumes) ?"), 0) << alone.Screen();
  EXPECT_GT(alone.RowOf("Volume a imprimir (0 para todos) ?"), alone.RowOf("Folhas por volume")) << alone.Screen();
  EXPECT_FALSE(Exists(program, "livro.brf"));
  EXPECT_FALSE(Exists(program, "livro-1.brf"));
  EXPECT_GT(alone.RowOf("Volume 2 de 2 gravado em livro-2.brf"), 0) << alone.Screen();
  EXPECT_EQ(alone.RowOf("Volume 1 de 2"), 0) << alone.Screen();
  EXPECT_TRUE(alone.Heard("BRFIMTRA"));
  // The second volume alone, to the end of the book: the first held the
  // lines before it on full pages, at most 3 of them.
  const std::vector<Page> second = PagesOf(ReadFile(program.File("livro-2.brf")));
  ASSERT_GE(second.size(), 2u);
  ASSERT_FALSE(second[1].empty());
  const int firstLine = LineNumberOf(second[1].front());
  EXPECT_GT(firstLine, 1);
  EXPECT_LE(firstLine, 3 * kLinesPerPage + 1);
  const int firstPage = (firstLine - 2) / kLinesPerPage + 2;
  ExpectVolumes({second}, 4, 2, 2, firstLine, firstPage);
  EXPECT_EQ(LastLineOf({second}), kBookLines);

  std::filesystem::remove(program.File("livro-2.brf"));
  const RelevixRun past = program.Run("livro.txt", sheets + "\"3\" ESC" + kConfirm);
  EXPECT_EQ(past.status, 5) << past.output << past.Screen();
  EXPECT_GT(past.RowOf("O livro tem 2 volumes; n\xC3\xA3o h\xC3\xA1 o volume 3. Nada foi impresso."), 0)
      << past.Screen();
  EXPECT_EQ(past.RowOf("Fim de trabalho"), 0) << past.Screen();
  EXPECT_FALSE(past.Heard("BRFIMTRA"));
  for (const char* name : {"livro.brf", "livro-1.brf", "livro-2.brf", "livro-3.brf"}) {
    EXPECT_FALSE(Exists(program, name)) << name;
  }
  // The answers hold for the run; the settings file keeps its own.
  EXPECT_EQ(past.settings, settingsBefore);
}

}  // namespace
