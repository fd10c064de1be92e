// A PEF document as the text to print: known by its content, read whole and
// refused with the reason when it is no PEF the embossers can print.
#pragma once

#include <string>

#include "formats/pef_reader.h"

struct CodeTable;

// Whether the file (a system path) holds a PEF document; a pipe is taken
// as text.
bool InputIsPef(const std::string& inputFile);

// Reads the PEF file into book. kPrintDone, or the status with which the
// job stops (said, with the reason): kPrintInputMissing when the file cannot
// be opened, kPrintReadFailed when it is no PEF that can be printed.
int ReadPefInput(const std::string& inputFile, PefBook& book);

// Says when the book's pages are larger than the settings' page: they are
// embossed whole, not cut.
void WarnOfLargerPages(const PefBook& book);

// The code table a PEF's rows are sent with: the current rules' one, loaded
// into spare when the old rules are in force; nullptr (said) when it cannot
// be read.
const CodeTable* PefCodeTable(CodeTable& spare);
