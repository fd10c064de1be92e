#include <string>
#include <vector>

#include "console/cell_drawing.h"
#include "console/console_test_fixture.h"
#include "platform/beep.h"

namespace {

using namespace console_testing;

class ConsoleOutputTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    UseRecordingHost();
  }
};

const std::string kBlankRow(80, ' ');

TEST_F(ConsoleOutputTest, The81stCharacterOfARowWrapsBeforeItIsStored) {
  WriteToConsole(std::string(80, 'a'));
  EXPECT_EQ(CursorColumn(), 81);
  EXPECT_EQ(CursorRow(), 1);
  WriteToConsole("b");
  EXPECT_EQ(Row(1), std::string(80, 'a'));
  EXPECT_EQ(Row(2), "b" + std::string(79, ' '));
  EXPECT_EQ(CursorColumn(), 2);
  EXPECT_EQ(CursorRow(), 2);
}

TEST_F(ConsoleOutputTest, ALineBreakOnTheLastRowScrollsBothBuffers) {
  for (int row = 1; row <= 25; ++row) {
    SetTextColour(row % 16);
    MoveCursor(1, row);
    WriteToConsole("linha " + std::to_string(row));
  }
  SetBackgroundColour(1);
  SetTextColour(14);
  WriteToConsole("\n");
  EXPECT_EQ(Row(1).substr(0, 7), "linha 2");
  EXPECT_EQ(Row(24).substr(0, 8), "linha 25");
  EXPECT_EQ(Row(25), kBlankRow);
  EXPECT_EQ(ScreenAttributeAt(1, 1), 2);    // row 2's attribute moved up
  EXPECT_EQ(ScreenAttributeAt(1, 24), 9);   // row 25's
  EXPECT_EQ(ScreenAttributeAt(80, 25), 0x1E);  // the new row: current attribute
  EXPECT_EQ(CursorRow(), 25);
  EXPECT_EQ(CursorColumn(), 1);
  EXPECT_EQ(drawings_.back(), Scroll());

  // Writing past the end of the last row scrolls too.
  MoveCursor(80, 25);
  WriteToConsole("xy");
  EXPECT_EQ(Row(24).back(), 'x');
  EXPECT_EQ(Row(25), "y" + std::string(79, ' '));
}

TEST_F(ConsoleOutputTest, BackspaceRubsOutTheCellToTheLeftExceptAtColumnOne) {
  WriteToConsole("\bab");
  EXPECT_EQ(Row(1).substr(0, 3), "ab ");
  SetTextColour(4);
  WriteToConsole("\b");
  EXPECT_EQ(Row(1).substr(0, 3), "a  ");
  EXPECT_EQ(ScreenAttributeAt(2, 1), 4);
  EXPECT_EQ(CursorColumn(), 2);
  WriteToConsole("\b\b\b");
  EXPECT_EQ(Row(1), kBlankRow);
  EXPECT_EQ(CursorColumn(), 1);
}

TEST_F(ConsoleOutputTest, OtherControlBytesAreIgnoredAndTheBellOnlySounds) {
  static int beeps = 0;
  beeps = 0;
  SetWarningBeepSound([] { ++beeps; });
  std::string controls;
  for (int c = 0; c < 32; ++c) {
    if (c != 7 && c != 8 && c != 10 && c != 13) controls += static_cast<char>(c);
  }
  WriteToConsole("a" + controls + "b\tc\a");
  EXPECT_EQ(Row(1).substr(0, 4), "abc ");
  EXPECT_EQ(CursorColumn(), 4);
  EXPECT_EQ(beeps, 1);
  SetWarningBeepSound(nullptr);
}

TEST_F(ConsoleOutputTest, CarriageReturnAndLineFeedMoveTheCursor) {
  WriteToConsole("abc\rX");
  EXPECT_EQ(Row(1).substr(0, 3), "Xbc");
  WriteToConsole("\nY");
  EXPECT_EQ(Row(2).substr(0, 1), "Y");
  EXPECT_EQ(CursorColumn(), 2);
  WriteLineEnds(2);
  EXPECT_EQ(CursorRow(), 4);
  EXPECT_EQ(CursorColumn(), 1);
}

