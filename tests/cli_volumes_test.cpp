// relevix-cli print and preview with books in volumes: a file per volume,
// one volume printed again byte for byte, a port given the volumes one after
// another, a text that fits printed as without volumes, and wrong answers
// said.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::PathExists;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class CliVolumesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Pages of 20 cells by 5 lines, headers on; volumes of 4 sheets, the
    // title page's among them.
    WriteFile(work.File("SONARA.INI"),
              "[RELEVIX]\nDISPSAIDA=livro.brf\nCOLUNAS=20\nLINHAS=5\nTITULA=S\nAUTOFORMATA=S\n"
              "FOLHASPORVOLUME=4\nLPT1=porta.bin\n");
    // Forty short paragraphs: about twenty pages, six volumes or so.
    std::string text = "<TContos>\n";
    for (int paragraph = 1; paragraph <= 40; ++paragraph) {
      text += "  Conto " + std::to_string(paragraph) + " em poucas palavras.\n";
    }
    WriteFile(work.File("contos.txt"), text);
  }

  CliResult Run(const std::string& arguments) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'", arguments);
  }

  // How many volume files livro-K.brf there are.
  int VolumeFiles(const std::string& extension = ".brf") const {
    int count = 0;
    while (PathExists(work.File("livro-" + std::to_string(count + 1) + extension))) ++count;
    return count;
  }

  TempDir work, windir;
};

TEST_F(CliVolumesTest, AFileForEachVolumeAndOneVolumeAgainByteForByte) {
  const CliResult run = Run("print contos.txt");
  ASSERT_EQ(run.status, 0) << run.output;
  const int volumes = VolumeFiles();
  ASSERT_GE(volumes, 3) << run.output;
  EXPECT_FALSE(PathExists(work.File("livro.brf"))) << "the name given stays free";
  const std::string total = std::to_string(volumes);
  for (int volume = 1; volume <= volumes; ++volume) {
    const std::string name = "livro-" + std::to_string(volume) + ".brf";
    EXPECT_NE(run.output.find("Volume " + std::to_string(volume) + " de " + total + " gravado em " + name),
              std::string::npos)
        << run.output;
    // Each file a volume: its title page, then at most three pages of text
    // (a BRF ends each page with a form feed).
    const std::string brf = ReadFile(work.File(name));
    const int pages = static_cast<int>(std::count(brf.begin(), brf.end(), '\f'));
    EXPECT_GE(pages, 2) << name;
    EXPECT_LE(pages, 4) << name;
    // "volume K de N" in Braille ASCII: the number sign and digits as the
    // letters a to j.
    const std::string digits = "JABCDEFGHI";
    EXPECT_NE(brf.find(std::string("VOLUME #") + digits[volume % 10] + " DE #" + digits[volumes % 10]),
              std::string::npos)
        << brf;
  }
  EXPECT_NE(run.output.find("Fim de trabalho"), std::string::npos);

  // A jammed volume 2: embossed again alone, the same bytes, nothing else
  // written.
  const std::string second = ReadFile(work.File("livro-2.brf"));
  std::remove(work.File("livro-1.brf").c_str());
  std::remove(work.File("livro-2.brf").c_str());
  const CliResult again = Run("print --volume 2 contos.txt");
  ASSERT_EQ(again.status, 0) << again.output;
  EXPECT_EQ(ReadFile(work.File("livro-2.brf")), second);
  EXPECT_FALSE(PathExists(work.File("livro-1.brf")));

  // A volume the book does not have: said, nothing written.
  std::remove(work.File("livro-2.brf").c_str());
  const CliResult missing = Run("print --volume 99 contos.txt");
  EXPECT_EQ(missing.status, 5) << missing.output;
  EXPECT_NE(missing.output.find("O livro tem " + total + " volumes; não há o volume 99. Nada foi impresso."),
            std::string::npos)
      << missing.output;
  EXPECT_EQ(missing.output.find("Fim de trabalho"), std::string::npos);
  EXPECT_FALSE(PathExists(work.File("livro-2.brf")));
}

