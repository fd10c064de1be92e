#include "driver/parameter_dialogue.h"

#include <string>

#include "braille/code_table.h"
#include "braille/print_settings.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "driver/dialogue_form.h"
#include "driver/print_document.h"
#include "platform/suite_settings.h"

namespace {

constexpr int kDialogueLabelWidth = 51;
constexpr int kDialogueTopRow = 5;
constexpr int kDeviceWidth = 144;
constexpr int kTitleWidth = 80;
const std::string kDefaultDevice = "LPT1";

void AddNumber(const char* key, int& target) { AddNumberField(key, GetMessage(key), target); }
void AddYesNo(const char* key, bool& target) { AddYesNoField(key, GetMessage(key), target); }

}  // namespace

bool AskPrintParameters() {
  PrintSettings& s = printSettings;
  std::string device = s.DISPSAIDA.empty() ? kDefaultDevice : s.DISPSAIDA;
  bool bothSides = s.TITULOATRAS == 2;
  formLabelWidth = kDialogueLabelWidth;

  MoveCursor(1, kDialogueTopRow);
  BeginForm();
  AddTextField("BRARQIMP", GetMessage("BRARQIMP"), device, kDeviceWidth);
  AddNumber("BRNCOP", s.BRNCOP);
  AddNumber("BRLPPAG", s.LINHAS);
  AddNumber("BRCPLIN", s.COLUNAS);
  AddNumber("BRPAGINI", s.BRPAGINI);
  AddNumber("BRPAGFIN", s.BRPAGFIN);
  AddNumber("BRNUMINI", s.BRNUMINI);
  AddYesNo("BRFAZTIT", s.TITULA);
  AddTextField("BRTIT", GetMessage("BRTIT"), s.BRTIT, kTitleWidth);
  AddYesNo("BRNUMORG", s.NUMERAORIG);
  AddYesNo("BRAUTOJU", s.AUTOFORMATA);
  AddYesNo("BRFREVER", s.FRENTEVERSO);
  AddYesNo("BRDOEDIT", s.TEXTODOEDIT);
  AddYesNo("BRTITFV", bothSides);
  AddYesNo("BRAFASTA", s.AFASTACABECPAR);
  AddYesNo("BRSEPARA", s.SEPARASILABAS);
  AddYesNo("BRINGLES", s.TEXTOINGLES);
  AddYesNo("BRANTIGO", s.USABRAILLEANTIGO);
  RunForm(true);

  s.DISPSAIDA = device.empty() ? kDefaultDevice : device;
  if (!WriteSuiteSetting("RELEVIX", "DISPSAIDA", s.DISPSAIDA)) {
    // The answer still holds for this run; the user learns it was not kept.
    ShowMessage("BRCFGNGR", 1);
  }
  if (!s.TITULA) {
    s.TITULOATRAS = 0;
  } else {
    s.TITULOATRAS = s.FRENTEVERSO && bothSides ? 2 : 1;
  }
  s.headerEnglishStyle = s.TEXTOINGLES;
  NormalisePagination(s);
  if (!LoadPrintCodeTable().opened) return false;
  ShowMessage("BRCNFDEF", 1);
  ShowMessage("BRCNFDF2", 1);
  return true;
}
