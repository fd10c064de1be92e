#include "driver/print_job.h"

#include "braille/brImprim.h"
#include "braille/input_file.h"
#include "braille/print_settings.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "devices/brdevice.h"
#include "platform/disk_names.h"
#include "speech/speech.h"

bool InputFileFound(const std::string& name) {
  if (!OpenInputFile(name)) return false;
  CloseInputFile();
  return true;
}

void NormalisePagination() {
  if (printSettings.LINHAS > 0) {
    if (printSettings.BRPAGINI <= 0) printSettings.BRPAGINI = 1;
    if (printSettings.BRPAGFIN <= 0) printSettings.BRPAGFIN = 9999;
    if (printSettings.BRNUMINI <= 0) printSettings.BRNUMINI = 1;
  } else {
    printSettings.LINHAS = 30000;
  }
}

void WarnOfReplacedSettings() {
  for (const ReplacedSetting& replaced : ReplacedSettings()) {
    ShowMessageAbout("BRCFGTRO", replaced.key + "=" + replaced.written + ", usado " + std::to_string(replaced.used));
  }
}

void ReportPageRangeEnd(int pagesEmbossed) {
  ShowMessageAbout("BRPAGCOR", std::to_string(printSettings.BRPAGFIN));
  ShowMessageAbout("BRPAGIMP", std::to_string(pagesEmbossed));
}

int PrintDocument(const std::string& inputFile) {
  if (printSettings.DISPSAIDA.empty()) printSettings.DISPSAIDA = "LPT1";
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
  const int copies = printSettings.BRNCOP;
  bool rangeEnded = false;
  for (int copy = 1; copy <= copies; ++copy) {
    if (!OpenInputFile(inputFile)) {
      // The file was there for the copy before: say which file went missing.
      ShowMessageAbout("BRARQNAO", ShownSystemName(inputFile));
      DeviceClose();
      return kPrintInputMissing;
    }
    const CopyEnd end = PrintCopy();
    CloseInputFile();
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
  if (rangeEnded) ReportPageRangeEnd(composerState.pagesInRange);
  ShowMessage("BRFIMTRA", 1);
  return kPrintDone;
}
