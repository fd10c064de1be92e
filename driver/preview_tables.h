// The cell each device byte stands for, read back from the loaded code
// table: how the previews show the composed pages exactly as the embosser
// will receive them.
#pragma once

#include <array>

#include "braille/code_table.h"

// The dot pattern each device byte stands for, or -1 for a byte no cell is
// mapped to.
using DotsOfByte = std::array<int, 256>;

DotsOfByte CellsOfTable(const CodeTable& table, bool oldRules);

struct PreviewTables {
  DotsOfByte text;     // the table of the rules in use
  DotsOfByte picture;  // pictures are always made with the current rules
};

// Text pages use the table of the settings; pictures the current-rules one.
PreviewTables LoadPreviewTables();
