#include "driver/pef_input.h"

#include <fstream>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "catalogue/brmsg.h"
#include "driver/print_document.h"
#include "platform/disk_names.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "platform/whole_file.h"
#include "speech/speech.h"

namespace {

constexpr std::size_t kSniffBytes = 4096;

}  // namespace

// A pipe is never looked into: what is read of it would be lost to the text.
bool InputIsPef(const std::string& inputFile) {
  if (!InputFileReadsAgain(inputFile)) return false;
  std::ifstream file(LinuxPath(inputFile), std::ios::binary);
  std::string head(kSniffBytes, '\0');
  file.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(file.gcount()));
  return LooksLikePef(head);
}

int ReadPefInput(const std::string& inputFile, PefBook& book) {
  std::string bytes;
  if (!ReadWholeFile(LinuxPath(inputFile), bytes)) {
    ShowMessageAbout("BRARQNAO", ShownSystemName(inputFile));
    return kPrintInputMissing;
  }
  PefProblem problem;
  if (ReadPef(bytes, book, problem)) return kPrintDone;
  // The reasons take three values at most.
  std::vector<std::string> values(3);
  for (std::size_t i = 0; i < std::min(values.size(), problem.values.size()); ++i) {
    values[i] = Windows1252FromUtf8(problem.values[i]);
  }
  ShowMessageAbout("PEFRECUS", GetMessageWith(problem.messageKey, {values[0], values[1], values[2]}));
  return kPrintReadFailed;
}

void WarnOfLargerPages(const PefBook& book) {
  int cols = 0, rows = 0;
  for (const PefVolume& volume : book.volumes) {
    for (const PefSection& section : volume.sections) {
      cols = std::max(cols, section.cols);
      rows = std::max(rows, section.rows);
    }
  }
  if (cols <= printSettings.COLUNAS && rows <= printSettings.LINHAS) return;
  ShowMessageAbout("PEFMAIOR", GetMessageWith("PEFTAMAN", {std::to_string(cols), std::to_string(rows),
                                                          std::to_string(printSettings.COLUNAS),
                                                          std::to_string(printSettings.LINHAS)}));
}

const CodeTable* PefCodeTable(CodeTable& spare) {
  if (!printSettings.USABRAILLEANTIGO) return &codeTable;
  if (LoadCodeTable(printSettings.AMBCODE2, spare).opened) return &spare;
  WriteLineAndSpeak(printSettings.AMBCODE2);
  ShowMessage("BRCNFERR", 1);
  return nullptr;
}
