#include "driver/preview_tables.h"

#include "braille/code_table.h"
#include "driver/print_document.h"

PreviewTables LoadPreviewTables() {
  PreviewTables tables;
  const bool oldRules = printSettings.USABRAILLEANTIGO;
  tables.text = CellsOfTable(codeTable, oldRules);
  if (!oldRules) {
    tables.picture = tables.text;
    return tables;
  }
  CodeTable currentRules;
  LoadCodeTable(printSettings.AMBCODE2, currentRules);
  tables.picture = CellsOfTable(currentRules, false);
  return tables;
}
