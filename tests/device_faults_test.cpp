// Devices that fail while relevix-cli prints: a disk that fills, an output
// folder removed, the input removed between copies, a serial port whose
// other end goes away. Each is reported with the device and the reason,
// nothing is reported as done, and the program ends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// Lines of text enough for pages and pages; each line is one Braille line.
std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "linha de texto numero " + std::to_string(i) + "\n";
  return text;
}

class DeviceFaultTest : public ::testing::Test {
 protected:
  // Pacing makes a job last: lines per minute become a pause after each line.
  void Settings(const std::string& extra) {
    WriteFile(work.File("SONARA.INI"), "[RELEVIX]\nCOLUNAS=40\nLINHAS=25\nAUTOFORMATA=N\n" + extra);
  }
  CliResult Run(const std::string& arguments) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "' RELEVIX_AUDIO=null",
                  "print --settings SONARA.INI " + arguments);
  }
  // Runs the job while `during` acts on it: once the output file exists (the
  // job has begun, however slowly the program starts) and `delay` more.
  template <typename Action>
  CliResult RunWhile(const std::string& arguments, const std::string& output, std::chrono::milliseconds delay,
                     Action during) {
    CliResult result;
    std::thread job([&] { result = Run(arguments); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!output.empty() && !std::filesystem::exists(output) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(delay);
    during();
    job.join();
    return result;
  }

  TempDir work, windir;
};

TEST_F(DeviceFaultTest, ADiskThatFillsIsNamedAndTheJobDoesNotEndWell) {
  const std::string disk = work.File("disco");
  std::filesystem::create_directory(disk);
  if (geteuid() != 0 || mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=16k") != 0) {
    GTEST_SKIP() << "no small tmpfs can be mounted here (needs root and mount rights)";
  }
  Settings("");
  // About 20 KB: the line that does not fit is refused, and the user is
  // asked (nobody answers here, so the job is given up).
  WriteFile(work.File("medio.txt"), Lines(800));
  const CliResult inMiddle = Run("--device disco/outra.brf medio.txt");
  const std::size_t written = std::filesystem::file_size(disk + "/outra.brf");
  umount(disk.c_str());

  // Every line before the refused one is in the file.
  EXPECT_GT(written, 8000u);
  EXPECT_EQ(inMiddle.status, 3) << inMiddle.output;
  EXPECT_NE(inMiddle.output.find("disco/outra.brf: disco cheio\nENTER continua, ESC cancela\n"), std::string::npos)
      << inMiddle.output;
  EXPECT_EQ(inMiddle.output.find("Fim de"), std::string::npos) << inMiddle.output;
}

TEST_F(DeviceFaultTest, AnOutputFolderRemovedDuringTheJobIsReported) {
  Settings("LINHASPORMINUTO=1200\n");  // 50 ms a line: 30 lines take 1.5 s
  WriteFile(work.File("texto.txt"), Lines(30));
  std::filesystem::create_directory(work.File("saida"));
  const CliResult result = RunWhile("--device saida/texto.brf texto.txt", work.File("saida/texto.brf"),
                                    std::chrono::milliseconds(200),
                                    [&] { std::filesystem::remove_all(work.File("saida")); });
  EXPECT_EQ(result.status, 2) << result.output;
  EXPECT_NE(result.output.find("Erro de escrita no dispositivo de impress\xC3\xA3o: saida/texto.brf: n\xC3\xA3o existe\n"),
            std::string::npos)
      << result.output;
  EXPECT_EQ(result.output.find("Fim de trabalho"), std::string::npos) << result.output;
}

TEST_F(DeviceFaultTest, AnInputRemovedBetweenCopiesEndsTheJobAfterTheFirstCopy) {
  Settings("LINHASPORMINUTO=1200\n");
  const std::string text = Lines(30);
  WriteFile(work.File("texto.txt"), text);
  const CliResult result = RunWhile("--copies 2 --device saida.brf texto.txt", work.File("saida.brf"),
                                    std::chrono::milliseconds(300),
                                    [&] { std::filesystem::remove(work.File("texto.txt")); });
  EXPECT_EQ(result.status, 1) << result.output;
  EXPECT_NE(result.output.find("Arquivo n\xC3\xA3o foi achado: texto.txt\n"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Fim de trabalho"), std::string::npos) << result.output;
  // The first copy is whole: two pages of 25 and 5 lines, each ended.
  const std::string embossed = ReadFile(work.File("saida.brf"));
  EXPECT_EQ(std::count(embossed.begin(), embossed.end(), '\f'), 2);
  EXPECT_EQ(std::count(embossed.begin(), embossed.end(), '\n'), 30);
}

TEST_F(DeviceFaultTest, ASerialPortWhoseOtherEndGoesAwayIsReported) {
  // Close-on-exec: the program under test must not hold the embosser's end.
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const std::string port = ptsname(master);
  Settings("LINHASPORMINUTO=600\nCOM1=" + port + "\n");  // 100 ms a line
  WriteFile(work.File("texto.txt"), Lines(30));
  // The embosser takes the first bytes, then is unplugged.
  // The read waits for the first bytes, however slowly the program starts.
  const CliResult result = RunWhile("--device COM1 texto.txt", "", std::chrono::milliseconds(0), [&] {
    char buffer[256];
    (void)!read(master, buffer, sizeof buffer);
    close(master);
  });
  EXPECT_EQ(result.status, 3) << result.output;
  EXPECT_NE(result.output.find("Erro de escrita no dispositivo de impress\xC3\xA3o: COM1 (" + port +
                               "): dispositivo desligado ou desconectado\n"),
            std::string::npos)
      << result.output;
  EXPECT_EQ(result.output.find("Fim de"), std::string::npos) << result.output;
}

}  // namespace
