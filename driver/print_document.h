// The printing of a document once its settings are fixed: the output device
// is opened, the copies printed through a print job, the device closed, and
// the user told how it went. The talking program and relevix-cli keep here
// their one record of the print settings and the loaded code table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "braille/code_table.h"
#include "braille/job_user.h"
#include "braille/print_settings.h"
#include "formats/formatted_output.h"

// Exit statuses of a print job.
enum PrintJobStatus {
  kPrintDone = 0,
  kPrintInputMissing = 1,
  kPrintDeviceFailed = 2,
  kPrintCancelled = 3,
  kPrintReadFailed = 4,
  kPrintNothingToEmboss = 5,
  kPrintNotText = 6,  // a document refused, or one that could not be converted
};

extern PrintSettings printSettings;
extern CodeTable codeTable;
// The settings whose written value made no sense, at the last reading.
extern std::vector<ReplacedSetting> replacedSettings;

// The user of the programs' jobs: messages written and spoken, the write
// error question answered with a key (ESC cancels), the pacing a delay that
// keeps the window alive.
class ConsoleJobUser : public JobUser {
 public:
  void Notice(std::string_view messageKey, std::string_view detail) override;
  bool ContinueAfterWriteError(std::string_view problem) override;
  void Pause(int milliseconds) override;
  // A key typed while printing is taken here: ESC asks whether to go on.
  bool KeepPrinting() override;
};

// For as long as a job runs: a window closed ends the program with
// kPrintCancelled and "Impressão incompleta" on the screen.
class RunningJob {
 public:
  RunningJob();
  ~RunningJob();
  RunningJob(const RunningJob&) = delete;
  RunningJob& operator=(const RunningJob&) = delete;
};

// Reads printSettings from the settings file and loads codeTable for it.
// False when the table file cannot be opened (its path and the message are
// said); a malformed line is said with its number and the reading goes on.
bool ReadPrintSettingsAndCodeTable();

// Loads codeTable for printSettings, saying what went wrong as above.
CodeTableLoad LoadPrintCodeTable();

// Says, once per reading of the settings, every setting whose written value
// made no sense and the value used instead.
void WarnOfReplacedSettings();

// Says that the text went on past the last page of the range, and how many
// pages were embossed.
void ReportPageRangeEnd(int pagesEmbossed);

// The output format of printSettings: FORMATO when it names one, else the
// one the output device's name asks for.
OutputFormat ChosenOutputFormat();

// Whether the file can be printed with printSettings, said as CheckDocument
// says it; a PEF document is read and refused with the reason when it
// cannot be printed (kPrintReadFailed).
int CheckPrintable(const std::string& inputFile);

// The book's name in a PEF and on volumes' title pages when the text names
// none: the title asked for, else the file's name.
std::string DocumentTitle(const std::string& inputFile);

// Lays the document out once without a device, in format, as printSettings say (a
// regular file only: a pipe's text could not be read again): the
// status with which printing would stop before any byte reaches the
// embosser (said): kPrintNotText when the file is no text it can print
// (below, PrepareDocument), kPrintReadFailed when the file cannot be read to its end,
// kPrintNothingToEmboss when it holds nothing to emboss or the page range
// selects no page of it; kPrintDone when it can be printed.
int CheckDocument(const std::string& inputFile, OutputFormat format);

// Ends the output's file and closes the device; kPrintDeviceFailed (said)
// when the device did not take all of it or what was written is gone.
int FinishOnDevice(FormattedOutput& output);

// Makes the pagination consistent, checks the document, opens the device,
// prints printSettings.BRNCOP copies of the file (a text, or a PEF's pages
// as they are) in the chosen output format (a FORMATO that names none is
// said), closes the device and says
// "Fim de trabalho". kPrintDeviceFailed when the device is the input file
// itself or cannot be opened (the reason is said), kPrintInputMissing when
// the file vanished between copies, kPrintReadFailed when it could not be
// read to its end, kPrintNothingToEmboss as CheckDocument, kPrintCancelled
// when the user gave it up; none of these says the job ended. While the job
// runs, a window closed by the user ends the program with kPrintCancelled
// and "Impressão incompleta" on the screen.
int PrintDocument(const std::string& inputFile);
