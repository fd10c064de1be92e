#include "driver/print_program.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "braille/input_file.h"
#include "braille/print_settings.h"
#include "braille_display/braille_display.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "console/key_queue.h"
#include "driver/audio_check.h"
#include "driver/display_preview.h"
#include "driver/cli.h"
#include "driver/document_input.h"
#include "driver/parameter_dialogue.h"
#include "driver/print_document.h"
#include "driver/print_volumes.h"
#include "editor/edit_field.h"
#include "editor/read_line.h"
#include "platform/disk_names.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"

namespace {

constexpr int kChooserLines = 15;
constexpr int kClosingPause = 2000;
constexpr const char* kSettingsFileName = "SONARA.INI";
constexpr std::string_view kBrailleOnlyOption = "--braille-only";

[[noreturn]] void EndProgram(int status) {
  ShutdownSpeech();
  EndConsoleProgram(status);
}

// The job is given up: said, a pause, the attention tone, and the end.
[[noreturn]] void CancelExit(int status) {
  ShowMessage("BRIMPCAN", 1);
  Delay(kClosingPause);
  PlayBeep();
  EndProgram(status);
}

// Without its data the program has no voice: where it looked is written on
// the screen and on standard error, and after a tone and a key it ends.
void EndWithoutData() {
  std::string lookedIn;
  if (DataDirectoryFound(lookedIn)) return;
  const std::string message = GetMessageWith("BRSEMDAD", {lookedIn});
  PrintError(message);
  WriteToConsole(message);
  WriteLineEnds(1);
  FlushConsole();
  PlayBeep();
  ReadKey();
  EndConsoleProgram(kNoDataStatus);
}

// Nothing was embossed, and the user has heard why.
[[noreturn]] void EndAfterNothingPrinted(int status) {
  if (status == kPrintReadFailed) CancelExit(status);
  Delay(kClosingPause);
  WaitSpeechEnd();
  EndProgram(status);
}

void Greet() {
  ClearWindow();
  SetConsoleTitle("RELEVIX");
  // The window is on the screen once made (SDL waits for it to be mapped):
  // its pending events are handled, and the greeting follows at once.
  Delay(0);
  ShowMessage("BRINTRO", 0);
  WriteToConsole(kProgramVersion);
  FlushConsole();
  SpeakLetters(kProgramVersion);
  WriteAndSpeak(" beta");
  WriteLineEnds(2);
  // The display keeps the greeting whole, as the screen shows it.
  ShowOnBrailleDisplay(GetMessage("BRINTRO") + kProgramVersion + " beta");
}

// The Braille display is taken before anything is said. Working with it
// alone (SOMENTEBRAILLE=S, or --braille-only among the arguments, which is
// then no file name) silences speech, unless no display could be taken:
// speech then stays on, and the answer is true: that is to be said.
bool TakeBrailleDisplay(std::vector<std::string>& arguments) {
  const auto option = std::ranges::find(arguments, std::string(kBrailleOnlyOption));
  bool brailleOnly = option != arguments.end();
  if (brailleOnly) arguments.erase(option);
  const std::string setting = ReadSuiteSetting("RELEVIX", "SOMENTEBRAILLE");
  brailleOnly = brailleOnly || (!setting.empty() && (setting.front() == 'S' || setting.front() == 's'));
  const bool taken = StartBrailleDisplay();
  if (brailleOnly && taken) SetSpeechSilent(true);
  return brailleOnly && !taken;
}

// The first argument without its leading blanks, or the name the user
// types or chooses; the program ends when the answer is empty.
std::string FileToPrint(const std::vector<std::string>& arguments) {
  std::string name;
  if (!arguments.empty()) {
    name = arguments[0].substr(std::min(arguments[0].find_first_not_of(' '), arguments[0].size()));
  } else {
    while (KeyPressed()) ReadKey();
    ShowMessage("BRNOMARQ", 0);
    // The Braille display shows the question before the answer typed.
    lineEditor.displayLabel = GetMessage("BRNOMARQ");
    ReadLine(kChooserLines, name);
    lineEditor.displayLabel.clear();
    if (name.empty()) {
      WriteLineEnds(1);
      ShowMessage("BRFIMTRA", 1);
      EndProgram(0);
    }
  }
  SetConsoleTitle("RELEVIX " + ShownSystemName(name));
  return name;
}

// "N" to the defaults question opens the form; any other key keeps them.
void ConfirmSettings() {
  ShowMessage("BRPADRAO", 0);
  const EchoedKey answer = ReadKeyEchoed();
  WriteLineEnds(1);
  if (answer.key != kExtendedKey && UpperWindows1252(static_cast<unsigned char>(answer.key)) == 'N' && !AskPrintParameters()) {
    EndProgram(kPrintDeviceFailed);
  }
}

// Enter starts the printing, Esc gives it up; F2 shows the pages on the
// Braille display first, and the question is asked again; other keys are
// ignored.
void ConfirmStart(const std::string& file) {
  WriteLineEnds(1);
  ShowMessage("BRESCCAN", 1);
  while (true) {
    const int key = ReadKey();
    if (key == kExtendedKey) {
      // An extended key's code: ignored like the key, but for the preview.
      if (ReadKey() != kF2Key) continue;
      PreviewFileOnDisplay(file);
      ShowMessage("BRESCCAN", 1);
    } else if (key == kEnterKey) {
      WriteLineEnds(1);
      return;
    } else if (key == kEscapeKey) {
      CancelExit(kPrintCancelled);
    }
  }
}

}  // namespace

