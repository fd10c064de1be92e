// The PPD of a generic Braille embosser queue whose filter is relevix-cups:
// the document types the filter takes, one Braille paper size, and the
// queue's per-job choices with the given settings as their defaults.
#pragma once

#include <string>

#include "braille/print_settings.h"

// The PPD text (ISO 8859-1, as it declares), defaults from settings.
std::string EmbosserPpd(const PrintSettings& settings);
