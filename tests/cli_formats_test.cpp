// relevix-cli print and preview with the Braille file formats: BRF, PEF and
// Unicode Braille chosen by option, setting or the output's name; the PEF
// checked by xmllint against the format's RELAX NG schema (taken from
// Debian's brailleutils) and the rules that schema leaves to Schematron, and
// by brailleutils' own validator; a PEF from elsewhere previewed and
// embossed, or refused with the reason.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::PathExists;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr const char* kSchemaJar = "/usr/share/java/brailleUtils-core.jar";
constexpr const char* kSchemaEntry = "org/daisy/braille/pef/resource-files/pef-2008-1-full.rng";

class CliFormatsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Pages of 12 cells by 3 rows, headers on the fronts, interpoint.
    WriteFile(work.File("SONARA.INI"),
              "[RELEVIX]\nDISPSAIDA=saida.brf\nCOLUNAS=12\nLINHAS=3\nTITULA=S\nAUTOFORMATA=N\nFRENTEVERSO=S\n");
    // Page 1 is full when the picture comes: in a Braille file it gets page
    // 2 of its own. Its cells: dots 2 3 6 and dots 2 3, then dot 1.
    WriteFile(work.File("desenho.txt"), "desenho\nx x\nxxx\nx\n");
    WriteFile(work.File("texto.txt"), "casa\nrio\n<G desenho.txt>\nponte\n");
  }

  CliResult Run(const std::string& arguments) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'", arguments);
  }

  // xmllint's answer on the file: the schema's verdict, then the count of
  // pages with more rows than the volume's rows and of rows longer than its
  // cols.
  std::string CheckPef(const std::string& name) {
    const std::string schema = work.File("pef.rng");
    const CliResult extract = RunShell("unzip -p " + std::string(kSchemaJar) + " " + kSchemaEntry + " > '" + schema + "'");
    EXPECT_EQ(extract.status, 0) << extract.output;
    const std::string file = "'" + work.File(name) + "'";
    const CliResult valid = RunShell("xmllint --noout --relaxng '" + schema + "' " + file);
    const std::string volume = "ancestor::*[local-name()='volume']";
    const CliResult tall = RunShell("xmllint --xpath \"count(//*[local-name()='page'][count(*[local-name()='row']) > " +
                                    volume + "/@rows])\" " + file, false);
    const CliResult wide = RunShell("xmllint --xpath \"count(//*[local-name()='row'][string-length(.) > " + volume +
                                    "/@cols])\" " + file, false);
    return std::to_string(valid.status) + " " + Trimmed(tall.output) + " " + Trimmed(wide.output);
  }

  static std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  // The rows of the PEF's pages as xmllint reads them, a line each, each
  // page ended by "|".
  std::string PefRows(const std::string& name) {
    const CliResult rows = RunShell(
        "for p in $(seq 1 $(xmllint --xpath \"count(//*[local-name()='page'])\" '" + work.File(name) +
            "')); do xmllint --xpath \"//*[local-name()='page'][$p]/*[local-name()='row']/text()\" '" +
            work.File(name) + "' 2>/dev/null; echo '|'; done",
        false);
    return rows.output;
  }

  TempDir work, windir;
};

const std::string kHeader3 = "\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u2800\u283C\u2809";

