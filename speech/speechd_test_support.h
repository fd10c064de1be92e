// A private speech-dispatcher for the tests: its own configuration, socket
// and logs in a temporary folder, reached through SPEECHD_ADDRESS. Its one
// output module writes each text with its rate, pitch and voice as a line
// "text|rate|pitch|voice" into a file and then takes a second to "speak"
// it (or runs the command given instead); the service's audio goes to
// libao's null driver. Its voices: "ingles" (en), "brasil1" and "brasil2"
// (pt-BR). More lines of speechd.conf (the user's defaults, another module)
// may be given.
#pragma once

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "speech/speech_server.h"
#include "tests/support/test_support.h"

extern char** environ;

namespace speechd_testing {

// Polls the server as the front end does until it is quiet; false when it
// still speaks after the limit.
inline bool QuietWithin(std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (ServerIsSpeaking(false)) {
    if (std::chrono::steady_clock::now() > end) return false;
  }
  return true;
}

class PrivateSpeechService {
 public:
  explicit PrivateSpeechService(const std::string& speaking = "sleep 1", const std::string& moreSettings = "") {
    namespace fs = std::filesystem;
    fs::create_directories(dir_.File("conf/modules"));
    fs::create_directories(dir_.File("home"));
    testing_support::WriteFile(dir_.File("home/.libao"), "default_driver=null\n");
    testing_support::WriteFile(dir_.File("conf/speechd.conf"),
                               "LogLevel 3\nLogDir \"" + dir_.path() + "\"\nAudioOutputMethod \"libao\"\n"
                               "AddModule \"gravador\" \"sd_generic\" \"gravador.conf\"\nDefaultModule gravador\n" +
                                   moreSettings);
    testing_support::WriteFile(
        dir_.File("conf/modules/gravador.conf"),
        "GenericExecuteSynth \"printf '%s|%s|%s|%s\\\\n' \\'$DATA\\' $RATE $PITCH $VOICE >> " + Transcript() +
            "; " + speaking + "; echo fim >> " + Transcript() + "\"\n"
            "GenericLanguage \"pt-BR\" \"pt\" \"utf-8\"\nGenericLanguage \"pt-br\" \"pt\" \"utf-8\"\n"
            "GenericLanguage \"pt\" \"pt\" \"utf-8\"\nGenericLanguage \"en\" \"en\" \"utf-8\"\n"
            // rate and pitch as the module writes them: the service's value with two decimals
            "GenericRateAdd 0\nGenericRateMultiply 100\nGenericPitchAdd 0\nGenericPitchMultiply 100\n"
            // listed in an order that is not the program's
            "AddVoice \"en\" \"MALE1\" \"ingles\"\nAddVoice \"pt-BR\" \"MALE1\" \"brasil1\"\n"
            "AddVoice \"pt-BR\" \"FEMALE1\" \"brasil2\"\n");
    address_ = std::make_unique<testing_support::ScopedEnv>("SPEECHD_ADDRESS",
                                                            ("unix_socket:" + Socket()).c_str());
    Start();
  }

  ~PrivateSpeechService() { End(); }

  PrivateSpeechService(const PrivateSpeechService&) = delete;
  PrivateSpeechService& operator=(const PrivateSpeechService&) = delete;

  // Why the service could not be started; empty when it runs.
  const std::string& Reason() const { return reason_; }

  // The lines the module wrote so far.
  std::vector<std::string> Transcribed() const {
    std::vector<std::string> lines;
    std::istringstream text(testing_support::ReadFile(Transcript()));
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }

  // Ends the service as a crash would.
  void Kill() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

 private:
  std::string Transcript() const { return dir_.File("falado.txt"); }
  std::string Socket() const { return dir_.File("speechd.sock"); }

  void Start() {
    std::vector<std::string> environment{"HOME=" + dir_.File("home")};
    for (char** entry = environ; *entry != nullptr; ++entry) {
      if (std::string(*entry).rfind("HOME=", 0) != 0) environment.push_back(*entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> arguments{"speech-dispatcher", "-s", "-t", "0", "-c", "unix_socket", "-S", Socket(),
                                       "-C", dir_.File("conf"), "-L", dir_.path(), "-P", dir_.File("pid")};
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string output = dir_.File("saida.txt");
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int error = posix_spawnp(&pid_, "speech-dispatcher", &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
      pid_ = -1;
      reason_ = "speech-dispatcher is not installed (tools/install-deps installs it)";
      return;
    }
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(Socket())) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        reason_ = "speech-dispatcher ended at start: " + testing_support::ReadFile(dir_.File("speech-dispatcher.log"));
        return;
      }
      if (std::chrono::steady_clock::now() > limit) {
        End();
        reason_ = "speech-dispatcher made no socket within 10 s";
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  void End() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }

  testing_support::TempDir dir_;
  std::unique_ptr<testing_support::ScopedEnv> address_;
  pid_t pid_ = -1;
  std::string reason_;
};

}  // namespace speechd_testing

// Skips the test, with the reason printed, when the service cannot run here.
#define START_PRIVATE_SPEECH_SERVICE(name, ...)          \
  speechd_testing::PrivateSpeechService name{__VA_ARGS__}; \
  if (!name.Reason().empty()) GTEST_SKIP() << name.Reason()
