// A whole novel laid out in volumes of 40, 60 and 80 sheets, with and
// without interpoint, with its chapters' headings and without them: how
// many volumes, the smallest and the largest (in sheets, the title page's
// included), where each volume ended, and the time of `relevix-cli print`
// beside the same print without volumes (best of five runs each).
//
//   relevix_bench_volumes [WORDS]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/print_settings.h"
#include "platform/suite_settings.h"
#include "tests/support/novel_text.h"
#include "tests/support/test_support.h"
#include "volumes/book_volumes.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

const char* EndName(VolumeEnd end) {
  switch (end) {
    case VolumeEnd::Heading:
      return "heading";
    case VolumeEnd::Paragraph:
      return "paragraph";
    case VolumeEnd::Page:
      return "page";
    case VolumeEnd::Command:
      return "<V>";
    case VolumeEnd::BookEnd:
      return "end";
  }
  return "?";
}

double BestOfFive(const std::vector<std::string>& arguments) {
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
      std::vector<char*> argv;
      for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      freopen("/dev/null", "w", stdout);
      freopen("/dev/null", "w", stderr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "relevix-cli failed (%d)\n", status);
      std::exit(1);
    }
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace

namespace {

void Measure(const testing_support::NovelShape& shape) {
  const std::string novel = testing_support::MakeNovel(shape);
  if (novel.empty()) {
    std::fprintf(stderr, "fortunes-br is not installed\n");
    std::exit(1);
  }
  const TempDir dir;
  WriteFile(dir.File("romance.txt"), novel);
  for (const bool interpoint : {false, true}) {
    const std::string settingsFile = dir.File(interpoint ? "frente_verso.ini" : "frente.ini");
    WriteFile(settingsFile, std::string("[RELEVIX]\nDISPSAIDA=") + dir.File("livro.brf") +
                                "\nCOLUNAS=34\nLINHAS=28\nAUTOFORMATA=S\nTITULA=S\nNUMERAORIG=S\nFRENTEVERSO=" +
                                (interpoint ? "S" : "N") + "\n");
    SetSuiteSettingsFile(settingsFile);
    std::vector<ReplacedSetting> replaced;
    PrintSettings settings = ReadPrintSettings(replaced);
    NormalisePagination(settings);
    CodeTable table;
    LoadCodeTable(CodeTablePath(settings), table);
    const std::vector<std::string> plain = {RELEVIX_CLI, "print", "--settings", settingsFile, "--format", "brf",
                                            dir.File("romance.txt")};
    const double withoutVolumes = BestOfFive(plain);
    int wholePages = 0;
    {
      InputFile input;
      input.Open(dir.File("romance.txt"));
      NobodyJobUser nobody;
      wholePages = ComposeBook(settings, table, true, input, "romance", nobody).volumes.back().lastPage;
    }
    for (const int sheets : {40, 60, 80}) {
      settings.FOLHASPORVOLUME = sheets;
      InputFile input;
      input.Open(dir.File("romance.txt"));
      NobodyJobUser nobody;
      const Book book = ComposeBook(settings, table, true, input, "romance", nobody);
      const int sides = interpoint ? 2 : 1;
      int smallest = 1 << 30, largest = 0, pages = 0;
      std::map<std::string, int> ends;
      for (const BookVolume& volume : book.volumes) {
        const int volumeSheets = (volume.Pages() + sides - 1) / sides + (book.volumes.size() > 1 ? 1 : 0);
        smallest = std::min(smallest, volumeSheets);
        largest = std::max(largest, volumeSheets);
        pages += volume.Pages();
        ++ends[EndName(volume.end)];
      }
      std::vector<std::string> inVolumes = plain;
      inVolumes.insert(inVolumes.end() - 1, {"--sheets-per-volume", std::to_string(sheets)});
      const double withVolumes = BestOfFive(inVolumes);
      std::printf("%s, %s, %d sheets: %zu volumes, %d to %d sheets, %d Braille pages (%d without volumes); ends:",
                  shape.headings ? "chapters with headings" : "no headings", interpoint ? "interpoint" : "one side",
                  sheets, book.volumes.size(), smallest, largest, pages, wholePages);
      for (const auto& [end, count] : ends) std::printf(" %s %d", end.c_str(), count);
      std::printf("; %.3f s beside %.3f s without volumes (%.2fx)\n", withVolumes, withoutVolumes,
                  withVolumes / withoutVolumes);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing_support::NovelShape shape;
  if (argc > 1) shape.words = std::atoi(argv[1]);
  Measure(shape);
  shape.headings = false;
  Measure(shape);
  return 0;
}
