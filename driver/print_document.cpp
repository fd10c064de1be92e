#include "driver/print_document.h"

#include "braille/input_file.h"
#include "braille/output_sink.h"
#include "braille/print_job.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "console/key_queue.h"
#include "devices/brdevice.h"
#include "driver/document_input.h"
#include "driver/pef_input.h"
#include "driver/print_volumes.h"
#include "formats/formatted_output.h"
#include "formats/pef_embossing.h"
#include "platform/disk_names.h"
#include "platform/paths.h"
#include "speech/speech.h"

PrintSettings printSettings;
CodeTable codeTable;
std::vector<ReplacedSetting> replacedSettings;

void ConsoleJobUser::Notice(std::string_view messageKey, std::string_view detail) {
  if (detail.empty()) {
    ShowMessage(messageKey, 1);
  } else {
    ShowMessageAbout(messageKey, detail);
  }
}

bool ConsoleJobUser::ContinueAfterWriteError(std::string_view problem) {
  ShowMessageAbout("BRERRESC", problem);
  ShowMessage("BRESCCAN", 1);
  return ReadKey() != kEscapeKey;
}

void ConsoleJobUser::Pause(int milliseconds) { Delay(milliseconds); }

bool ConsoleJobUser::KeepPrinting() {
  if (!KeyPressed()) return true;
  int key = ReadKey();
  if (key == kExtendedKey) ReadKey();  // an extended key's code: ignored like the key
  if (key != kEscapeKey) return true;
  ShowMessage("BRESCCAN", 1);
  for (;;) {
    key = ReadKey();
    if (key == kEnterKey) return true;
    if (key == kEscapeKey) return false;
    if (key == kExtendedKey) ReadKey();
  }
}

CodeTableLoad LoadPrintCodeTable() {
  const std::string path = CodeTablePath(printSettings);
  const CodeTableLoad load = LoadCodeTable(path, codeTable);
  if (!load.opened) {
    WriteLineAndSpeak(path);
    ShowMessage("BRCNFERR", 1);
  } else if (load.badLine != 0) {
    ShowMessage("BRERRLIN", 0);
    SpeakNumber(load.badLine);
    WriteLineEnds(1);
  }
  return load;
}

bool ReadPrintSettingsAndCodeTable() {
  printSettings = ReadPrintSettings(replacedSettings);
  return LoadPrintCodeTable().opened;
}

void WarnOfReplacedSettings() {
  for (const ReplacedSetting& replaced : replacedSettings) {
    ShowMessageAbout("BRCFGTRO",
                     GetMessageWith("BRCFGUSO", {replaced.key, replaced.written, std::to_string(replaced.used)}));
  }
}

void ReportPageRangeEnd(int pagesEmbossed) {
  ShowMessageAbout("BRPAGCOR", std::to_string(printSettings.BRPAGFIN));
  ShowMessageAbout("BRPAGIMP", std::to_string(pagesEmbossed));
}

namespace {

// Takes the bytes of a layout that only looks at the document.
class DiscardingSink : public OutputSink {
 public:
  bool Write(std::string_view) override { return true; }
  std::string Problem() const override { return {}; }
};

// The window closed while a job runs: the user sees (and the screen dump
// keeps) that the print did not end.
void SayPrintIncomplete() {
  WriteLineEnds(1);
  WriteToConsole(GetMessage("BRIMPFEC"));
  WriteLineEnds(1);
}

}  // namespace

RunningJob::RunningJob() {
  SetEndOfProgramHook(SayPrintIncomplete);
  SetWindowCloseStatus(kPrintCancelled);
}

RunningJob::~RunningJob() {
  SetEndOfProgramHook(nullptr);
  SetWindowCloseStatus(0);
}

OutputFormat ChosenOutputFormat() {
  OutputFormat format;
  if (ParseOutputFormat(printSettings.FORMATO, format)) return format;
  return FormatForOutputName(LinuxPath(printSettings.DISPSAIDA));
}

std::string DocumentTitle(const std::string& inputFile) {
  if (!printSettings.BRTIT.empty()) return printSettings.BRTIT;
  const std::size_t slash = inputFile.find_last_of("/\\");
  return ShownSystemName(slash == std::string::npos ? inputFile : inputFile.substr(slash + 1));
}

namespace {

// What is printed: a text laid out by the print job, or a PEF's pages.
struct Document {
  bool pef = false;
  PefBook book;
  CodeTable pefSpareTable;
  const CodeTable* table = &codeTable;  // the table the cells are told by
};

// Checks the document before the device is opened; kPrintDone when it can
// be printed.
int PrepareInput(const std::string& inputFile, OutputFormat format, Document& document) {
  document.pef = InputIsPef(inputFile);
  if (!document.pef) return CheckDocument(inputFile, format);
  if (const int status = ReadPefInput(inputFile, document.book); status != kPrintDone) return status;
  document.table = PefCodeTable(document.pefSpareTable);
  if (document.table == nullptr) return kPrintDeviceFailed;
  WarnOfLargerPages(document.book);
  return kPrintDone;
}

}  // namespace

int CheckPrintable(const std::string& inputFile) {
  Document document;
  return PrepareInput(inputFile, ChosenOutputFormat(), document);
}

