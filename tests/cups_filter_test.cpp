// relevix-cups run as the print server runs it: arguments job-id user title
// copies options [file], the queue's PPD in the environment, the Braille on
// standard output and the server's message lines on standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

const std::string kFilter = RELEVIX_FILTER;

class CupsFilterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(text_, "<TAviso>\nA biblioteca abre às 8h.\n\nTraga o cartão de leitor.\n");
  }

  // What relevix-cli print writes for the text with the build's settings
  // file, changed by sed expression edit, and the extra arguments.
  std::string Printed(const std::string& edit, const std::string& arguments) {
    const std::string settings = work_.File("ajustes.ini");
    RunShell("sed '" + edit + "' '" RELEVIX_BINARY_DIR "/data/SONARA.INI' > '" + settings + "'");
    const CliResult printed = RunCli(work_.path(), "", "print --settings '" + settings + "' --device '" +
                                                           work_.File("esperado.bin") + "' " + arguments + " '" +
                                                           text_ + "'");
    EXPECT_EQ(printed.status, 0) << printed.output;
    return ReadFile(work_.File("esperado.bin"));
  }

  TempDir work_;
  const std::string text_ = work_.File("aviso.txt");
};

TEST_F(CupsFilterTest, TheDocumentComesAsAFileOrOnStandardInputWithThePpdsDefaults) {
  const std::string expected = Printed("s/x/x/", "");
  CliResult named = RunShell("'" + kFilter + "' 12 ana aviso 1 '' '" + text_ + "' 2>/dev/null", false);
  EXPECT_EQ(named.status, 0);
  EXPECT_EQ(named.output, expected);
  CliResult piped = RunShell("('" + kFilter + "' 12 ana aviso 1 '' < '" + text_ + "') 2>/dev/null", false);
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.output, expected);
  // The server hears how many pages were embossed, and that the job ended.
  const CliResult messages = RunShell("'" + kFilter + "' 12 ana aviso 2 '' '" + text_ + "' 2>&1 >/dev/null", false);
  EXPECT_NE(messages.output.find("PAGE: total 2\n"), std::string::npos) << messages.output;
  EXPECT_NE(messages.output.find("INFO: Fim de trabalho\n"), std::string::npos) << messages.output;

  // The queue's PPD gives the defaults the job does not choose; the job's
  // options win over them.
  const std::string ppd = work_.File("fila.ppd");
  const CliResult made = RunCli(work_.path(), "", "ppd --settings '" RELEVIX_BINARY_DIR "/data/SONARA.INI' > '" + ppd + "'");
  ASSERT_EQ(made.status, 0);
  RunShell("sed -i 's/^\\*DefaultCOLUNAS: .*/*DefaultCOLUNAS: 22/; s/^\\*DefaultTITULA: .*/*DefaultTITULA: N/' '" +
           ppd + "'");
  const CliResult narrow = RunShell("PPD='" + ppd + "' '" + kFilter + "' 12 ana aviso 1 'TITULA=S' '" + text_ +
                                        "' 2>/dev/null",
                                    false);
  EXPECT_EQ(narrow.status, 0);
  EXPECT_EQ(narrow.output, Printed("s/^COLUNAS=.*/COLUNAS=22/; s/^TITULA=.*/TITULA=S/", ""));
}

TEST_F(CupsFilterTest, ABookInVolumesComesOutVolumeAfterVolumeEachAfterItsTitlePage) {
  std::string book = "<TContos>\n";
  for (int tale = 1; tale <= 30; ++tale) book += "  Conto " + std::to_string(tale) + ", curto e bom.\n";
  WriteFile(text_, book);
  // relevix-cli writes a file for each volume; the queue's job holds them
  // one after another, as a port gets them.
  Printed("s/^COLUNAS=.*/COLUNAS=20/; s/^LINHAS=.*/LINHAS=10/; s/^TITULA=.*/TITULA=S/",
          "--format bytes --sheets-per-volume 3");
  std::string volumes;
  int count = 0;
  while (testing_support::PathExists(work_.File("esperado-" + std::to_string(count + 1) + ".bin"))) {
    volumes += ReadFile(work_.File("esperado-" + std::to_string(++count) + ".bin"));
  }
  ASSERT_GE(count, 3);
  const CliResult job = RunShell("'" + kFilter + "' 12 ana contos 1 'COLUNAS=20 LINHAS=10 TITULA=S FOLHASPORVOLUME=3' '" +
                                     text_ + "' 2>/dev/null",
                                 false);
  EXPECT_EQ(job.status, 0);
  EXPECT_EQ(job.output, volumes);
  // Every volume's title page among the pages the server counts.
  const int formFeeds = static_cast<int>(std::count(volumes.begin(), volumes.end(), '\f'));
  const CliResult messages = RunShell("'" + kFilter + "' 12 ana contos 1 'COLUNAS=20 LINHAS=10 TITULA=S "
                                      "FOLHASPORVOLUME=3' '" + text_ + "' 2>&1 >/dev/null",
                                      false);
  EXPECT_NE(messages.output.find("PAGE: total " + std::to_string(formFeeds) + "\n"), std::string::npos)
      << messages.output;
}

// The number of pages the filter told the print server of.
int PagesTold(const std::string& messages) {
  static const std::regex total("PAGE: total (\\d+)\n");
  std::smatch match;
  return std::regex_search(messages, match, total) ? std::stoi(match[1]) : -1;
}

// The embosser's pages in its bytes: a form feed ends each, and a blank back
// is a line end and a form feed after the page it completes.
int PagesIn(const std::string& bytes) {
  int pages = 0;
  for (std::size_t at = bytes.find('\f'); at != std::string::npos; at = bytes.find('\f', at + 1)) {
    pages += bytes.compare(at - std::min<std::size_t>(at, 3), 3, "\f\r\n") != 0;
  }
  return pages;
}

