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

}  // namespace
