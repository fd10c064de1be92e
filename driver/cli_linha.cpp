// relevix-cli linha: the line editor and the file chooser on the console,
// as a user meets them. The screen file is written first, so that screen
// review (Alt+Ctrl+F9) has something to read; then ReadLine asks for a file
// name, or EditFieldToLineEnd edits the initial text. Standard output gets
// TEXTO=<the result> and TECLA=<the code of the key that ended it>.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "console/console.h"
#include "driver/cli.h"
#include "editor/edit_field.h"
#include "editor/read_line.h"
#include "platform/disk_names.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"

namespace {

constexpr int kLongestText = 255;

// The screen file as Windows-1252 text with CR LF line ends; false when it
// cannot be read.
bool ReadScreenFile(const std::string& name, std::string& text) {
  std::ifstream file(LinuxPath(name), std::ios::binary);
  if (!file) return false;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  std::string raw = bytes.str();
  if (IsUtf8WithMultibyte(raw)) raw = Windows1252FromUtf8(raw);
  text.clear();
  for (const char c : raw) {
    if (c == '\r') continue;
    text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  }
  return true;
}

bool ParseLines(const std::string& value, int& lines) {
  try {
    std::size_t used = 0;
    lines = std::stoi(value, &used);
    return used == value.size() && lines >= 1 && lines <= 25;
  } catch (...) {
    return false;
  }
}

}  // namespace

int RunLineCommand(CliArguments args) {
  std::string initialText, linesText, screenFile, error;
  const bool editText = TakeOption(args, "--texto", initialText, error);
  if (error.empty()) TakeOption(args, "--linhas", linesText, error);
  if (error.empty()) TakeOption(args, "--tela", screenFile, error);
  int lines = 15;
  if (error.empty() && !linesText.empty() && !ParseLines(linesText, lines)) {
    error = GetMessageWith("LINHAS25", {linesText});
  }
  std::string screen;
  if (error.empty() && !screenFile.empty() && !ReadScreenFile(screenFile, screen)) {
    error = GetMessageWith("TELANAO", {screenFile});
  }
  if (!error.empty() || !args.empty()) {
    if (!error.empty()) PrintError(error);
    PrintError(GetMessage("USOLINHA"));
    return kUsageError;
  }
  if (!FileExists(SuiteSettingsFile())) SetSuiteSettingsFile(JoinPath(DataDirectory(), "SONARA.INI"));

  BindConsoleWindow();
  if (StartSpeech(0, ReadSuiteSetting("RELEVIX", "DIRRELEVIX")) != 0) EndConsoleProgram(kNoVoiceStatus);
  WriteToConsole(screen);
  std::string result = initialText;
  int key = 0;
  if (editText) {
    key = EditFieldToLineEnd(result, CursorColumn(), CursorRow(), true, kLongestText);
  } else {
    ReadLine(lines, result);
    key = readLine.lastKey;
  }
  // The result may name a file whose name has no Windows-1252 form: its
  // name on disk is printed.
  const std::string out = "TEXTO=" + DiskNameFromSystem(result) + "\nTECLA=" + std::to_string(key) + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fflush(stdout);
  ShutdownSpeech();
  EndConsoleProgram(0);
}
