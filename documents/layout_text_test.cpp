#include "documents/layout_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(LayoutText, ParagraphsAreCutForTheReaderAndJoinedAgainByReformatting) {
  std::string words;
  for (int i = 0; i < 60; ++i) words += "palavra" + std::to_string(i) + (i % 7 == 6 ? "\t\n " : " ");
  words += "<b> fim";
  LayoutText layout;
  layout.Paragraph(words);
  const std::vector<std::string> lines = Lines(layout.Text());
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "<F+>");
  EXPECT_EQ(lines[1].substr(0, 12), " palavra0 pa");
  std::string joined = lines[1].substr(1);
  for (std::size_t i = 2; i < lines.size(); ++i) {
    // Continuation lines begin neither a paragraph nor a command.
    EXPECT_NE(lines[i].front(), ' ') << lines[i];
    EXPECT_NE(lines[i].front(), '<') << lines[i];
    joined += " " + lines[i];
  }
  for (const std::string& line : lines) EXPECT_LE(line.size(), 101u) << line;
  EXPECT_EQ(joined, SingleSpaced(words));
}

TEST(LayoutText, EveryStructureHasItsLines) {
  LayoutText layout;
  layout.Title("Minha\ncarta");
  layout.Heading("Começo");  // no blank line before the first text
  layout.Paragraph("Texto.");
  layout.Heading("Meio");
  layout.BeginList();
  layout.ListItem("\u2022", "um");
  layout.ListItem("2.", "dois");
  layout.PushMargin();
  layout.BeginList();
  layout.ListItem("a)", "dentro");
  layout.EndList();
  layout.PopMargin();
  layout.EndList();
  layout.TableRow({"Nome", " Idade ", ""});
  layout.NewPage();
  layout.PrintPageNumber(12);
  layout.KeptLines("<html>\n  x\ty");
  EXPECT_EQ(layout.Text(),
            "<F+>\n"
            "<TMinha carta>\n"
            "          Começo\n"
            " Texto.\n"
            "\n"
            "          Meio\n"
            "<R+>\n"
            "\u2022 um\n"
            " 2. dois\n"
            "<M  >\n"
            " a) dentro\n"
            "<M>\n"
            "<R->\n"
            " Nome; Idade;\n"
            "<P>\n"
            "<12>\n"
            "<F->\n"
            " <html>\n"
            "  x y\n"
            "<F+>\n");
}

TEST(LayoutText, APageBreakMarkInAParagraphBeginsAPage) {
  LayoutText layout;
  layout.Paragraph(std::string("Antes") + std::string(kPageBreakMark) + "depois" + std::string(kPageBreakMark));
  layout.ListItem("1.", std::string("um") + std::string(kPageBreakMark) + "dois");
  EXPECT_EQ(layout.Text(), "<F+>\n Antes\n<P>\n depois\n<P>\n 1. um dois\n");
}

TEST(LayoutText, NothingIsWrittenForEmptyText) {
  LayoutText layout;
  layout.NewPage();  // no empty page before the document
  layout.BlankLine();
  layout.Paragraph(" \t ");
  layout.Heading("");
  layout.Title("  ");
  layout.TableRow({"", " "});
  EXPECT_EQ(layout.Text(), "<F+>\n");
}

}  // namespace
