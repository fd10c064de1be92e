// The printing of a job once its settings are fixed: the output device is
// opened, the copies printed through the page composer, the device closed,
// and the user told how it went.
#pragma once

#include <string>

// Exit statuses of a print job.
enum PrintJobStatus {
  kPrintDone = 0,
  kPrintInputMissing = 1,
  kPrintDeviceFailed = 2,
  kPrintCancelled = 3,
  kPrintReadFailed = 4,
};

// Whether the input file can be opened for reading.
bool InputFileFound(const std::string& name);

// The pagination answers made consistent: with pagination a page range or
// first number of 0 or less becomes 1 to 9999 and 1; lines per page 0 means
// no pagination (30000 lines).
void NormalisePagination();

// Says, once per reading of the settings, every setting whose written value
// made no sense and the value used instead.
void WarnOfReplacedSettings();

// Says that the text went on past the last page of the range, and how many
// pages were embossed.
void ReportPageRangeEnd(int pagesEmbossed);

// Opens the device, prints printSettings.BRNCOP copies of the file, closes
// the device and says "Fim de trabalho". kPrintDeviceFailed when the device
// is the input file itself or cannot be opened (the reason is said),
// kPrintInputMissing when the file vanished between copies, kPrintReadFailed
// when it could not be read to its end; none of these says the job ended.
int PrintDocument(const std::string& inputFile);
