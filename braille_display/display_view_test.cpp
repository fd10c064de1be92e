// What the display shows of a text, how it pans and follows the cursor, and
// how its commands become the keyboard's keys (the codes as BrlAPI defines
// them).
#include "braille_display/display_view.h"

#include <brlapi.h>
#include <gtest/gtest.h>

#include "console/key_codes.h"

namespace {

// 56 characters: a form's question and its answer.
const std::string kLong = "Arquivo ou dispositivo de saida (sugiro LPT1): saida.brf";

TEST(DisplayView, ALongTextIsPannedByWholeWindowsAndNeverCut) {
  DisplayView view;
  view.SetWidth(40);
  view.Show({.text = kLong});
  EXPECT_EQ(view.Window().cells, kLong.substr(0, 40));
  EXPECT_EQ(view.Window().cursor, -1);
  EXPECT_FALSE(view.PanLeft()) << "already at the start";
  ASSERT_TRUE(view.PanRight());
  EXPECT_EQ(view.Window().cells, kLong.substr(40) + std::string(24, ' '));
  EXPECT_EQ(view.PositionOfCell(7), 47) << "routing counts cells from 0 in the window";
  EXPECT_FALSE(view.PanRight()) << "nothing lies beyond";
  ASSERT_TRUE(view.PanLeft());
  EXPECT_EQ(view.Window().cells, kLong.substr(0, 40));
  // A display as wide as the text shows it all, padded.
  view.SetWidth(80);
  EXPECT_EQ(view.Window().cells, kLong + std::string(24, ' '));
  EXPECT_FALSE(view.PanRight());
}

TEST(DisplayView, TheWindowFollowsTheCursorAndKeepsItsPlaceWhileTheCursorIsInIt) {
  DisplayView view;
  view.SetWidth(40);
  // The cursor on the answer's first character: the window that holds it,
  // windows beginning at multiples of the width as the pan keys leave them.
  view.Show({.text = kLong, .cursor = 47});
  EXPECT_EQ(view.Window().cells.substr(0, 17), "LPT1): saida.brf ");
  EXPECT_EQ(view.Window().cursor, 7);
  // Panned back to read the question, then the cursor moves within the
  // answer: the window comes back to the cursor.
  ASSERT_TRUE(view.PanLeft());
  EXPECT_EQ(view.Window().cursor, -1);
  view.Show({.text = kLong, .cursor = 48});
  EXPECT_EQ(view.Window().cursor, 8);
  // A cursor past the text's end (typing at the end of a field) is shown.
  view.Show({.text = "abc", .cursor = 3});
  EXPECT_EQ(view.Window().cells.substr(0, 4), "abc ");
  EXPECT_EQ(view.Window().cursor, 3);
  // Control bytes are blanks; another text starts at its beginning.
  view.Show({.text = "a\tb\x07"});
  EXPECT_EQ(view.Window().cells.substr(0, 5), "a b  ");
  view.Show({.text = kLong});
  EXPECT_EQ(view.Window().cells, kLong.substr(0, 40));
}

TEST(DisplayView, ASoundsTextStaysUntilSomethingElseIsShown) {
  DisplayView view;
  view.SetWidth(20);
  view.Show({.text = "linha", .cursor = 5});
  view.ShowSound("(bip)");
  EXPECT_EQ(view.Window().cells, "(bip)" + std::string(15, ' '));
  EXPECT_EQ(view.Window().cursor, -1);
  // The same line shown again (drawn before the next key) keeps it.
  view.Show({.text = "linha", .cursor = 5});
  EXPECT_EQ(view.Window().cells.substr(0, 5), "(bip)");
  // The line changed: shown.
  view.Show({.text = "linha", .cursor = 4});
  EXPECT_EQ(view.Window().cells.substr(0, 5), "linha");
  EXPECT_EQ(view.Window().cursor, 4);
}

TEST(DisplayView, DotsAreShownAsTheyAreAndPaddedWithEmptyCells) {
  DisplayView view;
  view.SetWidth(4);
  view.Show({.text = std::string("\x01\x03", 2), .isDots = true});
  EXPECT_EQ(view.Window().cells, std::string("\x01\x03\0\0", 4));
  EXPECT_TRUE(view.Showing().isDots);
}

TEST(DisplayKeys, TheDisplaysKeysAreTheKeyboardsKeys) {
  using Kind = DisplayKey::Kind;
  constexpr unsigned long long kSym = BRLAPI_KEY_TYPE_SYM;
  constexpr unsigned long long kCmd = BRLAPI_KEY_TYPE_CMD;
  struct Case {
    unsigned long long code;
    Kind kind;
    int value;
  };
  const Case cases[] = {
      {kSym | BRLAPI_KEY_SYM_LINEFEED, Kind::Key, kEnterKey},
      {kSym | BRLAPI_KEY_SYM_ESCAPE, Kind::Key, kEscapeKey},
      {kSym | BRLAPI_KEY_SYM_TAB, Kind::Key, kTabKey},
      {kSym | BRLAPI_KEY_SYM_BACKSPACE, Kind::Key, kBackspaceKey},
      {kSym | BRLAPI_KEY_SYM_UP, Kind::ExtendedKey, kUpKey},
      {kSym | BRLAPI_KEY_SYM_DOWN, Kind::ExtendedKey, kDownKey},
      {kSym | BRLAPI_KEY_SYM_LEFT, Kind::ExtendedKey, kLeftKey},
      {kSym | BRLAPI_KEY_SYM_RIGHT, Kind::ExtendedKey, kRightKey},
      {kSym | BRLAPI_KEY_SYM_PAGE_DOWN, Kind::ExtendedKey, kPageDownKey},
      {kSym | BRLAPI_KEY_SYM_PAGE_UP, Kind::ExtendedKey, kPageUpKey},
      {kSym | BRLAPI_KEY_SYM_HOME, Kind::ExtendedKey, kHomeKey},
      {kSym | BRLAPI_KEY_SYM_END, Kind::ExtendedKey, kEndKey},
      {kSym | BRLAPI_KEY_SYM_DELETE, Kind::ExtendedKey, kDeleteKey},
      {kSym | (BRLAPI_KEY_SYM_FUNCTION + 1), Kind::ExtendedKey, kF2Key},
      // Typed on the display's Braille keyboard: Latin-1 keysyms and Unicode
      // ones, as Windows-1252 bytes; a character it lacks is no key.
      {kSym | 'a', Kind::Key, 'a'},
      {kSym | 0xE7, Kind::Key, 0xE7},                                   // ç
      {kSym | BRLAPI_KEY_SYM_UNICODE | 0x20AC, Kind::Key, 0x80},        // €
      {kSym | BRLAPI_KEY_SYM_UNICODE | 0x3B1, Kind::None, 0},           // α
      // The display's line keys are the arrows; panning and routing are its
      // own; other commands stay BRLTTY's.
      {kCmd | BRLAPI_KEY_CMD_LNUP, Kind::ExtendedKey, kUpKey},
      {kCmd | BRLAPI_KEY_CMD_LNDN, Kind::ExtendedKey, kDownKey},
      {kCmd | BRLAPI_KEY_CMD_FWINLT, Kind::PanLeft, 0},
      {kCmd | BRLAPI_KEY_CMD_FWINRT, Kind::PanRight, 0},
      {kCmd | BRLAPI_KEY_CMD_ROUTE | 12, Kind::Route, 12},
      {kCmd | BRLAPI_KEY_CMD_ROUTE_LINE | 3, Kind::None, 0},
      {kCmd | BRLAPI_KEY_CMD_RETURN, Kind::None, 0},
  };
  for (const Case& c : cases) {
    const DisplayKey key = DisplayKeyOfCode(c.code);
    EXPECT_EQ(static_cast<int>(key.kind), static_cast<int>(c.kind)) << std::hex << c.code;
    if (key.kind != Kind::None) {
      EXPECT_EQ(key.code, c.value) << std::hex << c.code;
    }
  }
}

}  // namespace
