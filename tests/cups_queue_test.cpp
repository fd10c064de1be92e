// The Braille embosser queue on a real print server: a private cupsd with
// the filter and the PPD of this build, a queue made by `relevix-cli queue`
// whose device is a file, and jobs submitted with lp over IPP on
// 127.0.0.1. What the queue's device receives must be what `relevix-cli
// print` writes for the same text and settings.
#include <cups/cups.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <thread>

#include "tests/cli_run.h"
#include "tests/support/private_cups_server.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::PrivateCupsServer;
using testing_support::ReadFile;
using testing_support::ScopedEnv;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr const char* kQueue = "braille";
// The print server stops (rather than aborts) a job whose filter failed, so
// that an administrator may restart it; the queue itself goes on.
constexpr ipp_jstate_t kFailed = IPP_JSTATE_STOPPED;

struct JobEnd {
  ipp_jstate_t state = IPP_JSTATE_PENDING;
  std::string message;  // job-printer-state-message: the filter's last ERROR: or INFO: line
};

// The job's end on the private server, waiting twenty seconds at most.
std::optional<JobEnd> WaitForJob(int id) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    JobEnd end;
    if (response != nullptr) {
      if (ipp_attribute_t* state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM)) {
        end.state = static_cast<ipp_jstate_t>(ippGetInteger(state, 0));
      }
      if (ipp_attribute_t* message = ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT)) {
        end.message = ippGetString(message, 0, nullptr);
      }
      ippDelete(response);
    }
    if (end.state >= IPP_JSTATE_STOPPED) return end;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

// A text of several Braille pages with a header title, a list and a margin.
std::string Letter(const std::string& name) {
  std::string text = "<TCarta de " + name + ">\nPrezada senhora,\n\n";
  for (int i = 1; i <= 12; ++i) {
    text += "Parágrafo " + std::to_string(i) +
            ": a reunião da associação será na sexta-feira, às 14h, na sala 3; traga o relatório "
            "do mês e as sugestões de todos.\n\n";
  }
  text += "<M   >\n• primeiro item\n• segundo item\n<M>\nAtenciosamente,\n" + name + "\n";
  return text;
}

class CupsQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = server_.AddRelevixFilter(RELEVIX_FILTER, std::string(RELEVIX_BINARY_DIR) + "/data");
    const std::string error = server_.Start(true);
    if (!error.empty()) GTEST_SKIP() << "no private CUPS scheduler: " << error;
    server_env_.emplace("CUPS_SERVER", server_.SocketPath().c_str());
    cupsSetServer(nullptr);
    const CliResult made = RunCli(work_.path(), Environment(),
                                  "queue --settings '" + data_ + "/SONARA.INI' --name " + kQueue +
                                      " --device 'relevixout:" + server_.OutputFile() + "'");
    ASSERT_EQ(made.status, 0) << made.output << server_.ErrorLog();
    EXPECT_NE(made.output.find("Fila braille criada"), std::string::npos) << made.output;
  }
  void TearDown() override { cupsSetServer(nullptr); }

  std::string Environment() const { return "CUPS_SERVER='" + server_.SocketPath() + "'"; }

  // Submits the file with lp over IPP on 127.0.0.1; the job's number.
  int Submit(const std::string& file, const std::string& options) {
    const CliResult submitted =
        RunShell("lp -h " + server_.TcpAddress() + " -d " + kQueue + " " + options + " '" + file + "'");
    std::smatch match;
    static const std::regex id(R"(request id is braille-(\d+))");
    if (submitted.status != 0 || !std::regex_search(submitted.output, match, id)) {
      ADD_FAILURE() << "lp: " << submitted.output;
      return -1;
    }
    return std::stoi(match[1]);
  }

  // What relevix-cli print writes for the file with the queue's settings
  // file and the extra arguments.
  std::string Printed(const std::string& file, const std::string& settings, const std::string& arguments) {
    const std::string output = work_.File("esperado.bin");
    std::filesystem::remove(output);
    const CliResult printed = RunCli(work_.path(), "", "print --settings '" + settings + "' --device '" + output +
                                                           "' " + arguments + " '" + file + "'");
    EXPECT_EQ(printed.status, 0) << printed.output;
    return ReadFile(output);
  }

  PrivateCupsServer server_;
  TempDir work_;
  std::string data_;
  std::optional<ScopedEnv> server_env_;
};

