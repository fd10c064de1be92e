// relevix-cli queue and ppd: a Braille embosser queue on the local print
// server, whose filter (relevix-cups) lays out every job as this program
// does, and the PPD it is made with.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "driver/cli.h"
#include "driver/print_document.h"
#include "filter/embosser_ppd.h"
#include "platform/message_texts.h"
#include "platform/program_start.h"
#include "platform/text_encoding.h"

namespace {

// The PPD in a file of its own for lpadmin, removed with this object.
class PpdFile {
 public:
  PpdFile() {
    const char* tmp = std::getenv("TMPDIR");
    path_ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/relevix-XXXXXX.ppd";
    const int fd = mkstemps(path_.data(), 4);
    if (fd < 0) {
      path_.clear();
      return;
    }
    const std::string ppd = EmbosserPpd(printSettings);
    written_ = write(fd, ppd.data(), ppd.size()) == static_cast<ssize_t>(ppd.size());
    written_ = close(fd) == 0 && written_;
  }
  ~PpdFile() {
    if (!path_.empty()) unlink(path_.c_str());
  }
  bool Written() const { return written_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool written_ = false;
};

}  // namespace

int RunPpdCommand(CliArguments args) {
  constexpr std::string_view usageKey = "USOPPD";
  std::string error;
  if (const int status = TakeSettings(args, error); status != 0) return SettingsFailure(status, usageKey, error);
  if (!args.empty()) return CommandUsageError(usageKey, GetMessageWith("CLIARGUM", {args[0]}));
  // The PPD declares ISO 8859-1, which the program's texts already are.
  const std::string ppd = EmbosserPpd(printSettings);
  return std::fwrite(ppd.data(), 1, ppd.size(), stdout) == ppd.size() && std::fflush(stdout) == 0 ? 0 : kSoundLost;
}

int RunQueueCommand(CliArguments args) {
  constexpr std::string_view usageKey = "USOFILA";
  std::string error, name, device;
  if (const int status = TakeSettings(args, error); status != 0) return SettingsFailure(status, usageKey, error);
  if (!TakeOption(args, "--name", name, error) || !TakeOption(args, "--device", device, error)) {
    return CommandUsageError(usageKey, error.empty() ? GetMessage("FILFALTA") : error);
  }
  if (!args.empty()) return CommandUsageError(usageKey, GetMessageWith("CLIARGUM", {args[0]}));

  const PpdFile ppd;
  if (!ppd.Written()) {
    PrintError(GetMessage("FILPPDNG"));
    return kPrintDeviceFailed;
  }
  // A job that fails is aborted and the queue goes on with the next one; the
  // server's default would stop the queue for everyone.
  const int status = RunProgramToEnd({"lpadmin", "-p", Utf8FromWindows1252(name), "-E", "-v",
                                      Utf8FromWindows1252(device), "-P", ppd.Path(), "-o",
                                      "printer-error-policy=abort-job", "-o", "printer-is-shared=false"});
  if (status != 0) {
    PrintError(GetMessageWith(status == -1 ? "FILSEMLP" : "FILLPADM", {name}));
    return kPrintDeviceFailed;
  }
  PrintOut(GetMessageWith("FILCRIAD", {name}) + "\n");
  return 0;
}
