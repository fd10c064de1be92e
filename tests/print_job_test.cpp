// Print jobs as the programs run them: two jobs in one process give the
// bytes of two separate runs of relevix-cli, and a device that refuses a
// line is answered by the console's user (ENTER goes on, ESC cancels).
#include "braille/print_job.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "braille/input_file.h"
#include "braille/output_sink.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "devices/brdevice.h"
#include "driver/print_document.h"
#include "platform/suite_settings.h"
#include "platform/text_encoding.h"
#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

std::string L(const std::string& cells) { return cells + "\r\n"; }
const std::string kFF = "\f";

// Two documents and two settings files that differ in everything the
// composer carries from line to line: reformatting, headers, interpoint,
// the rules, quotes and parentheses left open, a margin and a title.
struct Document {
  std::string settings;
  std::string text;
};
const Document kDocuments[] = {
    {"[RELEVIX]\nCOLUNAS=20\nLINHAS=5\nTITULA=S\nAUTOFORMATA=S\nFRENTEVERSO=S\nTITULOATRAS=S\nSEPARASILABAS=S\n",
     "<TCarta>\n\"Sim (disse ela, e foi\nembora) depois.\n\n          FIM\n<M  >\num dois tres quatro cinco seis sete\n"
     "oito nove dez onze doze treze\n<P>\nNovo \"trecho\n"},
    {"[RELEVIX]\nCOLUNAS=15\nLINHAS=4\nUSABRAILLEANTIGO=S\nTEXTOINGLES=S\n",
     "Outra \"coisa (aberta\nsem fim\nAgora 12.5 e 1.000\n<F+>\nlinhas que se juntam e se cortam de novo\n"},
};

TEST(PrintJobs, TwoJobsInOneProcessGiveTheBytesOfTwoSeparateRuns) {
  TempDir work, windir;
  std::vector<std::string> separateRuns;
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i);
    WriteFile(work.File("sonara" + n + ".ini"), kDocuments[i].settings);
    WriteFile(work.File("texto" + n + ".txt"), kDocuments[i].text);
    const CliResult run =
        RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "'",
               "print --settings sonara" + n + ".ini --copies 2 --device saida" + n + ".brf texto" + n + ".txt");
    ASSERT_EQ(run.status, 0) << run.output;
    separateRuns.push_back(ReadFile(work.File("saida" + n + ".brf")));
    ASSERT_FALSE(separateRuns.back().empty());
  }
  EXPECT_NE(separateRuns[0], separateRuns[1]);

  // The same settings as the runs read them, the same tables; the copies of
  // the two jobs interleaved in one process.
  struct Job {
    PrintSettings settings;
    CodeTable table;
    std::string bytes;
  };
  Job jobs[2];
  std::vector<ReplacedSetting> replaced;
  for (int i = 0; i < 2; ++i) {
    SetSuiteSettingsFile(work.File("sonara" + std::to_string(i) + ".ini"));
    jobs[i].settings = ReadPrintSettings(replaced);
    NormalisePagination(jobs[i].settings);
    ASSERT_TRUE(LoadCodeTable(CodeTablePath(jobs[i].settings), jobs[i].table).Whole());
  }
  SetSuiteSettingsFile("");
  MemorySink first(jobs[0].bytes), second(jobs[1].bytes);
  NobodyJobUser nobody;
  PrintJob firstJob(jobs[0].settings, jobs[0].table, first, nobody);
  PrintJob secondJob(jobs[1].settings, jobs[1].table, second, nobody);
  for (int copy = 0; copy < 2; ++copy) {
    for (int i = 0; i < 2; ++i) {
      InputFile input;
      ASSERT_TRUE(input.Open(work.File("texto" + std::to_string(i) + ".txt")));
      EXPECT_EQ((i == 0 ? firstJob : secondJob).PrintCopy(input), CopyEnd::Complete);
    }
  }
  EXPECT_EQ(jobs[0].bytes, separateRuns[0]);
  EXPECT_EQ(jobs[1].bytes, separateRuns[1]);
}

