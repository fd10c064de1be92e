#include "driver/print_document.h"

#include "braille/input_file.h"
#include "braille/print_job.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "devices/brdevice.h"
#include "platform/disk_names.h"
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

int PrintDocument(const std::string& inputFile) {
  if (printSettings.DISPSAIDA.empty()) printSettings.DISPSAIDA = PrintSettings{}.DISPSAIDA;
  // Opening the input as the output would empty it before a byte is read.
  if (DeviceIsFile(printSettings.DISPSAIDA, inputFile)) {
    ShowMessageAbout("BRMESMOA", printSettings.DISPSAIDA);
    return kPrintDeviceFailed;
  }
  if (!DeviceOpen(printSettings.DISPSAIDA, inputFile)) {
    ShowMessage("BRERRCRI", 1);
    WriteLineAndSpeak(DeviceProblem());
    return kPrintDeviceFailed;
  }
  DeviceSink device;
  ConsoleJobUser user;
  PrintJob job(printSettings, codeTable, device, user);
  const int copies = printSettings.BRNCOP;
  bool rangeEnded = false;
  for (int copy = 1; copy <= copies; ++copy) {
    InputFile input;
    if (!input.Open(inputFile)) {
      // The file was there for the copy before: say which file went missing.
      ShowMessageAbout("BRARQNAO", ShownSystemName(inputFile));
      DeviceClose();
      return kPrintInputMissing;
    }
    const CopyEnd end = job.PrintCopy(input);
    input.Close();
    if (end == CopyEnd::Cancelled) {
      DeviceClose();
      return kPrintCancelled;
    }
    if (end == CopyEnd::ReadFailed) {
      DeviceClose();
      ShowMessageAbout("BRIMPINC", inputFile);
      return kPrintReadFailed;
    }
    rangeEnded = rangeEnded || end == CopyEnd::PageRangeEnded;
    ShowMessage("BRFIMCOP", 1);
    if (copies != 1) SpeakNumber(copy);
    WriteLineEnds(1);
  }
  if (!DeviceClose()) {
    // The last bytes held for a file did not reach it, or the file is gone.
    ShowMessageAbout("BRERRESC", DeviceProblem());
    return kPrintDeviceFailed;
  }
  if (rangeEnded) ReportPageRangeEnd(job.State().pagesInRange);
  ShowMessage("BRFIMTRA", 1);
  return kPrintDone;
}
