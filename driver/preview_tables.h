// The cell each device byte stands for, read back from the loaded code
// table: how the previews show the composed pages exactly as the embosser
// will receive them.
#pragma once

#include "braille/braille_cells.h"

struct PreviewTables {
  DotsOfByte text;     // the table of the rules in use
  DotsOfByte picture;  // pictures are always made with the current rules
};

// Text pages use the table of the settings; pictures the current-rules one.
PreviewTables LoadPreviewTables();
