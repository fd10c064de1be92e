#include "driver/print_volumes.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "braille/input_file.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "console/key_queue.h"
#include "devices/brdevice.h"
#include "driver/document_input.h"
#include "driver/print_document.h"
#include "platform/disk_names.h"
#include "speech/speech.h"
#include "volumes/book_volumes.h"
#include "volumes/volume_output.h"

bool askBetweenVolumes = false;

namespace {

std::string Count(std::size_t number) { return std::to_string(number); }

// The file's name without its folder and extension: the title of a book
// whose text and settings set none.
std::string FileTitle(const std::string& inputFile) {
  return ShownSystemName(std::filesystem::path(inputFile).stem().string());
}

// The volumes printSettings ask for (BRVOLUME, the page range), counted
// from 0; none, said, when the book has no such volume or page.
std::vector<std::size_t> ChosenVolumes(const Book& book) {
  const std::size_t count = book.volumes.size();
  std::vector<std::size_t> chosen;
  const int asked = printSettings.BRVOLUME;
  if (asked > 0 && static_cast<std::size_t>(asked) > count) {
    WriteLineAndSpeak(GetMessageWith("VOLNAOHA", {Count(count), Count(static_cast<std::size_t>(asked))}));
    return chosen;
  }
  for (std::size_t v = 0; v < count; ++v) {
    if (asked > 0 && v + 1 != static_cast<std::size_t>(asked)) continue;
    if (VolumeInRange(book.volumes[v], printSettings)) chosen.push_back(v);
  }
  if (chosen.empty()) ShowMessage("BRNENHPG", 1);
  return chosen;
}

// ENTER when the paper is in, ESC to end the job (said as incomplete, with
// the volumes printed so far).
bool PaperReady(std::size_t volume, std::size_t volumes, std::size_t printed, std::size_t asked) {
  if (!askBetweenVolumes) return true;
  ClearKeyQueue();
  WriteLineAndSpeak(GetMessageWith("VOLPAPEL", {Count(volume + 1), Count(volumes)}));
  for (;;) {
    const int key = ReadKey();
    if (key == kEnterKey) return true;
    if (key == kEscapeKey) break;
    if (key == kExtendedKey) ReadKey();
  }
  WriteLineAndSpeak(GetMessageWith("VOLINCOM", {Count(printed), Count(asked)}));
  return false;
}

// The volumes, their copies one after the other, to the device of that
// name, written in format.
int EmbossOnDevice(const std::string& deviceName, const std::vector<std::size_t>& volumes, const Book& book,
                   OutputFormat format, const std::string& inputFile, const BeforeVolume& before = {}) {
  if (DeviceIsFile(deviceName, inputFile)) {
    ShowMessageAbout("BRMESMOA", deviceName);
    return kPrintDeviceFailed;
  }
  if (!DeviceOpen(deviceName, inputFile)) {
    ShowMessage("BRERRCRI", 1);
    WriteLineAndSpeak(DeviceProblem());
    return kPrintDeviceFailed;
  }
  DeviceSink device;
  ConsoleJobUser user;
  FormattedOutput output(format, printSettings, codeTable, printSettings.USABRAILLEANTIGO, DocumentTitle(inputFile),
                         device);
  if (!EmbossVolumes(book, volumes, printSettings, output, output.Pages(), user, before)) {
    // A file keeps what was made of the job.
    output.Finish();
    DeviceClose();
    return kPrintCancelled;
  }
  ClearKeyQueue();
  return FinishOnDevice(output);
}

}  // namespace

bool VolumesAsked() { return printSettings.FOLHASPORVOLUME > 0 || printSettings.BRVOLUME > 0; }

std::string VolumeFileName(std::string_view deviceName, int volume) {
  const std::size_t folder = deviceName.find_last_of("/\\");
  const std::size_t nameStart = folder == std::string_view::npos ? 0 : folder + 1;
  std::size_t dot = deviceName.rfind('.');
  // A name that only begins with a dot (".livro") has no extension.
  if (dot == std::string_view::npos || dot <= nameStart) dot = deviceName.size();
  return std::string(deviceName.substr(0, dot)) + "-" + std::to_string(volume) + std::string(deviceName.substr(dot));
}

int ComposeChosenVolumes(const std::string& inputFile, bool picturesAsCells, std::optional<Book>& book,
                         std::vector<std::size_t>& chosen) {
  if (const int status = PrepareDocument(inputFile); status != kPrintDone) return status;
  InputFile input;
  if (!OpenJobInput(inputFile, input)) {
    ShowMessageAbout("BRARQNAO", ShownSystemName(inputFile));
    return kPrintInputMissing;
  }
  ConsoleJobUser composing;
  book.emplace(ComposeBook(printSettings, codeTable, picturesAsCells, input, FileTitle(inputFile), composing));
  input.Close();
  if (book->readFailed) {
    ShowMessage("BRERRLEI", 1);
    ShowMessageAbout("BRIMPINC", inputFile);
    return kPrintReadFailed;
  }
  if (!book->anyContent) {
    ShowMessageAbout("BRARQVAZ", ShownSystemName(inputFile));
    return kPrintNothingToEmboss;
  }
  chosen = ChosenVolumes(*book);
  return chosen.empty() ? kPrintNothingToEmboss : kPrintDone;
}

int PrintInVolumes(const std::string& inputFile, OutputFormat format) {
  std::optional<Book> composed;
  std::vector<std::size_t> chosen;
  if (const int status = ComposeChosenVolumes(inputFile, format != OutputFormat::Bytes, composed, chosen);
      status != kPrintDone) {
    return status;
  }
  const Book& book = *composed;
  const RunningJob running;
  const std::size_t count = book.volumes.size();
  const std::string& device = printSettings.DISPSAIDA;
  // Several volumes for a file device: a file each. A PEF holds them all.
  if (count > 1 && format != OutputFormat::Pef && DeviceNamesFile(device)) {
    for (const std::size_t volume : chosen) {
      const std::string name = VolumeFileName(device, static_cast<int>(volume) + 1);
      if (const int status = EmbossOnDevice(name, {volume}, book, format, inputFile); status != kPrintDone) {
        return status;
      }
      WriteLineAndSpeak(GetMessageWith("VOLARQ", {Count(volume + 1), Count(count), name}));
    }
  } else if (count > 1 && DeviceNamesSpooler(device)) {
    // The spooler prints a job once it is whole: a job for each volume.
    for (std::size_t i = 0; i < chosen.size(); ++i) {
      if (i > 0 && !PaperReady(chosen[i], count, i, chosen.size())) return kPrintCancelled;
      if (const int status = EmbossOnDevice(device, {chosen[i]}, book, format, inputFile); status != kPrintDone) {
        return status;
      }
    }
  } else {
    // A port stays open while the paper is changed.
    std::size_t printed = 0;
    const auto paper = [&](std::size_t volume) { return PaperReady(volume, count, ++printed, chosen.size()); };
    if (const int status = EmbossOnDevice(device, chosen, book, format, inputFile, paper); status != kPrintDone) {
      return status;
    }
  }
  ShowMessage("BRFIMTRA", 1);
  return kPrintDone;
}