// Write errors: the device is /dev/full; the answers come from the test's
// key source.
class WriteErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    printSettings = PrintSettings{};
    codeTable = CodeTable{};
  }
  void TearDown() override {
    SetKeySource(nullptr);
    printSettings = PrintSettings{};
  }

  // Prints text once on /dev/full through the console's user; how the copy
  // ended.
  CopyEnd PrintOnFullDevice(const std::string& text) {
    WriteFile(dir_.File("texto.txt"), text);
    InputFile input;
    EXPECT_TRUE(input.Open(dir_.File("texto.txt")));
    EXPECT_TRUE(DeviceOpen("/dev/full"));
    DeviceSink device;
    ConsoleJobUser user;
    testing_support::ConsoleCapture capture;
    const CopyEnd end = PrintJob(printSettings, codeTable, device, user).PrintCopy(input);
    DeviceClose();
    console_ = capture.Text();
    return end;
  }

  TempDir dir_;
  std::string console_;
};

int keysAsked = 0;
std::string redirectedOutput;

// Points the descriptor that writes to /dev/full at a fresh file, so that
// the first write fails and the later ones succeed; then answers ENTER.
int RedirectAndContinue() {
  ++keysAsked;
  DIR* descriptors = opendir("/proc/self/fd");
  if (descriptors == nullptr) return 13;
  while (const dirent* entry = readdir(descriptors)) {
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    char target[64] = {};
    if (readlink(link.c_str(), target, sizeof target - 1) > 0 && std::string(target) == "/dev/full") {
      const int file = open(redirectedOutput.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(file, std::stoi(entry->d_name));
      close(file);
    }
  }
  closedir(descriptors);
  return 13;
}

TEST_F(WriteErrorTest, AnsweredWithEnterLeavesOutTheFailedLine) {
  keysAsked = 0;
  redirectedOutput = dir_.File("depois.brl");
  SetKeySource(RedirectAndContinue);
  EXPECT_EQ(PrintOnFullDevice("um\r\ndois\r\n"), CopyEnd::Complete);
  EXPECT_EQ(keysAsked, 1);
  EXPECT_EQ(ReadFile(redirectedOutput), L("dois") + kFF);
  // The message names the device and why it refused the line.
  EXPECT_NE(console_.find(Utf8FromWindows1252(GetMessage("BRERRESC") + ": /dev/full: disco cheio\n" +
                                              GetMessage("BRESCCAN") + "\n")),
            std::string::npos)
      << console_;
}

TEST_F(WriteErrorTest, AnsweredWithEnterAsksForEveryFailedLine) {
  keysAsked = 0;
  SetKeySource([] {
    ++keysAsked;
    return 13;
  });
  printSettings.TITULA = true;
  printSettings.LINHAS = 2;
  // Two pages of a header and a line; the form feeds are not asked about.
  EXPECT_EQ(PrintOnFullDevice("um\r\ndois\r\n"), CopyEnd::Complete);
  EXPECT_EQ(keysAsked, 4);
}

TEST_F(WriteErrorTest, AnsweredWithEscapeCancelsTheJob) {
  keysAsked = 0;
  SetKeySource([] {
    ++keysAsked;
    return 27;
  });
  EXPECT_EQ(PrintOnFullDevice("um\r\ndois\r\ntres\r\n"), CopyEnd::Cancelled);
  // Asked once: nothing more is written after ESC.
  EXPECT_EQ(keysAsked, 1);
  EXPECT_NE(console_.find("Erro de escrita no dispositivo de impress"), std::string::npos) << console_;

  // The programs end such a job with the status of a cancelled print.
  WriteFile(dir_.File("texto.txt"), "um\r\n");
  printSettings.DISPSAIDA = "/dev/full";
  testing_support::ConsoleCapture capture;
  EXPECT_EQ(PrintDocument(dir_.File("texto.txt")), kPrintCancelled);
  EXPECT_EQ(capture.Text().find(Utf8FromWindows1252(GetMessage("BRFIMTRA"))), std::string::npos) << capture.Text();
}

}  // namespace
