// Documents as a user hands them over: made here by Debian's tools (pandoc,
// Ghostscript, img2pdf), converted, previewed and printed by relevix-cli and
// the talking program; what is no text is refused before the device opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/cli_run.h"
#include "tests/relevix_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr int kNotText = 6;

class DocumentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(work.File("SONARA.INI"), "[RELEVIX]\nDISPSAIDA=saida.brf\nCOLUNAS=32\nLINHAS=10\nTITULA=S\n");
    WriteFile(work.File("carta.md"),
              "---\ntitle: Carta\n---\n\n# A cidade\n\nEra uma vez uma cidade pequena, à beira de um rio largo "
              "e manso, que se chamava Águas Claras.\n\n- pão de queijo\n- mandioca\n");
  }

  void Make(const std::string& command) {
    const CliResult made = RunShell("cd '" + work.path() + "' && " + command);
    ASSERT_EQ(made.status, 0) << command << "\n" << made.output;
  }

  CliResult Run(const std::string& arguments, bool mergeStderr = true) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'", arguments, mergeStderr);
  }

  TempDir work, windir;
};

TEST_F(DocumentsTest, AWordDocumentPrintsExactlyAsItsConvertedText) {
  Make("pandoc -s carta.md -o carta.docx");
  const CliResult converted = Run("convert --settings SONARA.INI carta.docx", false);
  ASSERT_EQ(converted.status, 0) << converted.output;
  EXPECT_EQ(converted.output,
            "<F+>\n<TCarta>\n          A cidade\n Era uma vez uma cidade pequena, à beira de um rio largo e manso, que "
            "se chamava Águas Claras.\n<R+>\n\u2022 pão de queijo\n\u2022 mandioca\n<R->\n");
  // The converted text, saved and printed as a typed text, gives the same
  // Braille as the document: the layout is decided once, by the job.
  WriteFile(work.File("carta.txt"), converted.output);
  ASSERT_EQ(Run("print --settings SONARA.INI --device texto.brf carta.txt").status, 0);
  const CliResult printed = Run("print --settings SONARA.INI carta.docx");
  ASSERT_EQ(printed.status, 0) << printed.output;
  EXPECT_NE(printed.output.find("Fim de trabalho"), std::string::npos);
  EXPECT_EQ(ReadFile(work.File("saida.brf")), ReadFile(work.File("texto.brf")));
  // Braille ASCII: the heading centred on the first body line ("A cidade"
  // with the capital sign '.'), the list items on lines of their own.
  const std::string braille = ReadFile(work.File("saida.brf"));
  EXPECT_NE(braille.find("           .A CIDADE\r\n"), std::string::npos) << braille;
  const CliResult preview = Run("preview --settings SONARA.INI carta.docx");
  EXPECT_EQ(preview.status, 0) << preview.output;
}

TEST_F(DocumentsTest, APdfIsPrintedWithItsPageNumbers) {
  WriteFile(work.File("livro.txt"), "Primeira p\xe1gina.\n\fSegunda p\xe1gina.\n");
  Make("gs -q -dNOSAFER -dBATCH -sDEVICE=pdfwrite -o livro.pdf -- "
       "\"$(ls /usr/share/ghostscript/*/lib/gslp.ps | head -n 1)\" -B livro.txt");
  const CliResult converted = Run("convert livro.pdf", false);
  ASSERT_EQ(converted.status, 0) << converted.output;
  EXPECT_EQ(converted.output, "<F+>\n<1>\n Primeira página.\n<2>\n Segunda página.\n");
}

