// The parameter dialogue: what the answers become in the print settings,
// what is derived from them, and the one setting written back.
#include "driver/parameter_dialogue.h"

#include <gtest/gtest.h>

#include "braille/code_table.h"
#include "braille/print_settings.h"
#include "driver/print_document.h"
#include "editor/editor_test_fixture.h"
#include "platform/profile.h"

namespace {

using editor_testing::EditorTest;
using editor_testing::ScriptedKeys;

constexpr int kEsc = 27;

class ParameterDialogueTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    printSettings = PrintSettings{};
    // Tables that differ in the blank cell, to see which one is loaded.
    testing_support::WriteFile(dir_.File("antiga.cfg"), "20=41\n");
    testing_support::WriteFile(dir_.File("atual.cfg"), "20=42\n");
    printSettings.AMBCODE = dir_.File("antiga.cfg");
    printSettings.AMBCODE2 = dir_.File("atual.cfg");
  }
  void TearDown() override {
    printSettings = PrintSettings{};
    EditorTest::TearDown();
  }

  // Keys that move down count fields, then type text.
  static void Answer(int downs, const std::string& text) {
    for (int i = 0; i < downs; ++i) ScriptedKeys().insert(ScriptedKeys().end(), {0, 80});
    for (const char c : text) ScriptedKeys().push_back(static_cast<unsigned char>(c));
  }

  std::string DeviceWritten() const {
    return ReadProfileString(dir_.File("SONARA.INI"), "RELEVIX", "DISPSAIDA", "(nada)", 255);
  }
};

TEST_F(ParameterDialogueTest, LeavingAtOnceKeepsTheValuesAndDerivesTheTitleMode) {
  printSettings.TITULA = true;
  printSettings.TITULOATRAS = 2;  // both sides, but front and back is off
  printSettings.FRENTEVERSO = false;
  printSettings.COLUNAS = 40;
  printSettings.BRTIT = "Contos";
  ScriptedKeys() = {kEsc};
  AskPrintParameters();
  EXPECT_EQ(printSettings.TITULOATRAS, 1);
  EXPECT_EQ(printSettings.COLUNAS, 40);
  EXPECT_EQ(printSettings.BRTIT, "Contos");
  // An empty device answer is LPT1, written back to the settings file.
  EXPECT_EQ(printSettings.DISPSAIDA, "LPT1");
  EXPECT_EQ(DeviceWritten(), "LPT1");
  // The form from row 5, labels ending at column 51; the closing messages
  // at the foot of the window, which moved the twenty questions up two rows.
  // The label's own closing blank and the one after it.
  EXPECT_EQ(Row(3).substr(0, 61), std::string(3, ' ') + "Arquivo ou dispositivo de saida (sugiro LPT1):  LPT1      ");
  EXPECT_EQ(Row(23).substr(0, 65), "Use a configura\xE7\xE3o avan\xE7" "ada do Sonara para mudar definitivamente.");
  EXPECT_EQ(Row(24).substr(0, 43), "Para configurar, edite ali a se\xE7\xE3o RELEVIX.");
  EXPECT_EQ(codeTable[' '], 'B') << "the current rules' table";
}

TEST_F(ParameterDialogueTest, PaginationAnswersAreMadeConsistent) {
  // Lines 25, first page 0, last page -5, first number 0.
  Answer(2, "25");
  Answer(2, "0");
  Answer(1, "-5");
  Answer(1, "0");
  ScriptedKeys().push_back(kEsc);
  AskPrintParameters();
  EXPECT_EQ(printSettings.LINHAS, 25);
  EXPECT_EQ(printSettings.BRPAGINI, 1);
  EXPECT_EQ(printSettings.BRPAGFIN, 9999);
  EXPECT_EQ(printSettings.BRNUMINI, 1);

  // Lines 0: no pagination; the range is left as typed.
  ScriptedKeys().clear();
  Answer(2, "0");
  Answer(2, "0");
  ScriptedKeys().push_back(kEsc);
  AskPrintParameters();
  EXPECT_EQ(printSettings.LINHAS, 30000);
  EXPECT_EQ(printSettings.BRPAGINI, 0);
}

TEST_F(ParameterDialogueTest, SwitchesAnsweredChangeTheTitleModeEnglishStyleAndTable) {
  // Titles "N\xC3O" with both sides "SIM": no titles at all.
  printSettings.TITULA = true;
  printSettings.FRENTEVERSO = true;
  Answer(7, "n");
  Answer(6, "s");
  ScriptedKeys().push_back(kEsc);
  AskPrintParameters();
  EXPECT_FALSE(printSettings.TITULA);
  EXPECT_EQ(printSettings.TITULOATRAS, 0);

  // Titles and both sides answered "SIM" again, front and back still on:
  // mode 2. English style on for the text and the headers; old Braille
  // loads its table.
  ScriptedKeys().clear();
  Answer(7, "s");
  Answer(6, "s");
  Answer(3, "s");
  Answer(3, "s");
  ScriptedKeys().push_back(kEsc);
  AskPrintParameters();
  EXPECT_EQ(printSettings.TITULOATRAS, 2);
  EXPECT_TRUE(printSettings.TEXTOINGLES);
  EXPECT_TRUE(printSettings.BRINGLES_CABECALHO);
  EXPECT_TRUE(printSettings.USABRAILLEANTIGO);
  EXPECT_EQ(codeTable[' '], 'A');
}

TEST_F(ParameterDialogueTest, TheDeviceAnswerIsWrittenBackKeepingEveryOtherLine) {
  const std::string before =
      "; minhas configura\xE7\xF5" "es\n[TRADUTOR]\nDIRLETRAS=" + dir_.File("letras") +
      "\n[RELEVIX]\nCOLUNAS=30\nDISPSAIDA=COM1\n; fim\n";
  testing_support::WriteFile(dir_.File("SONARA.INI"), before);
  printSettings.DISPSAIDA = "COM1";
  Answer(0, "embossador.brf");
  ScriptedKeys().push_back(kEsc);
  AskPrintParameters();
  EXPECT_EQ(printSettings.DISPSAIDA, "embossador.brf");
  EXPECT_EQ(testing_support::ReadFile(dir_.File("SONARA.INI")),
            "; minhas configura\xE7\xF5" "es\n[TRADUTOR]\nDIRLETRAS=" + dir_.File("letras") +
                "\n[RELEVIX]\nCOLUNAS=30\nDISPSAIDA=embossador.brf\n; fim\n");
}

}  // namespace
