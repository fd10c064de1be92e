// Documents made here by Debian's tools (pandoc, Ghostscript, img2pdf, zip)
// from one Markdown text, converted as the print job will read them.
#include "documents/document_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

constexpr const char* kLetter =
    "---\n"
    "title: Carta ao Rio\n"
    "---\n\n"
    "# A cidade\n\n"
    "Era uma vez uma cidade à beira do rio.[^1]\n\n"
    "- pão de queijo\n"
    "- mandioca\n"
    "    - cozida\n\n"
    "3. primeiro\n"
    "4. segundo\n\n"
    "> Um texto impresso em Braille é lido com os dedos.\n\n"
    "| Nome | Idade |\n"
    "|------|-------|\n"
    "| Luísa | 9 |\n\n"
    "![Um gato no telhado](gato.png)\n\n"
    "```{=openxml}\n<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>\n```\n\n"
    "\\newpage\n\n"
    "Depois da página.\n\n"
    "[^1]: Águas Claras.\n";

class DocumentTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir.File("carta.md"), kLetter);
    // A small grey picture for the documents that embed it.
    Run("gs -q -sDEVICE=pnggray -r72 -g16x16 -o gato.png -c showpage");
  }

  void Run(const std::string& command) {
    const std::string line = "cd '" + dir.path() + "' && " + command + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(line.c_str()), 0) << command;
  }

  DocumentText Convert(const std::string& name) { return ConvertDocument(dir.File(name)); }

  TempDir dir;
};

// The lines are in the text, whole and in this order.
void ExpectLines(const std::string& converted, const std::vector<std::string>& lines) {
  const std::string text = "\n" + converted;
  std::size_t from = 0;
  for (const std::string& line : lines) {
    const std::size_t at = text.find("\n" + line + "\n", from);
    ASSERT_NE(at, std::string::npos) << "missing, or out of order: [" << line << "] in\n" << text;
    from = at + line.size() + 1;
  }
}

TEST_F(DocumentTextTest, WordDocumentKeepsItsStructure) {
  Run("pandoc -s carta.md -o carta.docx");
  const DocumentText document = Convert("carta.docx");
  ASSERT_EQ(document.result, ConversionResult::Converted) << document.problem;
  EXPECT_EQ(document.recognition.format, DocumentFormat::Word);
  ExpectLines(document.text, {
                                 "<F+>",
                                 "<TCarta ao Rio>",
                                 "          A cidade",
                                 " Era uma vez uma cidade à beira do rio. (nota 1)",
                                 " Nota 1: Águas Claras.",
                                 "<R+>",
                                 "\u2022 pão de queijo",
                                 "\u2022 mandioca",
                                 "<M  >",
                                 "\u2022 cozida",
                                 "<M>",
                                 "<R->",
                                 "<R+>",
                                 " 3. primeiro",
                                 " 4. segundo",
                                 "<R->",
                                 "<M  >",
                                 " Um texto impresso em Braille é lido com os dedos.",
                                 "<M>",
                                 "<R+>",
                                 " Nome; Idade",
                                 " Luísa; 9",
                                 "<R->",
                                 " imagem: Um gato no telhado",
                                 "<P>",
                                 " Depois da página.",
                             });
}

TEST_F(DocumentTextTest, MarkdownHtmlOpenDocumentEpubAndRtf) {
  Run("pandoc -s carta.md -o carta.html && pandoc -s carta.md -o carta.odt && pandoc -s carta.md -o carta.epub && "
      "pandoc -s carta.md -o carta.rtf");
  // Markdown keeps its page break; the others their title, heading and text.
  const DocumentText markdown = Convert("carta.md");
  ASSERT_EQ(markdown.result, ConversionResult::Converted) << markdown.problem;
  EXPECT_EQ(markdown.recognition.format, DocumentFormat::Markdown);
  ExpectLines(markdown.text, {"<TCarta ao Rio>", "          A cidade", "<P>", " Depois da página."});
  // pandoc 2.17 leaves out the header row of an OpenDocument table, and
  // reads the accented letters of its own RTF wrongly.
  const struct {
    const char* name;
    DocumentFormat format;
    std::vector<std::string> lines;
  } documents[] = {
      {"carta.html", DocumentFormat::Html, {"          A cidade", " Nome; Idade", " Luísa; 9", " Depois da página."}},
      {"carta.odt", DocumentFormat::OpenDocument, {"          A cidade", " Luísa; 9", " Depois da página."}},
      {"carta.epub", DocumentFormat::Epub, {"          A cidade", " Nome; Idade", " Luísa; 9", " Depois da página."}},
      {"carta.rtf", DocumentFormat::Rtf, {"          A cidade", " 3. primeiro", " Nome; Idade"}},
  };
  for (const auto& [name, format, lines] : documents) {
    const DocumentText document = Convert(name);
    ASSERT_EQ(document.result, ConversionResult::Converted) << name << ": " << document.problem;
    EXPECT_EQ(document.recognition.format, format) << name;
    ExpectLines(document.text, lines);
  }
  // A page break written in the page's style.
  WriteFile(dir.File("quebra.html"),
            "<!DOCTYPE html>\n<html><head><title>Duas</title></head><body><p>Um.</p>"
            "<div style=\"page-break-before: always\"><p>Dois.</p></div></body></html>\n");
  ExpectLines(Convert("quebra.html").text, {"<TDuas>", " Um.", "<P>", " Dois."});
}

