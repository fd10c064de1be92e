// relevix-cli convert: the text a job reads, with its layout commands, as
// UTF-8 on standard output: a document as it was converted, a plain text as
// the reader decodes it. It can be checked, or saved, edited and printed.
#include <cstdio>
#include <string>

#include "braille/input_file.h"
#include "catalogue/brmsg.h"
#include "driver/cli.h"
#include "driver/document_input.h"
#include "driver/print_document.h"
#include "platform/text_encoding.h"

namespace {

bool WriteOut(const std::string& utf8) { return std::fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size(); }

}  // namespace

int RunConvertCommand(CliArguments args) {
  constexpr std::string_view usageKey = "USOCONVE";
  std::string error, file;
  if (const int status = TakeSettings(args, error); status != 0) return SettingsFailure(status, usageKey, error);
  if (!TakeTextFile(args, file, error)) return CommandUsageError(usageKey, error);
  if (!InputFileFound(file)) {
    ShowMessageAbout("BRARQNAO", file);
    return kPrintInputMissing;
  }
  if (const int status = PrepareDocument(file); status != kPrintDone) return status;
  bool written = true;
  if (const std::string* text = ConvertedText()) {
    written = WriteOut(*text);
  } else {
    InputFile input;
    if (!input.Open(file)) {
      ShowMessageAbout("BRARQNAO", file);
      return kPrintInputMissing;
    }
    std::string block(64 * 1024, '\0');
    int count;
    while ((count = input.ReadBlock(block.data(), static_cast<int>(block.size()))) > 0) {
      written = WriteOut(Utf8FromWindows1252(std::string_view(block.data(), static_cast<std::size_t>(count)))) && written;
    }
    if (count < 0) {
      ShowMessage("BRERRLEI", 1);
      return kPrintReadFailed;
    }
  }
  if (std::fflush(stdout) != 0 || !written) {
    ShowMessageAbout("BRERRESC", "stdout");
    return kPrintDeviceFailed;
  }
  return kPrintDone;
}
