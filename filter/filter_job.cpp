#include "filter/filter_job.h"

#include <cups/cups.h>
#include <cups/ppd.h>
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <vector>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/output_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "documents/document_text.h"
#include "filter/queue_options.h"
#include "formats/formatted_output.h"
#include "formats/pef_embossing.h"
#include "formats/pef_reader.h"
#include "platform/byte_output.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "platform/text_encoding.h"

namespace {

// A line for the print server: "ERROR: text" or "INFO: text", in UTF-8.
void Tell(std::string_view level, const std::string& windows1252Text) {
  const std::string line = std::string(level) + ": " + Utf8FromWindows1252(windows1252Text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

std::string MessageAbout(std::string_view key, std::string_view detail) {
  std::string text = GetMessage(key);
  if (!detail.empty()) text += ": " + std::string(detail);
  return text;
}

// Nobody to ask: notices become INFO lines, a write error ends the job, and
// the server's cancel (SIGTERM) is heard between lines.
class FilterUser : public JobUser {
 public:
  explicit FilterUser(const volatile int& cancelled) : cancelled_(cancelled) {}
  void Notice(std::string_view messageKey, std::string_view detail) override {
    Tell("INFO", MessageAbout(messageKey, detail));
  }
  bool ContinueAfterWriteError(std::string_view) override { return false; }
  void Pause(int) override {}
  bool KeepPrinting() override { return cancelled_ == 0; }

 private:
  const volatile int& cancelled_;
};

// The PPD's marked choices for the queue's options: its defaults.
std::vector<QueueOption> PpdDefaults(const std::string& path) {
  std::vector<QueueOption> defaults;
  if (path.empty()) return defaults;
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (ppd == nullptr) {
    Tell("INFO", GetMessageWith("FILSEMPP", {path}));
    return defaults;
  }
  ppdMarkDefaults(ppd);
  std::vector<std::string> names;
  for (const QueueSetting& setting : QueueSettings()) names.emplace_back(setting.key);
  names.emplace_back(kJobTitleOption);
  for (const std::string& name : names) {
    if (const ppd_choice_t* choice = ppdFindMarkedChoice(ppd, name.c_str())) defaults.push_back({name, choice->choice});
  }
  ppdClose(ppd);
  return defaults;
}

std::vector<QueueOption> JobOptions(const std::string& text) {
  cups_option_t* parsed = nullptr;
  const int count = cupsParseOptions(text.c_str(), 0, &parsed);
  std::vector<QueueOption> options;
  for (int i = 0; i < count; ++i) options.push_back({parsed[i].name, parsed[i].value});
  cupsFreeOptions(count, parsed);
  return options;
}

// The job's text in a file of its own when it comes on standard input: the
// composer reads it once per copy, after a first look at its encoding.
class SpooledInput {
 public:
  ~SpooledInput() {
    if (!path_.empty()) unlink(path_.c_str());
  }
  // False, with the reason, when standard input cannot be kept.
  bool Take(std::string& problem) {
    const char* tmp = std::getenv("TMPDIR");
    std::string name = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/relevix-cups-XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) {
      problem = name + ": " + std::strerror(errno);
      return false;
    }
    path_ = name;
    char buffer[65536];
    for (;;) {
      const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
      if (got == 0) break;
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 || write(fd, buffer, static_cast<std::size_t>(got)) != got) {
        problem = std::strerror(errno);
        close(fd);
        return false;
      }
    }
    return close(fd) == 0;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The settings of the job: the installed SONARA.INI, the PPD's defaults,
// the job's options. False when an option cannot be used (said).
bool JobSettings(const FilterJob& job, PrintSettings& settings) {
  SetSuiteSettingsFile(DataDirectory() + "/SONARA.INI");
  std::vector<ReplacedSetting> replaced;
  settings = ReadPrintSettings(replaced);
  std::vector<QueueOption> options = PpdDefaults(job.ppd);
  for (QueueOption& option : JobOptions(job.options)) options.push_back(std::move(option));
  std::string error;
  const std::size_t fromFile = replaced.size();
  if (!ApplyQueueOptions(options, Windows1252FromUtf8(job.title), settings, replaced, error)) {
    Tell("ERROR", error);
    return false;
  }
  for (std::size_t i = 0; i < replaced.size(); ++i) {
    const ReplacedSetting& r = replaced[i];
    Tell("INFO", MessageAbout(i < fromFile ? "BRCFGTRO" : "FILOPCAO",
                              GetMessageWith("BRCFGUSO", {r.key, r.written, std::to_string(r.used)})));
  }
  settings.BRNCOP = job.copies < 1 ? 1 : job.copies;
  NormalisePagination(settings);
  return true;
}

}  // namespace

namespace {

// The job's document as the composer reads it: a PEF's own pages, a
// document converted into the job's text, or a plain text file.
struct JobDocument {
  std::string path;  // the file, as the program's system path
  bool pef = false;
  PefBook book;
  DocumentText converted;
};

bool ReadWholeFile(const std::string& linuxPath, std::string& bytes) {
  std::ifstream file(linuxPath, std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  bytes = content.str();
  return !file.bad();
}

// Tells what the document is; false (said) when it cannot be printed. The
// job's title names it, since the file the server hands over has a name of
// the server's.
bool ReadDocument(const std::string& linuxPath, const std::string& shownName, JobDocument& document) {
  document.path = Windows1252FromUtf8(linuxPath);
  std::string bytes;
  if (!ReadWholeFile(linuxPath, bytes)) {
    Tell("ERROR", MessageAbout("BRARQNAO", shownName));
    return false;
  }
  if (LooksLikePef(bytes)) {
    document.pef = true;
    PefProblem problem;
    if (ReadPef(bytes, document.book, problem)) return true;
    std::vector<std::string> values(3);
    for (std::size_t i = 0; i < std::min(values.size(), problem.values.size()); ++i) {
      values[i] = Windows1252FromUtf8(problem.values[i]);
    }
    Tell("ERROR", MessageAbout("PEFRECUS", GetMessageWith(problem.messageKey, {values[0], values[1], values[2]})));
    return false;
  }
  document.converted = ConvertDocument(linuxPath);
  const ConversionResult result = document.converted.result;
  if (result == ConversionResult::PlainText || result == ConversionResult::Converted) return true;
  const NotPrintable why = WhyNotPrintable(document.converted, shownName);
  Tell("ERROR", MessageAbout(why.key, why.about) + (why.more.empty() ? "" : "; " + why.more));
  return false;
}

bool OpenText(const JobDocument& document, InputFile& input) {
  if (document.converted.result == ConversionResult::Converted) {
    input.OpenText(document.path, document.converted.text);
    return true;
  }
  return input.Open(document.path);
}

// The pages of a PEF within the page range, as they are embossed.
int PefPagesInRange(const PefBook& book, const PrintSettings& settings) {
  int count = 0, inRange = 0;
  for (const PefVolume& volume : book.volumes) {
    for (const PefSection& section : volume.sections) {
      for (std::size_t page = 0; page < section.pages.size(); ++page) {
        ++count;
        inRange += count >= settings.BRPAGINI && count <= settings.BRPAGFIN;
      }
    }
  }
  return inRange;
}

// One copy of a text; the pages embossed, or -1 when it failed (said).
int PrintTextCopy(const JobDocument& document, const std::string& shownName, PrintJob& printJob) {
  InputFile input;
  if (!OpenText(document, input)) {
    Tell("ERROR", MessageAbout("BRARQNAO", shownName));
    return -1;
  }
  const CopyEnd end = printJob.PrintCopy(input);
  if (end == CopyEnd::Cancelled) return -1;
  if (end == CopyEnd::ReadFailed) {
    Tell("ERROR", MessageAbout("BRERRLEI", shownName));
    return -1;
  }
  if (!printJob.State().anyContent) {
    Tell("ERROR", GetMessage("BRARQVAZ"));
    return -1;
  }
  if (printJob.State().pagesInRange == 0) {
    Tell("ERROR", GetMessage("BRNENHPG"));
    return -1;
  }
  return printJob.State().pagesInRange;
}

}  // namespace

int RunFilterJob(const FilterJob& job, int outputFd, const volatile int& cancelled) {
  PrintSettings settings;
  if (!JobSettings(job, settings)) return 1;
  CodeTable table;
  const std::string tablePath = CodeTablePath(settings);
  const CodeTableLoad load = LoadCodeTable(tablePath, table);
  if (!load.opened) {
    Tell("ERROR", MessageAbout("BRCNFERR", tablePath));
    return 1;
  }
  if (load.badLine != 0) Tell("INFO", GetMessage("BRERRLIN") + std::to_string(load.badLine));

  SpooledInput spooled;
  std::string linuxPath = job.document;
  if (linuxPath.empty()) {
    std::string problem;
    if (!spooled.Take(problem)) {
      Tell("ERROR", MessageAbout("FILENTRA", problem));
      return 1;
    }
    linuxPath = spooled.Path();
  }
  const std::string shownName = Windows1252FromUtf8(job.title.empty() ? linuxPath : job.title);
  JobDocument document;
  if (!ReadDocument(linuxPath, shownName, document)) return 1;
  // A PEF's rows are cells of the current rules.
  CodeTable currentRules;
  const CodeTable* cellTable = &table;
  if (document.pef && settings.USABRAILLEANTIGO) {
    if (!LoadCodeTable(settings.AMBCODE2, currentRules).opened) {
      Tell("ERROR", MessageAbout("BRCNFERR", settings.AMBCODE2));
      return 1;
    }
    cellTable = &currentRules;
  }

  OutputFormat format = OutputFormat::Bytes;
  if (!settings.FORMATO.empty()) ParseOutputFormat(settings.FORMATO, format);
  std::string bytes;
  MemorySink memory(bytes);
  FilterUser user(cancelled);
  FormattedOutput output(format, settings, *cellTable, settings.USABRAILLEANTIGO && !document.pef, shownName, memory);
  PrintJob printJob(settings, table, output.Pages(), user);
  int pages = 0;
  for (int copy = 1; copy <= settings.BRNCOP; ++copy) {
    if (copy > 1) output.BeginCopy();
    if (document.pef) {
      if (EmbossPefBook(document.book, settings.BRPAGINI, settings.BRPAGFIN, output.Pages(), user) ==
          CopyEnd::Cancelled) {
        return 1;
      }
      pages += PefPagesInRange(document.book, settings);
      continue;
    }
    const int copyPages = PrintTextCopy(document, shownName, printJob);
    if (copyPages < 0) return 1;
    pages += copyPages;
  }
  if (!output.Finish() || !WriteAllBytes(outputFd, bytes)) {
    Tell("ERROR", MessageAbout("FILSAIDA", std::strerror(errno)));
    return 1;
  }
  std::fprintf(stderr, "PAGE: total %d\n", pages);
  Tell("INFO", GetMessage("BRFIMTRA"));
  return 0;
}