TEST_F(CliFormatsTest, EachFormatHoldsTheSamePagesWithThePictureAsCells) {
  // BRF by the output's name, pages 2 to 3: the picture's page and page 3
  // with its header (#C) and "ponte".
  ASSERT_EQ(Run("print --settings SONARA.INI --pages 2-3 texto.txt").status, 0);
  EXPECT_EQ(ReadFile(work.File("saida.brf")), "82\r\nA\r\n\f          #C\r\nPONTE\r\n\f");

  // Unicode Braille by the name .txt.
  const CliResult unicode = Run("print --settings SONARA.INI --pages 2-3 --device braille.txt texto.txt");
  ASSERT_EQ(unicode.status, 0) << unicode.output;
  EXPECT_EQ(ReadFile(work.File("braille.txt")),
            "\u2826\u2806\n\u2801\n\f" + kHeader3 + "\n\u280F\u2815\u281D\u281E\u2811\n");

  // PEF by the option, whatever the name.
  const CliResult pef = Run("print --settings SONARA.INI --pages 2-3 --format PEF --device livro.brl texto.txt");
  ASSERT_EQ(pef.status, 0) << pef.output;
  EXPECT_EQ(CheckPef("livro.brl"), "0 0 0");
  EXPECT_EQ(PefRows("livro.brl"), "\u2826\u2806\n\u2801\n|\n" + kHeader3 + "\n\u280F\u2815\u281D\u281E\u2811\n|\n");
  const std::string document = ReadFile(work.File("livro.brl"));
  EXPECT_NE(document.find("<dc:title>texto.txt</dc:title>"), std::string::npos) << document;
  EXPECT_NE(document.find("<volume cols=\"12\" rows=\"3\" rowgap=\"0\" duplex=\"true\">"), std::string::npos);

  // The embosser's bytes: the picture in graphic mode on page 1, after RIO,
  // and the page ended.
  ASSERT_EQ(Run("print --settings SONARA.INI --format bytes texto.txt").status, 0);
  const std::string bytes = ReadFile(work.File("saida.brf"));
  EXPECT_TRUE(bytes.starts_with("          #A\r\nCASA\r\nRIO\r\n\x1b" "682\r\nA\r\n\x1b]\r\n\r\n\f")) << bytes;
  EXPECT_TRUE(bytes.ends_with("PONTE\r\n\f")) << bytes;

  // The preview shows the cells the files hold.
  const CliResult preview = Run("preview --settings SONARA.INI --pages 2-3 texto.txt");
  ASSERT_EQ(preview.status, 0) << preview.output;
  EXPECT_EQ(preview.output,
            "--- p\xC3\xA1gina 1 ---\n"
            "--- desenho em modo gr\xC3\xA1" "fico (ESC 6) ---\n"
            "\u2826\u2806\n\u2801\n"
            "--- fim do desenho ---\n"
            "--- p\xC3\xA1gina 2 ---\n" + kHeader3 + "\n\u280F\u2815\u281D\u281E\u2811\n");
}

TEST_F(CliFormatsTest, TheSettingChoosesTheFormatAndAnUnknownOneIsSaidOrRefused) {
  WriteFile(work.File("outro.ini"), ReadFile(work.File("SONARA.INI")) + "FORMATO=unicode\n");
  ASSERT_EQ(Run("print --settings outro.ini --pages 3-3 texto.txt").status, 0);
  EXPECT_EQ(ReadFile(work.File("saida.brf")), kHeader3 + "\n\u280F\u2815\u281D\u281E\u2811\n");

  WriteFile(work.File("ruim.ini"), ReadFile(work.File("SONARA.INI")) + "FORMATO=docx\n");
  const CliResult said = Run("print --settings ruim.ini --pages 3-3 texto.txt");
  EXPECT_EQ(said.status, 0);
  EXPECT_NE(said.output.find("Formato de sa\xC3\xAD" "da desconhecido: docx"), std::string::npos) << said.output;
  EXPECT_EQ(ReadFile(work.File("saida.brf")), "          #C\r\nPONTE\r\n\f");

  const CliResult refused = Run("print --settings SONARA.INI --format docx --device nada.brf texto.txt");
  EXPECT_EQ(refused.status, 64);
  EXPECT_NE(refused.output.find("Formato de sa\xC3\xAD" "da desconhecido: docx"), std::string::npos);
  EXPECT_FALSE(PathExists(work.File("nada.brf")));
}

