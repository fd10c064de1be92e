#include "filter/filter_job.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/output_sink.h"
#include "braille/page_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "filter/job_document.h"
#include "filter/queue_options.h"
#include "filter/server_messages.h"
#include "formats/formatted_output.h"
#include "formats/pef_embossing.h"
#include "volumes/book_volumes.h"
#include "volumes/volume_output.h"
#include "platform/byte_output.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"
#include "platform/text_encoding.h"

namespace {

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

// The pages handed on, counted as the print server is told of them: each
// page begun, not the blank backs that complete a sheet, whichever way the
// job is laid out.
class CountedPages : public PageSink {
 public:
  explicit CountedPages(PageSink& pages) : pages_(pages) {}
  int Count() const { return count_; }

  void BeginPage() override {
    ++count_;
    pages_.BeginPage();
  }
  bool Line(std::string_view cells) override { return pages_.Line(cells); }
  void Picture(const DotPicture& picture, char option, const CodeTable* deviceTable) override {
    pages_.Picture(picture, option, deviceTable);
  }
  void EndPage() override { pages_.EndPage(); }
  void BlankBackPage() override { pages_.BlankBackPage(); }
  bool PicturesAsCells() const override { return pages_.PicturesAsCells(); }
  std::string Problem() const override { return pages_.Problem(); }

 private:
  PageSink& pages_;
  int count_ = 0;
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

// The settings of the job: the installed SONARA.INI, the PPD's defaults,
// the job's options. False when an option cannot be used (said).
bool JobSettings(const FilterJob& job, const std::vector<QueueOption>& jobOptions, PrintSettings& settings) {
  SetSuiteSettingsFile(DataDirectory() + "/SONARA.INI");
  std::vector<ReplacedSetting> replaced;
  settings = ReadPrintSettings(replaced);
  std::vector<QueueOption> options = PpdDefaults(job.ppd);
  options.insert(options.end(), jobOptions.begin(), jobOptions.end());
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

// One copy of a text; false when it failed (said).
bool PrintTextCopy(const JobDocument& document, const std::string& shownName, PrintJob& printJob) {
  InputFile input;
  if (!OpenJobText(document, input)) {
    Tell("ERROR", MessageAbout("BRARQNAO", shownName));
    return false;
  }
  const CopyEnd end = printJob.PrintCopy(input);
  if (end == CopyEnd::Cancelled) return false;
  if (end == CopyEnd::ReadFailed) {
    Tell("ERROR", MessageAbout("BRERRLEI", shownName));
    return false;
  }
  if (!printJob.State().anyContent) {
    Tell("ERROR", GetMessage("BRARQVAZ"));
    return false;
  }
  if (printJob.State().pagesInRange == 0) {
    Tell("ERROR", GetMessage("BRNENHPG"));
    return false;
  }
  return true;
}

// A text in volumes, one after another, each copy of a volume before the
// next volume; false when it failed (said).
bool PrintTextInVolumes(const JobDocument& document, const std::string& shownName, const PrintSettings& settings,
                        const CodeTable& table, OutputFormat format, FormattedOutput& output, CountedPages& pages,
                        JobUser& user) {
  InputFile input;
  if (!OpenJobText(document, input)) {
    Tell("ERROR", MessageAbout("BRARQNAO", shownName));
    return false;
  }
  const std::size_t folder = shownName.find_last_of('/');
  std::string title = shownName.substr(folder == std::string::npos ? 0 : folder + 1);
  title = title.substr(0, title.rfind('.'));
  const Book book = ComposeBook(settings, table, format != OutputFormat::Bytes, input, title, user);
  if (book.readFailed) {
    Tell("ERROR", MessageAbout("BRERRLEI", shownName));
    return false;
  }
  if (!book.anyContent) {
    Tell("ERROR", GetMessage("BRARQVAZ"));
    return false;
  }
  std::vector<std::size_t> inRange;
  for (std::size_t volume = 0; volume < book.volumes.size(); ++volume) {
    if (VolumeInRange(book.volumes[volume], settings)) inRange.push_back(volume);
  }
  if (!EmbossVolumes(book, inRange, settings, output, pages, user)) return false;
  if (pages.Count() == 0) {
    Tell("ERROR", GetMessage("BRNENHPG"));
    return false;
  }
  return true;
}

}  // namespace

int RunFilterJob(const FilterJob& job, int outputFd, const volatile int& cancelled) {
  PrintSettings settings;
  const std::vector<QueueOption> jobOptions = JobOptions(job.options);
  if (!JobSettings(job, jobOptions, settings)) return 1;
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
  // The name the submitting program gave the document, among the options.
  std::string givenName;
  for (const QueueOption& option : jobOptions) {
    if (option.name == "document-name-supplied") givenName = option.value;
  }
  if (!ReadJobDocument(linuxPath, givenName, shownName, document)) return 1;
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
  CountedPages pages(output.Pages());
  PrintJob printJob(settings, table, pages, user);
  const bool inVolumes = !document.pef && VolumeBodyPages(settings) > 0;
  if (inVolumes && !PrintTextInVolumes(document, shownName, settings, table, format, output, pages, user)) return 1;
  for (int copy = 1; !inVolumes && copy <= settings.BRNCOP; ++copy) {
    if (copy > 1) output.BeginCopy();
    if (document.pef) {
      if (EmbossPefBook(document.book, settings.BRPAGINI, settings.BRPAGFIN, pages, user) == CopyEnd::Cancelled) {
        return 1;
      }
    } else if (!PrintTextCopy(document, shownName, printJob)) {
      return 1;
    }
  }
  if (!output.Finish() || !WriteAllBytes(outputFd, bytes)) {
    Tell("ERROR", MessageAbout("FILSAIDA", std::strerror(errno)));
    return 1;
  }
  std::fprintf(stderr, "PAGE: total %d\n", pages.Count());
  Tell("INFO", GetMessage("BRFIMTRA"));
  return 0;
}