TEST_F(ConsoleOutputTest, OnlyTheChangedSpanIsDrawnBeforeEachLineBreakAndAfterTheWrite) {
  MoveCursor(5, 3);
  WriteToConsole("abc");
  EXPECT_EQ(drawings_, (std::vector<Drawing>{Span(2, 4, 6)}));

  drawings_.clear();
  WriteToConsole("d\r\nef\bg");
  EXPECT_EQ(drawings_, (std::vector<Drawing>{Span(2, 7, 7), Span(3, 0, 1)}));

  drawings_.clear();
  MoveCursor(79, 10);
  WriteToConsole("xyz");
  EXPECT_EQ(drawings_, (std::vector<Drawing>{Span(9, 78, 79), Span(10, 0, 0)}));

  // A carriage return stays on the row: one span covers both parts.
  drawings_.clear();
  MoveCursor(10, 12);
  WriteToConsole("ab\rc");
  EXPECT_EQ(drawings_, (std::vector<Drawing>{Span(11, 0, 10)}));
}

TEST_F(ConsoleOutputTest, ClearToLineEndBlanksTheRestOfTheRowInTheCurrentAttribute) {
  WriteToConsole(std::string(80, 'z'));
  MoveCursor(31, 1);
  SetBackgroundColour(2);
  drawings_.clear();
  ClearToLineEnd();
  EXPECT_EQ(Row(1), std::string(30, 'z') + std::string(50, ' '));
  EXPECT_EQ(ScreenAttributeAt(30, 1), 15);
  EXPECT_EQ(ScreenAttributeAt(31, 1), 0x2F);
  EXPECT_EQ(ScreenAttributeAt(80, 1), 0x2F);
  EXPECT_EQ(CursorColumn(), 31);
  EXPECT_EQ(drawings_, (std::vector<Drawing>{Span(0, 30, 79)}));

  // Past the last column there is nothing left to clear.
  MoveCursor(1, 2);
  WriteToConsole(std::string(80, 'w'));
  drawings_.clear();
  ClearToLineEnd();
  EXPECT_EQ(Row(2), std::string(80, 'w'));
  EXPECT_TRUE(drawings_.empty());
}

TEST_F(ConsoleOutputTest, ClearWindowBlanksEveryCellAndGoesHome) {
  WriteToConsole("abc\r\ndef");
  SetBackgroundColour(4);
  SetTextColour(14);
  drawings_.clear();
  ClearWindow();
  for (int row = 1; row <= 25; ++row) EXPECT_EQ(Row(row), kBlankRow);
  EXPECT_EQ(ScreenAttributeAt(1, 1), 0x4E);
  EXPECT_EQ(ScreenAttributeAt(80, 25), 0x4E);
  EXPECT_EQ(CursorColumn(), 1);
  EXPECT_EQ(CursorRow(), 1);
  EXPECT_EQ(drawings_, (std::vector<Drawing>{All()}));
}

TEST_F(ConsoleOutputTest, ColoursChangeOneNibbleUnlessTheSettingsFixThem) {
  EXPECT_EQ(consoleWindow.textAttribute, 15);
  SetTextColour(0x12);  // only the low four bits count
  EXPECT_EQ(consoleWindow.textAttribute, 0x02);
  SetBackgroundColour(7);
  EXPECT_EQ(consoleWindow.textAttribute, 0x72);
  WriteToConsole("c");
  EXPECT_EQ(ScreenAttributeAt(1, 1), 0x72);
  const unsigned char saved = TextAttribute();
  SetBackgroundColour(8);
  EXPECT_EQ(TextAttribute(), 0x82);
  SetTextAttribute(saved);
  EXPECT_EQ(TextAttribute(), 0x72);

  consoleWindow.colourChangeAllowed = false;
  SetTextColour(4);
  SetBackgroundColour(1);
  SetTextAttribute(0x1E);
  EXPECT_EQ(consoleWindow.textAttribute, 0x72);
}

TEST_F(ConsoleOutputTest, MoveCursorAndScreenReadingClampToTheGrid) {
  MoveCursor(0, 0);
  EXPECT_EQ(CursorColumn(), 1);
  EXPECT_EQ(CursorRow(), 1);
  MoveCursor(200, 200);
  EXPECT_EQ(CursorColumn(), 80);
  EXPECT_EQ(CursorRow(), 25);
  WriteToConsole("Z");
  EXPECT_EQ(ScreenCharAt(80, 25), 'Z');
  EXPECT_EQ(ScreenCharAt(500, 90), 'Z');
  MoveCursor(3, 2);
  WriteToConsole("\xE7");
  EXPECT_EQ(ScreenCharAt(3, 2), 0xE7);
  EXPECT_EQ(ScreenCharAt(1, 1), ' ');
  EXPECT_EQ(ScreenAttributeAt(3, 2), 15);
}