TEST_F(CliFormatsTest, ThePefOfTheSampleIsValidAndReadBackByPreviewAndPrint) {
  const std::string sample = std::string(RELEVIX_SOURCE_DIR) + "/data/exemplos/carta.txt";
  const CliResult made = RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
                                "print --settings '" + std::string(RELEVIX_SOURCE_DIR) +
                                    "/data/exemplos/SONARA.INI' --device carta.pef '" + sample + "'");
  ASSERT_EQ(made.status, 0) << made.output;
  EXPECT_EQ(CheckPef("carta.pef"), "0 0 0");
  // Debian's brailleutils reads it with its own validator (the schema and
  // the Schematron rules).
  const CliResult brailleutils = RunShell("java -cp " + std::string(kSchemaJar) + " '" + RELEVIX_SOURCE_DIR +
                                          "/tests/support/ValidatePef.java' '" + work.File("carta.pef") + "'");
  EXPECT_EQ(brailleutils.status, 0) << brailleutils.output;
  // Its pages in Unicode Braille, as the sample's own preview shows them.
  const CliResult fromText = RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
                                    "preview --settings '" + std::string(RELEVIX_SOURCE_DIR) + "/data/exemplos/SONARA.INI' '" +
                                        sample + "'",
                                    false);
  const CliResult fromPef = RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
                                   "preview --settings '" + std::string(RELEVIX_SOURCE_DIR) + "/data/exemplos/SONARA.INI' carta.pef",
                                   false);
  ASSERT_EQ(fromPef.status, 0) << fromPef.output;
  // The text's preview marks the picture; the PEF knows no pictures.
  std::string withoutMarks;
  for (std::size_t start = 0; start < fromText.output.size();) {
    const std::size_t end = fromText.output.find('\n', start);
    const std::string line = fromText.output.substr(start, end - start + 1);
    if (line.find("desenho") == std::string::npos) withoutMarks += line;
    start = end == std::string::npos ? fromText.output.size() : end + 1;
  }
  EXPECT_EQ(fromPef.output, withoutMarks);
}

TEST_F(CliFormatsTest, ABookInVolumesIsOnePefWithAVolumeElementForEach) {
  // <V> makes three volumes of a short text; each begins with its title
  // page, whose back is left blank (interpoint).
  WriteFile(work.File("partes.txt"), "um\n<V>\ndois\n<V>\ntr\xEAs\n");
  const CliResult made = Run("print --sheets-per-volume 10 --device partes.pef partes.txt");
  ASSERT_EQ(made.status, 0) << made.output;
  EXPECT_EQ(CheckPef("partes.pef"), "0 0 0");
  const CliResult brailleutils = RunShell("java -cp " + std::string(kSchemaJar) + " '" + RELEVIX_SOURCE_DIR +
                                          "/tests/support/ValidatePef.java' '" + work.File("partes.pef") + "'");
  EXPECT_EQ(brailleutils.status, 0) << brailleutils.output;
  const CliResult volumes =
      RunShell("xmllint --xpath \"count(//*[local-name()='volume'])\" '" + work.File("partes.pef") + "'", false);
  EXPECT_EQ(Trimmed(volumes.output), "3");
  // Volume 2: its title page ("volume 2 de 3" among its rows), the blank
  // back, then the page with "dois".
  const CliResult second = RunShell(
      "xmllint --xpath \"//*[local-name()='volume'][2]//*[local-name()='page']\" '" + work.File("partes.pef") + "'",
      false);
  // "volume 2" (the page is 12 cells wide: "de 3" goes on).
  const std::string volumeTwo = "\u2827\u2815\u2807\u2825\u280D\u2811\u2800\u283C\u2803";
  const std::size_t title = second.output.find(volumeTwo);
  EXPECT_NE(title, std::string::npos) << second.output;
  EXPECT_NE(second.output.find("<row>\u2819\u2815\u280A\u280E</row>", title), std::string::npos) << "dois";
  EXPECT_EQ(second.output.find("<row>\u2825\u280D</row>"), std::string::npos) << "\"um\" is in volume 1 only";
}

