// The composed pages as rows of cells, each cell the dots the embosser will
// raise: the device bytes read back through the code table, a page for each
// form feed, a row for each line end, a dot picture's rows in its own
// table and the embosser's graphic-mode sequences left out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/preview_tables.h"

// One byte per cell: dot 1 in bit 0 up to dot 8 in bit 7.
using DotRow = std::string;
using EmbossedPage = std::vector<DotRow>;

// A byte that no cell stands for is shown as dots 7 and 8, which no
// six-dot cell raises.
inline constexpr unsigned char kUnknownByteDots = 0xC0;

std::vector<EmbossedPage> EmbossedPagesOf(std::string_view bytes, const PreviewTables& tables);