TEST_F(CupsQueueTest, JobsThroughTheQueueEqualWhatThePrintCommandWrites) {
  const std::string letter = work_.File("carta.txt");
  WriteFile(letter, Letter("Maria"));

  // The queue's defaults: the installed settings.
  const int plain = Submit(letter, "");
  std::optional<JobEnd> end = WaitForJob(plain);
  ASSERT_TRUE(end.has_value()) << server_.ErrorLog();
  EXPECT_EQ(end->state, IPP_JSTATE_COMPLETED) << end->message << server_.ErrorLog();
  const std::string expectedPlain = Printed(letter, data_ + "/SONARA.INI", "");
  ASSERT_FALSE(expectedPlain.empty());
  EXPECT_EQ(ReadFile(server_.OutputFile()), expectedPlain);

  // A teacher's choices for one job: narrow paper, interpoint, pages 2 to
  // 3, two copies, the job's title in the headers.
  std::filesystem::remove(server_.OutputFile());
  const int chosen = Submit(letter,
                            "-n 2 -t 'Convite' -o COLUNAS=24 -o FRENTEVERSO=S -o page-ranges=2-3 "
                            "-o TITULODOTRABALHO=S");
  end = WaitForJob(chosen);
  ASSERT_TRUE(end.has_value()) << server_.ErrorLog();
  EXPECT_EQ(end->state, IPP_JSTATE_COMPLETED) << end->message << server_.ErrorLog();
  std::string settings = ReadFile(data_ + "/SONARA.INI");
  settings = std::regex_replace(settings, std::regex("\nCOLUNAS=[0-9]+"), "\nCOLUNAS=24");
  settings = std::regex_replace(settings, std::regex("\nFRENTEVERSO=N"), "\nFRENTEVERSO=S");
  WriteFile(work_.File("escolhas.ini"), settings);
  const std::string expectedChosen =
      Printed(letter, work_.File("escolhas.ini"), "--copies 2 --pages 2-3 --title Convite");
  EXPECT_EQ(ReadFile(server_.OutputFile()), expectedChosen);
  EXPECT_NE(expectedChosen, expectedPlain);
}

TEST_F(CupsQueueTest, AFailedJobIsMarkedFailedWithItsReasonAndTheQueueGoesOn) {
  const std::string empty = work_.File("vazio.txt");
  WriteFile(empty, "\n\n\n");
  const int failed = Submit(empty, "");
  std::optional<JobEnd> end = WaitForJob(failed);
  ASSERT_TRUE(end.has_value()) << server_.ErrorLog();
  EXPECT_EQ(end->state, kFailed) << server_.ErrorLog();
  EXPECT_EQ(end->message, "O arquivo está vazio");
  EXPECT_EQ(ReadFile(server_.OutputFile()), "");

  // A page range past the end of the text: nothing to emboss either.
  const std::string letter = work_.File("carta.txt");
  WriteFile(letter, Letter("Ana"));
  end = WaitForJob(Submit(letter, "-o page-ranges=40-50"));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->state, kFailed);
  EXPECT_EQ(end->message, "Nenhuma página no intervalo pedido");

  // Several ranges cannot be embossed as one run of pages: said, not guessed.
  end = WaitForJob(Submit(letter, "-o page-ranges=1-2,5"));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->state, kFailed);
  EXPECT_NE(end->message.find("1-2,5"), std::string::npos) << end->message;

  end = WaitForJob(Submit(letter, ""));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->state, IPP_JSTATE_COMPLETED) << end->message;
  EXPECT_EQ(ReadFile(server_.OutputFile()), Printed(letter, data_ + "/SONARA.INI", ""));
}