void ProvideUserSettings() {
  if (FileExists(SuiteSettingsFile())) return;
  const std::string installed = JoinPath(DataDirectory(), kSettingsFileName);
  if (!FileExists(installed)) return;
  std::error_code error;
  std::filesystem::create_directories(LinuxPath(SettingsDirectory()), error);
  // Without a copy the program still runs on the built-in defaults.
  std::filesystem::copy_file(LinuxPath(installed), LinuxPath(JoinPath(SettingsDirectory(), kSettingsFileName)),
                             error);
}

void RunPrintProgram(std::vector<std::string> arguments) {
  EndWithoutData();
  if (StartSpeech(0, ReadSuiteSetting("RELEVIX", "DIRRELEVIX")) != 0) EndConsoleProgram(kNoVoiceStatus);
  const bool brailleOnlyWithoutDisplay = TakeBrailleDisplay(arguments);
  Greet();
  // Said after the greeting, which clears the window.
  if (brailleOnlyWithoutDisplay) ShowMessage("BRLSEMLI", 1);
  if (ReportAudioOutputProblem()) EndProgram(kSoundLost);
  const std::string file = FileToPrint(arguments);
  // A chosen name may hold characters with no Windows-1252 form: they are
  // shown as '?', while the file is opened by its name on disk.
  WriteToConsole(ShownSystemName(file));
  WriteLineEnds(1);
  if (!InputFileFound(file)) {
    ShowMessageAbout("BRARQNAO", ShownSystemName(file));
    CancelExit(kPrintInputMissing);
  }
  // What the file is, or why it cannot be printed, follows its name.
  if (const int status = PrepareDocument(file); status != kPrintDone) EndAfterNothingPrinted(status);
  SayDocumentFormat();
  if (!ReadPrintSettingsAndCodeTable()) EndProgram(kPrintDeviceFailed);
  WarnOfReplacedSettings();
  // A file that cannot be read, or holds nothing, is said before any
  // question is asked.
  if (const int status = CheckPrintable(file); status != kPrintDone) EndAfterNothingPrinted(status);
  ConfirmSettings();
  ConfirmStart(file);

  askBetweenVolumes = true;
  const int status = PrintDocument(file);
  switch (status) {
    case kPrintDone:
      Delay(kClosingPause);
      WaitSpeechEnd();
      EndProgram(ReportAudioOutputProblem() ? kSoundLost : kPrintDone);
    case kPrintNothingToEmboss:
      EndAfterNothingPrinted(status);
    case kPrintDeviceFailed:
      // The device could not be used: the program ends on the message.
      EndConsoleProgram(status);
    case kPrintCancelled:
      CancelExit(status);
    default:
      // The file vanished or could not be read: the device is closed with
      // the copies made so far, and the user hears that the job stopped.
      ShowMessage("BRIMPCAN", 1);
      EndProgram(status);
  }
}