int CheckDocument(const std::string& inputFile, OutputFormat format) {
  if (const int status = PrepareDocument(inputFile); status != kPrintDone) return status;
  // A pipe can be read once only: its text goes straight to the device.
  if (!InputFileReadsAgain(inputFile)) return kPrintDone;
  InputFile input;
  if (!OpenJobInput(inputFile, input)) {
    ShowMessageAbout("BRARQNAO", ShownSystemName(inputFile));
    return kPrintInputMissing;
  }
  DiscardingSink nowhere;
  NobodyJobUser nobody;
  // Laid out as the format will be: a picture as cells may take a page of
  // its own where the embosser's would not. The files of cells are all laid
  // out alike; BRF is the lightest of them.
  const OutputFormat layoutFormat = format == OutputFormat::Bytes ? OutputFormat::Bytes : OutputFormat::Brf;
  FormattedOutput pages(layoutFormat, printSettings, codeTable, printSettings.USABRAILLEANTIGO, {}, nowhere);
  PrintJob layout(printSettings, codeTable, pages.Pages(), nobody);
  const CopyEnd end = layout.PrintCopy(input);
  if (end == CopyEnd::ReadFailed) {
    ShowMessage("BRERRLEI", 1);
    ShowMessageAbout("BRIMPINC", inputFile);
    return kPrintReadFailed;
  }
  if (!layout.State().anyContent) {
    ShowMessageAbout("BRARQVAZ", ShownSystemName(inputFile));
    return kPrintNothingToEmboss;
  }
  if (layout.State().pagesInRange == 0) {
    ShowMessage("BRNENHPG", 1);
    return kPrintNothingToEmboss;
  }
  return kPrintDone;
}

int FinishOnDevice(FormattedOutput& output) {
  if (!output.Finish()) {
    ShowMessageAbout("BRERRESC", DeviceProblem());
    DeviceClose();
    return kPrintDeviceFailed;
  }
  if (!DeviceClose()) {
    // The file written is gone.
    ShowMessageAbout("BRERRESC", DeviceProblem());
    return kPrintDeviceFailed;
  }
  return kPrintDone;
}

int PrintDocument(const std::string& inputFile) {
  if (printSettings.DISPSAIDA.empty()) printSettings.DISPSAIDA = PrintSettings{}.DISPSAIDA;
  // One consistency step for every program, whether the pagination came from
  // the file, the dialogue or the command line.
  NormalisePagination(printSettings);
  // Opening the input as the output would empty it before a byte is read.
  if (DeviceIsFile(printSettings.DISPSAIDA, inputFile)) {
    ShowMessageAbout("BRMESMOA", printSettings.DISPSAIDA);
    return kPrintDeviceFailed;
  }
  // Nothing is opened (nor a file emptied) for a document that cannot be
  // printed.
  OutputFormat format;
  if (!printSettings.FORMATO.empty() && !ParseOutputFormat(printSettings.FORMATO, format)) {
    ShowMessageAbout("BRCFGTRO", GetMessageWith("FMTDESC", {printSettings.FORMATO}));
  }
  format = ChosenOutputFormat();
  // A PEF received is embossed as its pages and volumes stand.
  if (VolumesAsked() && !InputIsPef(inputFile)) return PrintInVolumes(inputFile, format);
  Document document;
  if (const int status = PrepareInput(inputFile, format, document); status != kPrintDone) return status;
  if (!DeviceOpen(printSettings.DISPSAIDA, inputFile)) {
    ShowMessage("BRERRCRI", 1);
    WriteLineAndSpeak(DeviceProblem());
    return kPrintDeviceFailed;
  }
  if (DeviceNamesNoSuchPort(printSettings.DISPSAIDA)) ShowMessageAbout("BRGRVARQ", printSettings.DISPSAIDA);
  const RunningJob running;
  DeviceSink device;
  ConsoleJobUser user;
  FormattedOutput output(format, printSettings, *document.table, printSettings.USABRAILLEANTIGO && !document.pef,
                         DocumentTitle(inputFile), device);
  PrintJob job(printSettings, codeTable, output.Pages(), user);
  const int copies = printSettings.BRNCOP;
  bool rangeEnded = false;
  for (int copy = 1; copy <= copies; ++copy) {
    if (copy > 1) output.BeginCopy();
    CopyEnd end;
    if (document.pef) {
      end = EmbossPefBook(document.book, printSettings.BRPAGINI, printSettings.BRPAGFIN, output.Pages(), user);
    } else {
      InputFile input;
      if (!OpenJobInput(inputFile, input)) {
        // The file was there for the copy before: say which file went missing.
        ShowMessageAbout("BRARQNAO", ShownSystemName(inputFile));
        output.Finish();
        DeviceClose();
        return kPrintInputMissing;
      }
      end = job.PrintCopy(input);
      input.Close();
    }
    ClearKeyQueue();
    if (end == CopyEnd::Cancelled) {
      // A file keeps what was made of the job.
      output.Finish();
      DeviceClose();
      return kPrintCancelled;
    }
    if (end == CopyEnd::ReadFailed) {
      output.Finish();
      DeviceClose();
      ShowMessageAbout("BRIMPINC", inputFile);
      return kPrintReadFailed;
    }
    rangeEnded = rangeEnded || end == CopyEnd::PageRangeEnded;
    ShowMessage("BRFIMCOP", 1);
    if (copies != 1) SpeakNumber(copy);
    WriteLineEnds(1);
  }
  if (const int status = FinishOnDevice(output); status != kPrintDone) return status;
  // Keys typed while the last lines went out must not cut the end short.
  ClearKeyQueue();
  if (rangeEnded) ReportPageRangeEnd(job.State().pagesInRange);
  ShowMessage("BRFIMTRA", 1);
  return kPrintDone;
}
