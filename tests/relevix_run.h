// Runs the talking program `relevix` on the headless console host with a
// key script, the null audio output logging every sound, and a file as the
// output device; collects the screen, what was heard, the bytes printed and
// the settings file afterwards.
#pragma once

#include <string>
#include <vector>

#include "tests/support/test_support.h"

// Key script pieces: speech and the form's start empty the key queue, so the
// keys after them come once the program is surely there.
inline const std::string kAfterGreeting = "WAIT 2500 ";
inline const std::string kIntoForm = "N WAIT 1500 ";
// ENTER at "ENTER continua, ESC cancela", once the form's end has been said.
inline const std::string kConfirm = " WAIT 800 ENTER";

struct RelevixRun {
  int status = -1;
  std::string output;               // standard output and error
  std::vector<std::string> screen;  // the 25 rows of the screen dump (UTF-8)
  std::vector<std::string> heard;   // each sound: a file's name without .wav, or "memory"
  std::string printed;              // the bytes of the output file
  std::string settings;             // the settings file afterwards

  // Whether the recorded message or sound of this name was played.
  bool Heard(const std::string& name) const;
  // The whole screen as one text, rows ended by '\n'.
  std::string Screen() const;
  // The row (1-based) holding the text, or 0.
  int RowOf(const std::string& text) const;
};

class RelevixProgram {
 public:
  // A work folder (the current directory of the runs) holding the settings
  // file, its RELEVIX section given by relevixSection ("KEY=value" lines),
  // with DISPSAIDA=saida.brf unless it names its own.
  explicit RelevixProgram(const std::string& relevixSection = "");

  // Runs relevix with the arguments (shell words) and the key script.
  RelevixRun Run(const std::string& arguments, const std::string& keys, const std::string& environment = "");
  // The same, with the signal sent after the given milliseconds.
  RelevixRun RunSignalled(const std::string& arguments, const std::string& keys, int signalNumber,
                          int afterMilliseconds);

  std::string File(const std::string& name) const { return work_.File(name); }
  std::string SettingsFile() const { return settingsDir_.File("SONARA.INI"); }
  const std::string& Folder() const { return work_.path(); }
  const std::string& SettingsFolder() const { return settingsDir_.path(); }

 private:
  std::string Command(const std::string& arguments, const std::string& keys, const std::string& environment);
  RelevixRun Collect(int status, const std::string& output) const;

  testing_support::TempDir work_, settingsDir_;
};
