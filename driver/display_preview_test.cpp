// The pages the display preview shows: the job's text composed as the
// embosser will receive it.
#include "driver/display_preview.h"

#include <gtest/gtest.h>

#include "braille/code_table.h"
#include "braille/print_settings.h"
#include "driver/print_document.h"
#include "platform/paths.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

TEST(DisplayPreview, ADocumentIsShownAsItsConvertedText) {
  ASSERT_TRUE(LoadCodeTable(DataDirectory() + "/ambcode2.cfg", codeTable).Whole());
  PrintSettings settings;
  TempDir dir;
  WriteFile(dir.File("texto.txt"), "casa\n");
  WriteFile(dir.File("carta.rtf"), "{\\rtf1\\ansi casa\\par}\n");
  std::vector<EmbossedPage> text, document;
  ASSERT_TRUE(ComposeEmbossedPages(dir.File("texto.txt"), settings, text));
  ASSERT_TRUE(ComposeEmbossedPages(dir.File("carta.rtf"), settings, document));
  EXPECT_EQ(document, text);
}

TEST(DisplayPreview, APefIsShownAsItsOwnPages) {
  ASSERT_TRUE(LoadCodeTable(DataDirectory() + "/ambcode2.cfg", codeTable).Whole());
  PrintSettings settings;
  TempDir dir;
  WriteFile(dir.File("livro.pef"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<pef version=\"2008-1\" xmlns=\"http://www.daisy.org/ns/2008/pef\"><head><meta/></head><body>"
            "<volume cols=\"10\" rows=\"4\" rowgap=\"0\" duplex=\"false\"><section>"
            "<page><row>\u2801\u2803</row><row/><row>\u2809</row></page><page><row>\u2819</row></page>"
            "</section></volume></body></pef>\n");
  std::vector<EmbossedPage> pages;
  ASSERT_TRUE(ComposeEmbossedPages(dir.File("livro.pef"), settings, pages));
  const std::vector<EmbossedPage> expected{{"\x01\x03", "", "\x09"}, {"\x19"}};
  EXPECT_EQ(pages, expected);
}

}  // namespace
