// The subcommands of relevix-cli, the command-line face of the program for
// scripts, tests and checking a set-up. Arguments arrive as Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

using CliArguments = std::vector<std::string>;

// Exit status of a command called the wrong way (as sysexits' EX_USAGE).
constexpr int kUsageError = 64;
// Exit status when sound that was to be recorded was lost (as EX_IOERR).
constexpr int kSoundLost = 74;
// Exit status when the program's data (voice, sounds, tables) is not where
// it was looked for (as EX_OSFILE).
constexpr int kNoDataStatus = 72;

// The arguments joined by single blanks: the text of the commands that take
// the rest of the line as their text.
std::string Joined(const CliArguments& words);

// Takes "--name VALUE" out of args; true when it was there (value set).
// False with an empty error when absent; a message in error when the value
// is missing.
bool TakeOption(CliArguments& args, const std::string& name, std::string& value, std::string& error);

// Takes the switch "--name" out of args; true when it was there.
bool TakeFlag(CliArguments& args, const std::string& name);

// Shows the error (when not empty) and the command's usage (the message
// usageKey, "USOPRINT") on standard error; the usage-error status.
int CommandUsageError(std::string_view usageKey, const std::string& error);

// Reads the settings file named by --settings (or found as usual), the
// print settings from it and their code table. 0 when done; kUsageError
// with error set; the status of a failed device when the code table cannot
// be opened (said).
int TakeSettings(CliArguments& args, std::string& error);

// The status of TakeSettings made the command's: a usage error shows the
// usage.
int SettingsFailure(int status, std::string_view usageKey, const std::string& error);

// "--pages A-B": the first and last page to emboss, into the print settings.
bool TakePageRange(CliArguments& args, std::string& error);

// "--sheets-per-volume N" and "--volume K" into the print settings (a
// negative number is refused).
bool TakeVolumeOptions(CliArguments& args, std::string& error);

// The one text file argument left after the options.
bool TakeTextFile(CliArguments& args, std::string& name, std::string& error);

// Writes Windows-1252 text on standard output as UTF-8.
void PrintOut(const std::string& text);
// Writes a Windows-1252 message line on standard error as UTF-8.
void PrintError(const std::string& text);

// The Linux path of a system path, as Windows-1252 text for showing.
std::string DisplayPath(const std::string& systemPath);

int RunSettingsCommand(CliArguments args);
int RunPrintCommand(CliArguments args);
int RunPreviewCommand(CliArguments args);
int RunConvertCommand(CliArguments args);
int RunTranscribeCommand(CliArguments args);
int RunQueueCommand(CliArguments args);
int RunPpdCommand(CliArguments args);
int RunKeyboardCommand(CliArguments args);
int RunPlayCommand(CliArguments args);
int RunSpeakTranslatorCommand(CliArguments args);
int RunSpeakCommand(CliArguments args);
int RunLineCommand(CliArguments args);
int RunNormaliseCommand(CliArguments args);
int RunPhonemesCommand(CliArguments args);
int RunSpeakEngineCommand(CliArguments args);