TEST_F(CupsQueueTest, DocumentsAndBrailleFilesThroughTheQueueAsThePrintCommandMakesThem) {
  // Documents made here by Debian's tools: a Word letter, a PDF, a picture;
  // and the Markdown they were made from.
  const std::string make = "cd '" + work_.path() + "' && ";
  WriteFile(work_.File("carta.md"), "---\ntitle: Convite\n---\n\n# Reunião\n\nA reunião será na sexta-feira.\n\n"
                                    "- café\n- pão de queijo\n");
  WriteFile(work_.File("livro.txt"), Letter("Rita"));
  ASSERT_EQ(RunShell(make + "pandoc -s carta.md -o carta.docx").status, 0);
  ASSERT_EQ(RunShell(make + "gs -q -dNOSAFER -dBATCH -sDEVICE=pdfwrite -o livro.pdf -- "
                            "\"$(ls /usr/share/ghostscript/*/lib/gslp.ps | head -n 1)\" -B livro.txt")
                .status,
            0);
  ASSERT_EQ(RunShell(make + "gs -q -sDEVICE=pnggray -r72 -g16x16 -o foto.png -c showpage").status, 0);
  const std::string settings = data_ + "/SONARA.INI";

  // Markdown is told by its name, which lp hands over with the job.
  for (const char* name : {"carta.docx", "livro.pdf", "carta.md"}) {
    std::filesystem::remove(server_.OutputFile());
    const std::optional<JobEnd> end = WaitForJob(Submit(work_.File(name), ""));
    ASSERT_TRUE(end.has_value()) << server_.ErrorLog();
    EXPECT_EQ(end->state, IPP_JSTATE_COMPLETED) << name << ": " << end->message;
    const std::string expected = Printed(work_.File(name), settings, "");
    EXPECT_FALSE(expected.empty()) << name;
    EXPECT_EQ(ReadFile(server_.OutputFile()), expected) << name;
  }

  // A picture the server knows is refused by the server itself; an archive
  // it cannot name reaches the filter, which refuses it with its reason.
  // Nothing is embossed either way.
  std::filesystem::remove(server_.OutputFile());
  const CliResult picture = RunShell("lp -h " + server_.TcpAddress() + " -d " + kQueue + " '" + work_.File("foto.png") + "'");
  EXPECT_NE(picture.status, 0) << picture.output;
  ASSERT_EQ(RunShell(make + "zip -q arquivo.zip livro.txt").status, 0);
  std::optional<JobEnd> end = WaitForJob(Submit(work_.File("arquivo.zip"), ""));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->state, kFailed);
  EXPECT_EQ(end->message, "Este arquivo não é um texto que eu saiba imprimir: arquivo.zip (arquivo compactado ZIP)");
  EXPECT_EQ(ReadFile(server_.OutputFile()), "");

  // A queue whose device is a file may write a Braille file instead of the
  // embosser's bytes.
  const std::string letter = work_.File("livro.txt");
  end = WaitForJob(Submit(letter, "-o FORMATO=brf"));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->state, IPP_JSTATE_COMPLETED) << end->message;
  EXPECT_EQ(ReadFile(server_.OutputFile()), Printed(letter, settings, "--format brf"));
  std::filesystem::remove(server_.OutputFile());
  end = WaitForJob(Submit(letter, "-o FORMATO=pef"));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->state, IPP_JSTATE_COMPLETED) << end->message;
  const std::string pef = ReadFile(server_.OutputFile());
  EXPECT_NE(pef.find("<pef "), std::string::npos) << pef.substr(0, 300);
  EXPECT_NE(pef.find("xmlns=\"http://www.daisy.org/ns/2008/pef\""), std::string::npos) << pef.substr(0, 300);
  const std::string printedPef = Printed(letter, settings, "--format pef");
  auto pages = [](const std::string& xml) {
    std::size_t count = 0;
    for (std::size_t at = xml.find("<page"); at != std::string::npos; at = xml.find("<page", at + 1)) ++count;
    return count;
  };
  EXPECT_EQ(pages(pef), pages(printedPef));
  EXPECT_GT(pages(pef), 1u);
  // A format the queue does not know is said, not guessed.
  end = WaitForJob(Submit(letter, "-o FORMATO=braille"));
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(end->state, kFailed);
  EXPECT_EQ(end->message, "Formato de saída desconhecido: braille (use bytes, brf, pef ou unicode)");
}

TEST_F(CupsQueueTest, JobsSubmittedTogetherComeOutWholeAndInOrder) {
  const std::string first = work_.File("primeira.txt");
  const std::string second = work_.File("segunda.txt");
  WriteFile(first, Letter("Joana"));
  WriteFile(second, Letter("Pedro"));
  int ids[2] = {-1, -1};
  std::thread other([&] { ids[1] = Submit(second, ""); });
  ids[0] = Submit(first, "");
  other.join();
  for (int id : ids) {
    const std::optional<JobEnd> end = WaitForJob(id);
    ASSERT_TRUE(end.has_value()) << server_.ErrorLog();
    EXPECT_EQ(end->state, IPP_JSTATE_COMPLETED) << end->message;
  }
  const std::string settings = data_ + "/SONARA.INI";
  const std::string one = Printed(first, settings, "");
  const std::string two = Printed(second, settings, "");
  // One whole job after the other, never interleaved. Which goes first is
  // the server's: a job numbered first may still be receiving its document
  // when the other is ready.
  const std::string received = ReadFile(server_.OutputFile());
  EXPECT_TRUE(received == one + two || received == two + one) << received;
}

}  // namespace