TEST_F(CliFormatsTest, APefIsEmbossedAsItIsWithEachSectionOnANewSheet) {
  // Two sections in a duplex volume: the first of one page, so a blank back
  // follows it; its page wider and longer than the settings' page.
  WriteFile(work.File("livro.pef"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<pef version=\"2008-1\" xmlns=\"http://www.daisy.org/ns/2008/pef\">"
            "<head><meta xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:format>application/x-pef+xml</dc:format>"
            "<dc:identifier>l</dc:identifier></meta></head><body>"
            "<volume cols=\"14\" rows=\"4\" rowgap=\"0\" duplex=\"true\">"
            "<section><page><row>\u2801\u2803</row><row/><row>\u2800\u283F</row><row>\u2809</row></page></section>"
            "<section><page><row>\u2819\u2811</row></page></section>"
            "</volume></body></pef>\n");
  const CliResult printed = Run("print --settings SONARA.INI --format bytes livro.pef");
  ASSERT_EQ(printed.status, 0) << printed.output;
  // ⠁⠃ is AB, ⠿ the full cell =, ⠉ C, ⠙⠑ DE.
  EXPECT_EQ(ReadFile(work.File("saida.brf")), "AB\r\n\r\n =\r\nC\r\n\f\r\n\fDE\r\n\f\r\n\f");
  EXPECT_NE(printed.output.find("maiores que as da configura\xC3\xA7\xC3\xA3o"), std::string::npos) << printed.output;
  EXPECT_NE(printed.output.find("14 caracteres por 4 linhas; configura\xC3\xA7\xC3\xA3o: 12 por 3"), std::string::npos);
  EXPECT_NE(printed.output.find("Fim de trabalho"), std::string::npos);

  // Through a BRF named by its extension, and into a PEF again.
  ASSERT_EQ(Run("print --settings SONARA.INI --device copia.brf livro.pef").status, 0);
  EXPECT_EQ(ReadFile(work.File("copia.brf")), "AB\r\n\r\n =\r\nC\r\n\f\r\n\fDE\r\n\f\r\n\f");
  ASSERT_EQ(Run("print --settings SONARA.INI --device copia.pef livro.pef").status, 0);
  EXPECT_EQ(CheckPef("copia.pef"), "0 0 0");
}

TEST_F(CliFormatsTest, AMalformedPefIsRefusedWithTheReasonAndNothingPrinted) {
  struct Case {
    const char* body;
    const char* reason;
  };
  const std::string head = "<?xml version=\"1.0\"?>\n<pef version=\"2008-1\" xmlns=\"http://www.daisy.org/ns/2008/pef\">"
                           "<head><meta/></head><body><volume cols=\"3\" rows=\"2\" rowgap=\"0\" duplex=\"false\">"
                           "<section><page>";
  const std::string tail = "</page></section></volume></body></pef>\n";
  const Case cases[] = {
      {"<row>\u2801\u2801\u2801\u2801</row>", "linha mais longa que cols (3) na p\xC3\xA1gina 1, linha 1"},
      {"<row>abc</row>", "caractere que n\xC3\xA3o \xC3\xA9 Braille na p\xC3\xA1gina 1, linha 1"},
      {"<row>\u28FF</row>", "c\xC3\xA9lula de oito pontos na p\xC3\xA1gina 1, linha 1"},
      {"<row>\u2801</row><row>", "XML malformado ou incompleto"},
  };
  for (const Case& c : cases) {
    WriteFile(work.File("ruim.pef"), head + c.body + tail);
    const CliResult result = Run("print --settings SONARA.INI ruim.pef");
    EXPECT_EQ(result.status, 4) << c.body;
    EXPECT_NE(result.output.find(std::string("PEF recusado, nada impresso: ") + c.reason), std::string::npos)
        << result.output;
    EXPECT_EQ(result.output.find("Fim de trabalho"), std::string::npos);
    EXPECT_FALSE(PathExists(work.File("saida.brf")));
  }
  WriteFile(work.File("outro.pef"), "<?xml version=\"1.0\"?>\n<pef version=\"2008-1\" xmlns=\"http://example.org/pef\"/>\n");
  const CliResult wrongNamespace = Run("preview --settings SONARA.INI outro.pef");
  EXPECT_EQ(wrongNamespace.status, 4);
  EXPECT_NE(wrongNamespace.output.find("espa\xC3\xA7o de nomes \"http://example.org/pef\""), std::string::npos)
      << wrongNamespace.output;
}

}  // namespace
