// Layout commands embedded in the text: lines beginning with '<' that begin
// pages and volumes, switch headers, reformatting, syllable separation, continuation
// indent and English style, set the title, the print-edition page number and
// the margin, and emboss dot pictures. A line is parsed into a value here;
// the page composer applies it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The largest page number <T+n> accepts; beyond it the page counters could
// not go on counting.
inline constexpr int kLargestSetPageNumber = 999'999'999;

struct LayoutCommand {
  enum class Kind {
    Text,                // no command: the line is printed
    Ignored,             // a line in angle brackets that names no command: left out
    NewPage,             // <P>
    NewVolume,           // <V>: a new volume, when the book is laid out in volumes
    Title,               // <TTitle>: text is the title
    TitlesOff,           // <T->
    TitlesOn,            // <T+>
    NumberedPage,        // <T+n>: headers on, a new page numbered n
    Reformat,            // <F+>, <F->
    SyllableSeparation,  // <S+>, <S->
    ContinuationIndent,  // <R+>, <R->
    EnglishStyle,        // <I+>, <I->
    Margin,              // <M   >: text is the margin, not yet cut to the line
    Picture,             // <G name>: text is the file name
    PrintPageNumber,     // <12>: number is the print-edition page number
  };
  Kind kind = Kind::Text;
  // For the switches: the new value; none when the line names no change
  // ("<F>"), which still ends a paragraph where the switch would.
  std::optional<bool> switchTo;
  std::string text;
  int number = 0;
  // Picture: the graphic-mode option byte; malformed when the line does not
  // end in '>', and then nothing is embossed.
  char pictureOption = '6';
  bool pictureMalformed = false;
  // PrintPageNumber: the number sets the value, but digits did not fill the
  // brackets ("<12a>"), so the line is printed too.
  bool printedToo = false;
};

LayoutCommand ParseCommand(std::string_view line);
