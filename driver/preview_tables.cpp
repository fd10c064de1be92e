#include "driver/preview_tables.h"

#include "braille/braille_cells.h"
#include "driver/print_document.h"

DotsOfByte CellsOfTable(const CodeTable& table, bool oldRules) {
  DotsOfByte dots;
  dots.fill(-1);
  for (int c = 0; c < 256; ++c) {
    const int pattern = InternalCharacterDots(static_cast<unsigned char>(c), oldRules);
    const unsigned char byte = table[static_cast<std::size_t>(c)];
    if (pattern >= 0 && dots[byte] < 0) dots[byte] = pattern;
  }
  return dots;
}

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