TEST_F(CliVolumesTest, APageRangeCountsTheBooksPagesAndKeepsTheirVolumesTitlePages) {
  // Volumes of 4 sheets hold 3 pages of text: pages 2 and 3 are in volume 1.
  const CliResult run = Run("print --pages 2-3 contos.txt");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_EQ(VolumeFiles(), 1) << run.output;
  const std::string brf = ReadFile(work.File("livro-1.brf"));
  EXPECT_EQ(std::count(brf.begin(), brf.end(), '\f'), 3) << "the title page and two pages of text";
  EXPECT_NE(brf.find("VOLUME #A DE #"), std::string::npos);
  // The headers of Braille pages 2 and 3, numbered at the right edge.
  const std::size_t second = brf.find("#B\r\n");
  ASSERT_NE(second, std::string::npos) << brf;
  EXPECT_NE(brf.find("#C\r\n", second), std::string::npos) << brf;
  EXPECT_EQ(brf.find(".CONTO #A EM"), std::string::npos) << "page 1 is not embossed";
}

TEST_F(CliVolumesTest, APortGetsTheVolumesOneAfterAnother) {
  // The embosser's bytes, as a port receives them, to files first.
  ASSERT_EQ(Run("print --format bytes contos.txt").status, 0);
  std::string volumes;
  for (int volume = 1; volume <= VolumeFiles(); ++volume) {
    volumes += ReadFile(work.File("livro-" + std::to_string(volume) + ".brf"));
  }
  ASSERT_FALSE(volumes.empty());
  // No one at a terminal to put paper in: the volumes follow each other.
  // (A port is never created: the file that stands for it is there.)
  WriteFile(work.File("porta.bin"), "");
  const CliResult port = Run("print --device LPT1 contos.txt");
  ASSERT_EQ(port.status, 0) << port.output;
  EXPECT_EQ(ReadFile(work.File("porta.bin")), volumes);
}

TEST_F(CliVolumesTest, ATextThatFitsIsPrintedInTheFileNamedAsWithoutVolumes) {
  WriteFile(work.File("curto.txt"), "<TBilhete>\n  Volto logo.\n");
  ASSERT_EQ(Run("print --sheets-per-volume 0 --device sem.brf curto.txt").status, 0);
  const CliResult fits = Run("print curto.txt");
  ASSERT_EQ(fits.status, 0) << fits.output;
  EXPECT_EQ(ReadFile(work.File("livro.brf")), ReadFile(work.File("sem.brf")));
  EXPECT_EQ(VolumeFiles(), 0);
}

TEST_F(CliVolumesTest, PreviewMarksWhereEachVolumeBegins) {
  const CliResult preview = Run("preview --sheets-per-volume 6 contos.txt");
  ASSERT_EQ(preview.status, 0) << preview.output;
  EXPECT_EQ(preview.output.find("=== volume 1 de "), preview.output.find("==="));
  EXPECT_NE(preview.output.find("=== volume 2 de "), std::string::npos);
  // The title page comes right after the mark: "volume 1" in Unicode Braille.
  const std::size_t mark = preview.output.find("=== volume 1 de ");
  EXPECT_NE(preview.output.find("\u2827\u2815\u2807\u2825\u280D\u2811\u2800\u283C\u2801", mark), std::string::npos);
  // Only the volume asked for.
  const CliResult second = Run("preview --volume 2 contos.txt");
  ASSERT_EQ(second.status, 0) << second.output;
  EXPECT_EQ(second.output.find("=== volume 1 de "), std::string::npos);
  EXPECT_NE(second.output.find("=== volume 2 de "), std::string::npos);
}

TEST_F(CliVolumesTest, AVolumeOfOneSheetIsTakenAsTwoTheTitlePageAndAPage) {
  const CliResult run = Run("print --sheets-per-volume 1 contos.txt");
  ASSERT_EQ(run.status, 0) << run.output;
  ASSERT_GT(VolumeFiles(), 3);
  for (int volume = 1; volume <= VolumeFiles(); ++volume) {
    const std::string brf = ReadFile(work.File("livro-" + std::to_string(volume) + ".brf"));
    EXPECT_EQ(std::count(brf.begin(), brf.end(), '\f'), 2) << volume;
  }
}

TEST_F(CliVolumesTest, WrongVolumeAnswersAreRefusedWithTheirUsage) {
  for (const char* wrong : {"--sheets-per-volume -2", "--sheets-per-volume muitas", "--volume -1", "--volume"}) {
    const CliResult run = Run(std::string("print ") + wrong + " contos.txt");
    EXPECT_EQ(run.status, 64) << wrong << "\n" << run.output;
    EXPECT_NE(run.output.find("Uso: relevix-cli print"), std::string::npos) << wrong;
    EXPECT_EQ(VolumeFiles(), 0);
  }
}

}  // namespace
