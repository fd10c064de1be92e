#include "editor/field_text.h"

#include <gtest/gtest.h>

namespace {

FieldText Field(const std::string& text, int maxLength) {
  FieldText field;
  field.maxLength = maxLength;
  field.Assign(text);
  return field;
}

TEST(FieldTextTest, TheTextKeepsItsLengthWhenCharactersComeAndGo) {
  FieldText field = Field("abc", 5);
  EXPECT_EQ(field.text, "abc  ");
  EXPECT_EQ(field.LastNonBlank(), 3);
  field.Insert(1, 'x');
  EXPECT_EQ(field.text, "xabc ");
  field.Insert(5, 'y');
  EXPECT_EQ(field.text, "xabcy");
  field.Insert(2, 'z');  // the last character falls off
  EXPECT_EQ(field.text, "xzabc");
  EXPECT_EQ(field.Remove(1), 'x');
  EXPECT_EQ(field.text, "zabc ");
  EXPECT_EQ(field.Trimmed(), "zabc");
  EXPECT_EQ(field.At(0), ' ');
  EXPECT_EQ(field.At(6), ' ');
  field.Blank();
  EXPECT_EQ(field.LastNonBlank(), 0);
  EXPECT_EQ(Field("longo demais", 5).text, "longo");
}

TEST(FieldTextTest, WordsAreRunsOfLettersOrOfDigits) {
  // Positions: "um" 1-2, "décimo" 5-10, "42" 12-13, "," 14, "5" 15.
  const FieldText field = Field("um  d\xE9" "cimo 42,5", 20);
  // Next: past the run, then past blanks.
  EXPECT_EQ(NextWordStart(field, 1), 5);
  EXPECT_EQ(NextWordStart(field, 3), 5);
  EXPECT_EQ(NextWordStart(field, 5), 12);  // é is a letter
  EXPECT_EQ(NextWordStart(field, 12), 14);  // "42" stops at the comma
  EXPECT_EQ(NextWordStart(field, 14), 15);  // the comma is a run of its own
  EXPECT_EQ(NextWordStart(field, 15), 21);  // "5" runs into the blanks at the end
  // Previous: left over blanks, then over the run.
  EXPECT_EQ(PreviousWordStart(field, 12), 5);
  EXPECT_EQ(PreviousWordStart(field, 7), 5);
  EXPECT_EQ(PreviousWordStart(field, 5), 1);
  EXPECT_EQ(PreviousWordStart(field, 1), 0);
  EXPECT_EQ(PreviousWordStart(field, 21), 15);
  // The word at the position, or before a blank.
  EXPECT_EQ(WordStartAtOrBefore(field, 8), 5);
  EXPECT_EQ(WordStartAtOrBefore(field, 4), 1);
  EXPECT_EQ(WordStartAtOrBefore(Field("   x", 5), 2), 0);
}

}  // namespace