TEST_F(DocumentTextTest, PdfPagesInOrderWithTheirNumbersAndWordsJoined) {
  // Latin-1 text, as Ghostscript's text printer reads it; a form feed ends
  // the first page.
  WriteFile(dir.File("texto.txt"),
            "Primeira linha de um texto com uma pala-\nvra dividida, e um guarda-\n-chuva.\n\n"
            "Segundo par\xe1" "grafo curto.\n\fP\xe1" "gina dois come\xe7" "a aqui.\n");
  Run("gs -q -dNOSAFER -dBATCH -sDEVICE=pdfwrite -o texto.pdf -- "
      "\"$(ls /usr/share/ghostscript/*/lib/gslp.ps | head -n 1)\" -B texto.txt");
  const DocumentText document = Convert("texto.pdf");
  ASSERT_EQ(document.result, ConversionResult::Converted);
  EXPECT_EQ(document.pages, 2);
  ExpectLines(document.text, {"<1>", " Primeira linha de um texto com uma palavra dividida, e um guarda-chuva.",
                              " Segundo parágrafo curto.", "<2>", " Página dois começa aqui."});
  // Locked with a password: said, not printed.
  Run("gs -q -dNOSAFER -dBATCH -sDEVICE=pdfwrite -sOwnerPassword=dono -sUserPassword=senha -o senha.pdf -- "
      "\"$(ls /usr/share/ghostscript/*/lib/gslp.ps | head -n 1)\" -B texto.txt");
  const DocumentText locked = Convert("senha.pdf");
  EXPECT_EQ(locked.result, ConversionResult::ConverterFailed);
  EXPECT_EQ(locked.problem, "O PDF pede senha para ser aberto.");
}

TEST_F(DocumentTextTest, WhatIsNoTextIsRefused) {
  Run("img2pdf gato.png -o digitalizado.pdf && zip -q fotos.zip gato.png && cp gato.png foto.txt");
  constexpr char kControlBytes[] = "\x01\x02\x03\x00\x04 ab\x05\x06\x07\x08\x0e\x0f";
  WriteFile(dir.File("dados.txt"), std::string(kControlBytes, sizeof kControlBytes - 1));
  const DocumentText scanned = Convert("digitalizado.pdf");
  EXPECT_EQ(scanned.result, ConversionResult::PdfWithoutText);
  EXPECT_EQ(scanned.pages, 1);
  const struct {
    const char* name;
    RefusedKind kind;
    const char* subtype;
  } refused[] = {{"foto.txt", RefusedKind::Image, "PNG"},
                 {"fotos.zip", RefusedKind::Archive, "ZIP"},
                 {"dados.txt", RefusedKind::Binary, ""}};
  for (const auto& [name, kind, subtype] : refused) {
    const DocumentText document = Convert(name);
    EXPECT_EQ(document.result, ConversionResult::Refused) << name;
    EXPECT_EQ(document.recognition.refused, kind) << name;
    EXPECT_EQ(document.recognition.subtype, subtype) << name;
  }
  // This test program itself.
  const DocumentText program = ConvertDocument("/proc/self/exe");
  EXPECT_EQ(program.result, ConversionResult::Refused);
  EXPECT_EQ(program.recognition.refused, RefusedKind::Program);
  // A text of this program's own, beginning with a layout command, is text.
  WriteFile(dir.File("receita.txt"), "<TReceita>\n<html> não é página\n");
  EXPECT_EQ(Convert("receita.txt").result, ConversionResult::PlainText);
}

TEST_F(DocumentTextTest, AMissingConverterNamesItsPackage) {
  Run("pandoc -s carta.md -o carta.docx");
  testing_support::ScopedEnv noPath("PATH", "/nonexistent");
  const DocumentText document = Convert("carta.docx");
  EXPECT_EQ(document.result, ConversionResult::ConverterMissing);
  EXPECT_EQ(document.package, "pandoc");
}

TEST_F(DocumentTextTest, OldWordGoesToAntiword) {
  // The compound file signature Word 97 to 2003 files begin with, and no
  // Word document in it: antiword says so.
  WriteFile(dir.File("velho.doc"), std::string("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8) + std::string(1024, '\0'));
  const DocumentText document = Convert("velho.doc");
  EXPECT_EQ(document.recognition.format, DocumentFormat::OldWord);
  EXPECT_EQ(document.result, ConversionResult::ConverterFailed);
  EXPECT_FALSE(document.problem.empty());
  testing_support::ScopedEnv noPath("PATH", "/nonexistent");
  const DocumentText missing = Convert("velho.doc");
  EXPECT_EQ(missing.result, ConversionResult::ConverterMissing);
  EXPECT_EQ(missing.package, "antiword");
}

}  // namespace
