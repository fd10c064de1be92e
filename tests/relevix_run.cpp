#include "tests/relevix_run.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "tests/cli_run.h"

using testing_support::ReadFile;
using testing_support::WriteFile;

bool RelevixRun::Heard(const std::string& name) const {
  for (const std::string& sound : heard) {
    if (sound == name) return true;
  }
  return false;
}

std::string RelevixRun::Screen() const {
  std::string text;
  for (const std::string& row : screen) text += row + "\n";
  return text;
}

int RelevixRun::RowOf(const std::string& text) const {
  for (std::size_t row = 0; row < screen.size(); ++row) {
    if (screen[row].find(text) != std::string::npos) return static_cast<int>(row) + 1;
  }
  return 0;
}

RelevixProgram::RelevixProgram(const std::string& relevixSection) {
  // The installed settings with the test's own lines first in RELEVIX (the
  // first of two equal keys is the one read).
  const char* data = std::getenv("RELEVIX_DATA_DIR");
  std::string settings = ReadFile(std::string(data == nullptr ? "" : data) + "/SONARA.INI");
  std::string section = relevixSection;
  if (section.find("DISPSAIDA=") == std::string::npos) section += "DISPSAIDA=saida.brf\n";
  const std::size_t at = settings.find("[RELEVIX]\n");
  settings.insert(at == std::string::npos ? 0 : at + 10, (at == std::string::npos ? "[RELEVIX]\n" : "") + section);
  WriteFile(SettingsFile(), settings);
}

std::string RelevixProgram::Command(const std::string& arguments, const std::string& keys,
                                    const std::string& environment) {
  WriteFile(work_.File("teclas.txt"), keys);
  std::remove(work_.File("ouvido.log").c_str());
  std::remove(work_.File("tela.txt").c_str());
  return "env SONARA_WINDIR='" + settingsDir_.path() +
         "' RELEVIX_CONSOLE=headless RELEVIX_KEYS=teclas.txt RELEVIX_SCREEN_DUMP=tela.txt "
         "RELEVIX_AUDIO=null:ouvido.log " +
         environment + " '" RELEVIX_PROGRAM "' " + arguments;
}

RelevixRun RelevixProgram::Collect(int status, const std::string& output) const {
  RelevixRun run;
  run.status = status;
  run.output = output;
  std::istringstream screen(ReadFile(work_.File("tela.txt")));
  for (std::string row; std::getline(screen, row);) run.screen.push_back(row);
  std::istringstream log(ReadFile(work_.File("ouvido.log")));
  for (std::string line; std::getline(log, line);) {
    const std::string source = line.substr(0, line.find(' '));
    const std::string name = source.substr(source.rfind('/') + 1);
    run.heard.push_back(source == "memory" ? source : name.substr(0, name.size() - 4));
  }
  run.printed = ReadFile(work_.File("saida.brf"));
  run.settings = ReadFile(SettingsFile());
  return run;
}

RelevixRun RelevixProgram::Run(const std::string& arguments, const std::string& keys, const std::string& environment) {
  const CliResult ran = RunShell("cd '" + work_.path() + "' && " + Command(arguments, keys, environment));
  return Collect(ran.status, ran.output);
}

RelevixRun RelevixProgram::RunSignalled(const std::string& arguments, const std::string& keys, int signalNumber,
                                        int afterMilliseconds) {
  const SignalledResult ran =
      RunShellSignalled(work_.path(), Command(arguments, keys, ""), signalNumber, afterMilliseconds);
  return Collect(ran.status, ran.output);
}