TEST_F(CupsFilterTest, ThePagesOfAPefInThePageRangeAreTheOnesTold) {
  // A duplex volume whose first section has one page: its blank back is
  // page 2, and the second section's pages are 3 and 4.
  WriteFile(work_.File("livro.pef"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<pef version=\"2008-1\" xmlns=\"http://www.daisy.org/ns/2008/pef\">"
            "<head><meta xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:format>application/x-pef+xml</dc:format>"
            "<dc:identifier>l</dc:identifier></meta></head><body>"
            "<volume cols=\"12\" rows=\"3\" rowgap=\"0\" duplex=\"true\">"
            "<section><page><row>\u2801\u2803</row></page></section>"
            "<section><page><row>\u2819\u2811</row></page><page><row>\u2809</row></page></section>"
            "</volume></body></pef>\n");
  const std::string run = "'" + kFilter + "' 12 ana livro 1 'page-ranges=3-4' '" + work_.File("livro.pef") + "'";
  const CliResult job = RunShell(run + " 2>/dev/null", false);
  EXPECT_EQ(job.status, 0);
  EXPECT_EQ(job.output, "DE\r\n\fC\r\n\f");
  const CliResult messages = RunShell(run + " 2>&1 >/dev/null", false);
  EXPECT_EQ(PagesTold(messages.output), 2) << messages.output;
}

TEST_F(CupsFilterTest, TheBlankBacksOfABookInVolumesAreNotAmongThePagesTold) {
  std::string book = "<TContos>\n";
  for (int tale = 1; tale <= 30; ++tale) book += "  Conto " + std::to_string(tale) + ", curto e bom.\n";
  WriteFile(text_, book);
  // In volumes, and as one text: each counts its pages alike.
  for (const char* volumes : {" FOLHASPORVOLUME=2", ""}) {
    const std::string run = "'" + kFilter + "' 12 ana contos 1 'COLUNAS=20 LINHAS=10 TITULA=S FRENTEVERSO=S" +
                            volumes + "' '" + text_ + "'";
    const CliResult job = RunShell(run + " 2>/dev/null", false);
    EXPECT_EQ(job.status, 0);
    // Blank backs follow each volume's title page and a last page on a front.
    EXPECT_NE(job.output.find("\f\r\n\f"), std::string::npos) << volumes;
    const CliResult messages = RunShell(run + " 2>&1 >/dev/null", false);
    EXPECT_EQ(PagesTold(messages.output), PagesIn(job.output)) << volumes << messages.output;
  }
}

TEST_F(CupsFilterTest, AMarkdownTextIsToldByTheNameTheJobGaveIt) {
  // The server's copy of the document has a name of its own.
  WriteFile(work_.File("d00007-001"), "---\ntitle: Aviso\n---\n\n# Biblioteca\n\n- abre às 8h\n- fecha às 18h\n");
  WriteFile(work_.File("aviso.md"), ReadFile(work_.File("d00007-001")));
  const std::string run = "'" + kFilter + "' 7 ana aviso 1 ";
  const CliResult named = RunShell(run + "'document-name-supplied=aviso.md' '" + work_.File("d00007-001") +
                                       "' 2>/dev/null",
                                   false);
  EXPECT_EQ(named.status, 0);
  const CliResult printed = RunCli(work_.path(), "", "print --settings '" RELEVIX_BINARY_DIR "/data/SONARA.INI' "
                                                     "--format bytes --device '" + work_.File("md.bin") + "' '" +
                                                         work_.File("aviso.md") + "'");
  ASSERT_EQ(printed.status, 0) << printed.output;
  EXPECT_EQ(named.output, ReadFile(work_.File("md.bin")));
  // Without the name it is the plain text it is: its marks are embossed.
  const CliResult plain = RunShell(run + "'' '" + work_.File("d00007-001") + "' 2>/dev/null", false);
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.output, named.output);
}

TEST_F(CupsFilterTest, AJobThatCannotBeDoneWholeFailsWithItsReasonAndWritesNothing) {
  // Called without the server's arguments.
  CliResult usage = RunShell("'" + kFilter + "' 12 ana", true);
  EXPECT_EQ(usage.status, 1);
  EXPECT_NE(usage.output.find("ERROR: Uso: relevix-cups trabalho usu\xC3\xA1rio t\xC3\xADtulo c\xC3\xB3pias op\xC3\xA7\xC3\xB5" "es [arquivo]"),
            std::string::npos)
      << usage.output;

  // A document that is not there, and an empty one.
  CliResult missing = RunShell("'" + kFilter + "' 12 ana aviso 1 '' '" + work_.File("nada.txt") + "' 2>&1", false);
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.output.starts_with("ERROR: ")) << missing.output;
  WriteFile(work_.File("vazio.txt"), "");
  CliResult empty = RunShell("'" + kFilter + "' 12 ana aviso 1 '' '" + work_.File("vazio.txt") + "' 2>&1", false);
  EXPECT_EQ(empty.status, 1);
  EXPECT_EQ(empty.output, "ERROR: O arquivo est\xC3\xA1 vazio\n");

  // Standard output closed: the Braille cannot be handed on, which is said.
  CliResult closed = RunShell("'" + kFilter + "' 12 ana aviso 1 '' '" + text_ + "' 2>&1 >&-", false);
  EXPECT_EQ(closed.status, 1);
  EXPECT_NE(closed.output.find("ERROR: N\xC3\xA3o consegui entregar o Braille \xC3\xA0 impressora"), std::string::npos)
      << closed.output;
  EXPECT_EQ(closed.output.find("Fim de trabalho"), std::string::npos) << closed.output;
}

}  // namespace
