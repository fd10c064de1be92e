#include "documents/pdf_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(PdfLayout, AParagraphGoesOnAfterAWordDividedAcrossPagesIsMovedWhole) {
  // The first line of the second page holds only the end of the divided
  // word: once it moves back, the paragraph goes on on that page.
  const std::string text = LayoutFromPdfPages({{"Uma palavra divi-\n", 1}, {"dida\nsegue aqui.\n", 2}});
  EXPECT_EQ(text, "<F+>\n<1>\n Uma palavra dividida\n<2>\nsegue aqui.\n");
}

}  // namespace