TEST_F(ConsoleOutputTest, ReadConsoleLineEchoesEditsAndEndsWithALineBreak) {
  for (const int key : std::vector<int>{'a', 'b', 8, 'c', 0, 59, 1, 0xE9, 13, 'n'}) QueueKey(static_cast<unsigned char>(key));
  EXPECT_EQ(ReadConsoleLine(), "ac\xE9\r\n");
  EXPECT_EQ(Row(1).substr(0, 4), "ac\xE9 ");
  EXPECT_EQ(CursorRow(), 2);
  EXPECT_EQ(CursorColumn(), 1);
  EXPECT_EQ(QueuedKeys(), (std::vector<int>{'n'}));

  // Room for capacity - 2 characters; backspace on an empty line does not
  // echo.
  ClearKeyQueue();
  for (const int key : std::vector<int>{8, 'w', 'x', 'y', 'z', 13}) QueueKey(static_cast<unsigned char>(key));
  EXPECT_EQ(ReadConsoleLine(4), "wx\r\n");
  EXPECT_EQ(Row(2).substr(0, 3), "wx ");
}

TEST_F(ConsoleOutputTest, RunsOfEqualAttributeAndThePaletteThroughTheColourMap) {
  WriteToConsole("aa");
  SetTextColour(4);
  WriteToConsole("bbb");
  SetTextColour(15);
  WriteToConsole("c");
  EXPECT_EQ(AttributeRuns(0, 0, 9), (std::vector<AttributeRun>{{0, 1, 15}, {2, 4, 4}, {5, 9, 15}}));
  EXPECT_EQ(AttributeRuns(0, 3, 3), (std::vector<AttributeRun>{{3, 3, 4}}));

  EXPECT_EQ(PaletteColour(5), (Rgb{142, 0, 142}));
  EXPECT_EQ(PaletteColour(6), (Rgb{68, 34, 34}));
  EXPECT_EQ(PaletteColour(7), (Rgb{192, 192, 192}));
  EXPECT_EQ(PaletteColour(9), (Rgb{128, 128, 255}));
  consoleWindow.settings.colourMap[0] = 1;
  consoleWindow.settings.colourMap[15] = 14;
  consoleWindow.settings.colourMap[3] = 16;
  EXPECT_EQ(BackgroundColour(0x0F), (Rgb{0, 0, 255}));
  EXPECT_EQ(ForegroundColour(0x0F), (Rgb{255, 255, 0}));
  EXPECT_EQ(PaletteColour(3), (Rgb{0, 0, 0}));
}

TEST_F(ConsoleOutputTest, TheMagnifierShowsTheSourceAroundThePointer) {
  EXPECT_EQ(MagnifierSource(400, 300, 800, 600, 2), (PixelRect{200, 150, 400, 300}));
  EXPECT_EQ(MagnifierSource(799, 599, 800, 600, 4), (PixelRect{600, 450, 200, 150}));
  EXPECT_EQ(MagnifierSource(0, 0, 800, 600, 3), (PixelRect{0, 0, 266, 200}));
  EXPECT_EQ(MagnifierSource(-9, -5, 800, 600, 2), (PixelRect{0, 0, 400, 300}));
  // Factor 1 shows the window as it is.
  EXPECT_EQ(MagnifierSource(123, 45, 800, 600, 1), (PixelRect{0, 0, 800, 600}));
}

TEST(ConsoleStreamTest, UnboundTextGoesToTheStreamAsUtf8) {
  ResetConsoleWindow();
  testing_support::ConsoleCapture capture;
  WriteToConsole("Ol\xE1");
  WriteLineEnds(1);
  FlushConsole();
  EXPECT_EQ(capture.Text(), "Ol\xC3\xA1\n");
  EXPECT_EQ(consoleWindow.characters[0], 0);  // the grid is not involved
}

}  // namespace
