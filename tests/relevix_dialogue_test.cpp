// The parameter dialogue inside the whole program: the answers on the form
// change this run's printing, and only the output device is written back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/relevix_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::WriteFile;

// Sixty short lines: more than one page of 28 lines.
std::string LongText() {
  std::string text;
  for (int line = 1; line <= 60; ++line) text += "Linha " + std::to_string(line) + " do texto.\n";
  return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(RelevixDialogue, EscOnTheFirstFieldKeepsEveryValueAndWritesTheDeviceBack) {
  RelevixProgram program;
  WriteFile(program.File("texto.txt"), LongText());
  const std::string settingsBefore = ReadFile(program.SettingsFile());
  const RelevixRun kept = program.Run("texto.txt", kAfterGreeting + "ENTER" + kConfirm);
  const RelevixRun form = program.Run("texto.txt", kAfterGreeting + kIntoForm + "ESC" + kConfirm);
  ASSERT_EQ(form.status, 0) << form.output << form.Screen();
  EXPECT_EQ(form.printed, kept.printed);
  // The device line rewritten as it was, every other line kept.
  EXPECT_EQ(form.settings, settingsBefore);
  EXPECT_TRUE(form.Heard("BRARQIMP")) << "the first question is heard";
  EXPECT_TRUE(form.Heard("BRCNFDEF"));
  EXPECT_TRUE(form.Heard("BRCNFDF2"));
}

TEST(RelevixDialogue, TheDeviceAnswerBlankedBecomesLpt1AndIsWrittenBack) {
  // LPT1 leads to a file standing for the port (a port is never created).
  RelevixProgram program("LPT1=lpt1.brf\n");
  WriteFile(program.File("lpt1.brf"), "");
  WriteFile(program.File("texto.txt"), "Era uma vez.\n");
  const std::string settingsBefore = ReadFile(program.SettingsFile());
  // "saida.brf" rubbed out from its end.
  std::string keys = kAfterGreeting + kIntoForm + "END";
  for (int i = 0; i < 9; ++i) keys += " BACKSPACE";
  const RelevixRun run = program.Run("texto.txt", keys + " ESC" + kConfirm);
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_EQ(run.settings, Replaced(settingsBefore, "DISPSAIDA=saida.brf", "DISPSAIDA=LPT1"));
  EXPECT_FALSE(ReadFile(program.File("lpt1.brf")).empty()) << "printed on LPT1";
  EXPECT_EQ(run.printed, "");
}

TEST(RelevixDialogue, TheSettingsFileIsCreatedWhenThereIsNone) {
  RelevixProgram program;
  WriteFile(program.File("texto.txt"), "Era uma vez.\n");
  std::remove(program.SettingsFile().c_str());
  // With no settings anywhere the installed ones are copied and used.
  const RelevixRun run = program.Run("texto.txt", kAfterGreeting + kIntoForm + "\"novo.brf\" ESC" + kConfirm);
  ASSERT_EQ(run.status, 0) << run.output << run.Screen();
  EXPECT_NE(run.settings.find("[RELEVIX]"), std::string::npos);
  EXPECT_NE(run.settings.find("DISPSAIDA=novo.brf"), std::string::npos) << run.settings;
  EXPECT_NE(run.settings.find("[TRADUTOR]"), std::string::npos) << "the rest of the settings kept";
  EXPECT_FALSE(ReadFile(program.File("novo.brf")).empty());
}

TEST(RelevixDialogue, LinesPerPageZeroPrintsWithoutPageBreaks) {
  RelevixProgram program("TITULA=N\n");
  WriteFile(program.File("texto.txt"), LongText());
  const RelevixRun paged = program.Run("texto.txt", kAfterGreeting + "ENTER" + kConfirm);
  ASSERT_EQ(paged.status, 0) << paged.output;
  const std::string body = paged.printed.substr(0, paged.printed.size() - 1);
  EXPECT_NE(body.find('\f'), std::string::npos) << "28 lines a page: a page break inside";
  // Field 3: lines per page.
  const RelevixRun unpaged = program.Run("texto.txt", kAfterGreeting + kIntoForm + "DOWN DOWN \"0\" ESC" + kConfirm);
  ASSERT_EQ(unpaged.status, 0) << unpaged.output << unpaged.Screen();
  const std::string all = unpaged.printed.substr(0, unpaged.printed.size() - 1);
  EXPECT_EQ(all.find('\f'), std::string::npos) << "no page break within the 60 lines";
  EXPECT_EQ(std::count(unpaged.printed.begin(), unpaged.printed.end(), '\n'),
            std::count(paged.printed.begin(), paged.printed.end(), '\n'));
}

TEST(RelevixDialogue, TitlesOffWithBothSidesOnPrintsNoHeaders) {
  RelevixProgram titled("TITULA=S\nFRENTEVERSO=S\nTITULOATRAS=2\n");
  WriteFile(titled.File("texto.txt"), LongText());
  RelevixProgram plain("TITULA=N\nFRENTEVERSO=S\n");
  WriteFile(plain.File("texto.txt"), LongText());
  const RelevixRun withoutTitles = plain.Run("texto.txt", kAfterGreeting + "ENTER" + kConfirm);
  ASSERT_EQ(withoutTitles.status, 0) << withoutTitles.output;
  const RelevixRun withTitles = titled.Run("texto.txt", kAfterGreeting + "ENTER" + kConfirm);
  EXPECT_NE(withTitles.printed, withoutTitles.printed);
  // Field 8 (titles) "N", field 14 (titles on both sides) "S".
  const RelevixRun answered = titled.Run(
      "texto.txt", kAfterGreeting + kIntoForm + "DOWN DOWN DOWN DOWN DOWN DOWN DOWN \"N\" DOWN DOWN DOWN DOWN DOWN DOWN "
                   "\"S\" ESC" + kConfirm);
  ASSERT_EQ(answered.status, 0) << answered.output << answered.Screen();
  EXPECT_EQ(answered.printed, withoutTitles.printed);
}

TEST(RelevixDialogue, OldBrailleSwitchedOnLoadsTheOldTable) {
  // Tables that differ only in the blank cell: 0xFF under the old rules.
  // The embosser's bytes, not the Braille ASCII a .brf name asks for.
  RelevixProgram program("AMBCODE=antiga.cfg\nAMBCODE2=atual.cfg\nUSABRAILLEANTIGO=N\nFORMATO=bytes\n");
  WriteFile(program.File("antiga.cfg"), "20=FF\n");
  WriteFile(program.File("atual.cfg"), "20=20\n");
  WriteFile(program.File("texto.txt"), "Era uma vez.\n");
  const RelevixRun current = program.Run("texto.txt", kAfterGreeting + "ENTER" + kConfirm);
  ASSERT_EQ(current.status, 0) << current.output << current.Screen();
  EXPECT_EQ(current.printed.find('\xFF'), std::string::npos);
  // Ctrl+Down: the last field, old Braille.
  const RelevixRun old = program.Run("texto.txt", kAfterGreeting + kIntoForm + "CTRL+DOWN \"S\" ESC" + kConfirm);
  ASSERT_EQ(old.status, 0) << old.output << old.Screen();
  EXPECT_NE(old.printed.find('\xFF'), std::string::npos) << old.printed;
}

}  // namespace
