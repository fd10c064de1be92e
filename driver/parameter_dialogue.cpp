#include "driver/parameter_dialogue.h"

#include <algorithm>
#include <string>
#include <vector>

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

// The settings the form asks, in the order of their questions.
std::vector<const PrintSettingRow*> AskedRows() {
  std::vector<const PrintSettingRow*> rows;
  for (const PrintSettingRow& row : PrintSettingRows()) {
    if (row.formPlace > 0) rows.push_back(&row);
  }
  std::ranges::sort(rows, {}, &PrintSettingRow::formPlace);
  return rows;
}

}  // namespace

bool AskPrintParameters() {
  PrintSettings& s = printSettings;
  const std::string defaultDevice = PrintSettings{}.DISPSAIDA;
  if (s.DISPSAIDA.empty()) s.DISPSAIDA = defaultDevice;
  // The title mode is asked as "on both sides too?".
  bool bothSides = s.TITULOATRAS == 2;
  formLabelWidth = kDialogueLabelWidth;

  MoveCursor(1, kDialogueTopRow);
  BeginForm();
  for (const PrintSettingRow* row : AskedRows()) {
    const std::string key(row->question);
    if (row->kind == SettingKind::kTitles) {
      AddYesNoField(key, GetMessage(key), bothSides);
    } else if (row->text != nullptr) {
      AddTextField(key, GetMessage(key), s.*row->text, row->limit);
    } else if (row->number != nullptr) {
      AddNumberField(key, GetMessage(key), s.*row->number);
    } else {
      AddYesNoField(key, GetMessage(key), s.*row->yesNo);
    }
  }
  RunForm(true);

  if (s.DISPSAIDA.empty()) s.DISPSAIDA = defaultDevice;
  if (!WriteSuiteSetting("RELEVIX", "DISPSAIDA", s.DISPSAIDA)) {
    // The answer still holds for this run; the user learns it was not kept.
    ShowMessage("BRCFGNGR", 1);
  }
  if (!s.TITULA) {
    s.TITULOATRAS = 0;
  } else {
    s.TITULOATRAS = s.FRENTEVERSO && bothSides ? 2 : 1;
  }
  s.BRINGLES_CABECALHO = s.TEXTOINGLES;
  NormalisePagination(s);
  if (!LoadPrintCodeTable().opened) return false;
  ShowMessage("BRCNFDEF", 1);
  ShowMessage("BRCNFDF2", 1);
  return true;
}
