// Throughput of the whole printing pipeline (reader, transcription, line
// breaking, pages and headers, code table, file device) on a generated
// Portuguese book of about 5 MB, in the embosser's bytes and as BRF, PEF and
// Unicode Braille files, beside liblouis's lou_translate with the Portuguese
// grade 1 table on the same text, when it is installed.
//
//   relevix_bench_print [MEGABYTES]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "devices/brdevice.h"
#include "formats/formatted_output.h"
#include "platform/paths.h"
#include "platform/suite_settings.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> LoadWords() {
  std::vector<std::string> words;
  std::ifstream list("/usr/share/dict/brazilian");
  std::string word;
  while (std::getline(list, word)) {
    if (!word.empty() && word.size() < 16) words.push_back(word);
  }
  if (words.empty()) {
    for (const char* w : {"casa", "rio", "cidade", "ação", "coração", "pão", "escola", "livro", "Braille",
                          "página", "linha", "título", "ponte", "criança"}) {
      words.emplace_back(w);
    }
  }
  return words;
}

// A book of paragraphs of sentences: capitals, numbers, commas, quotes and
// a chapter title now and then; UTF-8, as a Linux user would have it.
std::string MakeBook(std::size_t bytes) {
  const std::vector<std::string> words = LoadWords();
  std::uint32_t seed = 12345;
  auto next = [&seed](std::uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
  };
  std::string book;
  int chapter = 1;
  while (book.size() < bytes) {
    if (next(40) == 0) book += "            CAP\xC3\x8DTULO " + std::to_string(chapter++) + "\n\n";
    std::string paragraph = " ";
    const int sentences = 3 + static_cast<int>(next(5));
    for (int s = 0; s < sentences; ++s) {
      const int length = 6 + static_cast<int>(next(14));
      for (int w = 0; w < length; ++w) {
        std::string word = words[next(static_cast<std::uint32_t>(words.size()))];
        if (w == 0 && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 32);
        if (next(25) == 0) word = std::to_string(next(3000));
        if (next(60) == 0) word = "\"" + word + "\"";
        paragraph += word;
        paragraph += (w + 1 < length && next(9) == 0) ? ", " : " ";
      }
      paragraph.back() = '.';
      paragraph += ' ';
    }
    paragraph.back() = '\n';
    book += paragraph;
  }
  return book;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double TimePipeline(const PrintSettings& settings, const CodeTable& table, const std::string& input,
                    const std::string& output, OutputFormat format) {
  const auto start = Clock::now();
  InputFile file;
  if (!file.Open(input) || !DeviceOpen(output)) {
    std::fprintf(stderr, "cannot open the book or the output\n");
    std::exit(1);
  }
  DeviceSink device;
  NobodyJobUser user;
  FormattedOutput formatted(format, settings, table, false, settings.BRTIT, device);
  PrintJob(settings, table, formatted.Pages(), user).PrintCopy(file);
  formatted.Finish();
  DeviceClose();
  return Seconds(Clock::now() - start);
}

double TimeLouis(const std::string& input) {
  if (std::system("command -v lou_translate >/dev/null 2>&1") != 0) return -1;
  const std::string command = "lou_translate --forward pt-pt-g1.utb < '" + input + "' > /dev/null 2>&1";
  const auto start = Clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return Seconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const double megabytes = argc > 1 ? std::atof(argv[1]) : 5.0;
  char dirTemplate[] = "/tmp/relevix-bench-XXXXXX";
  if (mkdtemp(dirTemplate) == nullptr) return 1;
  const std::string dir = dirTemplate;
  const std::string bookPath = dir + "/livro.txt";
  const std::string book = MakeBook(static_cast<std::size_t>(megabytes * 1e6));
  std::ofstream(bookPath, std::ios::binary) << book;

  std::ofstream(dir + "/SONARA.INI") << "[RELEVIX]\nCOLUNAS=34\nLINHAS=28\nAUTOFORMATA=S\nTITULA=S\n"
                                        "FRENTEVERSO=S\nTITULOATRAS=S\nSEPARASILABAS=S\n";
  InitStartupDirectory();
  SetSuiteSettingsFile(dir + "/SONARA.INI");
  std::vector<ReplacedSetting> replaced;
  PrintSettings settings = ReadPrintSettings(replaced);
  settings.BRTIT = "Livro de teste";
  CodeTable table;
  LoadCodeTable(CodeTablePath(settings), table);

  const double mb = static_cast<double>(book.size()) / 1e6;
  struct Run {
    const char* name;
    OutputFormat format;
    const char* file;
  };
  double best = 0;
  for (const Run& run : {Run{"bytes", OutputFormat::Bytes, "livro.bin"}, Run{"brf", OutputFormat::Brf, "livro.brf"},
                         Run{"pef", OutputFormat::Pef, "livro.pef"}, Run{"unicode", OutputFormat::Unicode, "livro-braille.txt"}}) {
    double seconds = 1e9;
    for (int round = 0; round < 3; ++round) {
      seconds = std::min(seconds, TimePipeline(settings, table, bookPath, dir + "/" + run.file, run.format));
    }
    if (run.format == OutputFormat::Bytes) best = seconds;
    std::printf("relevix print pipeline, %-7s: %.2f MB in %.3f s = %.1f MB/s (output %.2f MB), %.2fx the bytes' time\n",
                run.name, mb, seconds, mb / seconds,
                static_cast<double>(std::filesystem::file_size(dir + "/" + run.file)) / 1e6, seconds / best);
  }

  const double louis = TimeLouis(bookPath);
  if (louis > 0) {
    std::printf("lou_translate pt-pt-g1.utb: %.2f MB in %.3f s = %.1f MB/s\n", mb, louis, mb / louis);
    std::printf("ratio: %.1fx\n", louis / best);
  } else {
    std::printf("lou_translate not available: no comparison\n");
  }
  std::filesystem::remove_all(dir);
  return 0;
}