TEST_F(DocumentsTest, WhatIsNoTextIsRefusedBeforeTheDeviceOpens) {
  Make("gs -q -sDEVICE=pnggray -r72 -g16x16 -o foto.png -c showpage && img2pdf foto.png -o digitalizado.pdf");
  const struct {
    const char* name;
    const char* said;
  } refused[] = {
      {"foto.png", "Este arquivo n\xC3\xA3o \xC3\xA9 um texto que eu saiba imprimir: foto.png (imagem PNG)"},
      {"digitalizado.pdf", "O PDF n\xC3\xA3o tem texto (imagem digitalizada): digitalizado.pdf"},
  };
  for (const auto& [name, said] : refused) {
    const CliResult result = Run(std::string("print --settings SONARA.INI ") + name);
    EXPECT_EQ(result.status, kNotText) << name << "\n" << result.output;
    EXPECT_NE(result.output.find(said), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Fim de"), std::string::npos) << result.output;
    EXPECT_FALSE(std::filesystem::exists(work.File("saida.brf"))) << "the device was opened for " << name;
    EXPECT_EQ(Run(std::string("convert ") + name).status, kNotText);
  }
  // A missing converter names the package to install.
  Make("pandoc -s carta.md -o carta.odt");
  const CliResult noPandoc = RunCli(work.path(), "PATH=/nonexistent", "print --settings SONARA.INI carta.odt");
  EXPECT_EQ(noPandoc.status, kNotText);
  EXPECT_NE(noPandoc.output.find("instale o pacote pandoc"), std::string::npos) << noPandoc.output;
}

TEST_F(DocumentsTest, ThreeHundredPageWordDocument) {
  // 300 chapters of some 330 words: about 300 printed pages.
  std::string book = "---\ntitle: Livro longo\n---\n\n";
  for (int chapter = 1; chapter <= 300; ++chapter) {
    book += "# Cap\xC3\xADtulo " + std::to_string(chapter) + "\n\n";
    for (int paragraph = 0; paragraph < 6; ++paragraph) {
      for (int word = 0; word < 55; ++word) book += "palavra" + std::to_string(chapter) + "x" + std::to_string(word) + " ";
      book += "\n\n";
    }
  }
  WriteFile(work.File("livro.md"), book);
  Make("pandoc -s livro.md -o livro.docx");
  const CliResult converted = Run("convert livro.docx", false);
  ASSERT_EQ(converted.status, 0);
  // Words of every part, in order (lines joined as the reformatting joins them).
  std::string text = converted.output;
  std::ranges::replace(text, '\n', ' ');
  std::size_t at = 0;
  for (int chapter = 1; chapter <= 300; chapter += 37) {
    for (int word = 0; word < 54; word += 9) {
      const std::string wanted = "palavra" + std::to_string(chapter) + "x" + std::to_string(word) + " ";
      at = text.find(wanted, at);
      ASSERT_NE(at, std::string::npos) << wanted;
    }
  }
  const CliResult printed = Run("print --settings SONARA.INI livro.docx");
  ASSERT_EQ(printed.status, 0) << printed.output;
  EXPECT_NE(ReadFile(work.File("saida.brf")).find("#CJJ"), std::string::npos) << "a page numbered 300";
}

TEST(DocumentsProgram, TheFormatIsSaidAfterTheFileName) {
  RelevixProgram program;
  WriteFile(program.File("carta.md"), "# Carta\n\nUm texto.\n");
  ASSERT_EQ(RunShell("cd '" + program.Folder() + "' && pandoc -s carta.md -o carta.docx").status, 0);
  const RelevixRun run = program.Run("carta.docx", "WAIT 2500 ENTER WAIT 500 ENTER");
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_EQ(run.screen.at(2), "carta.docx") << run.Screen();
  EXPECT_EQ(run.screen.at(3), "documento do Word") << run.Screen();
  EXPECT_GT(run.RowOf("Fim de trabalho"), 4);
  // A PDF is said with its number of pages.
  WriteFile(program.File("livro.txt"), "Um.\n\fDois.\n");
  ASSERT_EQ(RunShell("cd '" + program.Folder() + "' && gs -q -dNOSAFER -dBATCH -sDEVICE=pdfwrite -o livro.pdf -- "
                     "\"$(ls /usr/share/ghostscript/*/lib/gslp.ps | head -n 1)\" -B livro.txt")
                .status,
            0);
  const RelevixRun pdf = program.Run("livro.pdf", "WAIT 2500 ENTER WAIT 500 ENTER");
  ASSERT_EQ(pdf.status, 0) << pdf.output << pdf.Screen();
  EXPECT_EQ(pdf.screen.at(3), "PDF, 2 p\xC3\xA1ginas") << pdf.Screen();
  // A picture is refused before any question, and nothing is printed.
  ASSERT_EQ(RunShell("cd '" + program.Folder() + "' && gs -q -sDEVICE=pnggray -r72 -g16x16 -o foto.png -c showpage").status,
            0);
  std::filesystem::remove(program.File("saida.brf"));
  const RelevixRun refused = program.Run("foto.png", "WAIT 2500 ENTER WAIT 500 ENTER");
  EXPECT_EQ(refused.status, 6) << refused.output << refused.Screen();
  EXPECT_EQ(refused.screen.at(3),
            "Este arquivo n\xC3\xA3o \xC3\xA9 um texto que eu saiba imprimir: foto.png (imagem PNG)")
      << refused.Screen();
  EXPECT_EQ(refused.RowOf("Assumo valores padr\xC3\xA3o"), 0) << refused.Screen();
  EXPECT_EQ(refused.RowOf("Fim de trabalho"), 0) << refused.Screen();
  EXPECT_TRUE(refused.printed.empty());
}

}  // namespace
