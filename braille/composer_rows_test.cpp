// Composer rows: small documents with a few settings and the pages they
// give, read from braille/testdata/composer/ (the notation is described at
// the top of each file). Each document is printed by one print job into
// memory with the identity code table, so the device bytes are the internal
// Braille characters; every line is compared cell by cell, and the line ends
// and form feeds byte for byte.
#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "braille/braille_cells.h"
#include "braille/braille_rows_test_support.h"
#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user_test_support.h"
#include "braille/output_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "tests/support/test_support.h"

namespace {

using braille_rows::RowsFile;

const std::vector<std::string> kFiles = {"pages.txt", "layout_commands.txt", "documents.txt"};

using Page = std::vector<std::string>;  // lines of Unicode Braille

// The pages of a document as the rows write them, one entry a line, with
// the number of the line of the rows file (0 for what the embosser gave).
struct ShownLine {
  std::string text;
  int sourceLine = 0;
};

struct Document {
  std::string name;
  int line = 0;  // of the === header
  PrintSettings settings;
  int copies = 1;
  std::string text;  // Windows-1252, every line ended by CR LF
  bool textSeen = false;
  bool noPages = false;
  std::vector<Page> pages;
  std::vector<ShownLine> shown;  // the expected pages, as the rows write them
  int lastLine = 0;
  bool malformed = false;
};

// Yes and no as the settings file writes them.
bool ParseYesNo(std::string_view value, bool& yes) {
  if (value != "S" && value != "N") return false;
  yes = value == "S";
  return true;
}

bool ParseNumber(std::string_view value, int& number) { return ParseSettingsInteger(std::string(value), number); }

// One KEY=value line; false with the reason when the key or value is wrong.
bool ApplySetting(std::string_view line, Document& document, std::vector<std::string>& keysSeen,
                  std::string& problem) {
  std::string_view key;
  std::string_view value;
  if (!braille_rows::SplitAt(line, "=", key, value)) {
    problem = "a setting is written KEY=value";
    return false;
  }
  key = braille_rows::TrimBlanks(key);
  value = braille_rows::TrimBlanks(value);
  for (const std::string& seen : keysSeen) {
    if (seen == key) {
      problem = "the setting " + std::string(key) + " is given twice";
      return false;
    }
  }
  keysSeen.emplace_back(key);
  PrintSettings& s = document.settings;
  const struct {
    std::string_view key;
    bool* yes;
    int* number;
  } kSettings[] = {
      {"COLUNAS", nullptr, &s.COLUNAS},
      {"LINHAS", nullptr, &s.LINHAS},
      {"FRENTEVERSO", &s.FRENTEVERSO, nullptr},
      {"AUTOFORMATA", &s.AUTOFORMATA, nullptr},
      {"TITULA", &s.TITULA, nullptr},
      {"NUMERAORIG", &s.NUMERAORIG, nullptr},
      {"AFASTACABECPAR", &s.AFASTACABECPAR, nullptr},
      {"TEXTOINGLES", &s.TEXTOINGLES, nullptr},
      {"SEPARASILABAS", &s.SEPARASILABAS, nullptr},
      {"USABRAILLEANTIGO", &s.USABRAILLEANTIGO, nullptr},
      {"BRPAGINI", nullptr, &s.BRPAGINI},
      {"BRPAGFIN", nullptr, &s.BRPAGFIN},
      {"BRNUMINI", nullptr, &s.BRNUMINI},
      {"BRNCOP", nullptr, &document.copies},
  };
  for (const auto& setting : kSettings) {
    if (key != setting.key) continue;
    if (setting.yes != nullptr && !ParseYesNo(value, *setting.yes)) {
      problem = std::string(key) + " is S or N";
      return false;
    }
    if (setting.number != nullptr && !ParseNumber(value, *setting.number)) {
      problem = std::string(key) + " is a whole number";
      return false;
    }
    return true;
  }
  if (key == "TITULOATRAS") {
    bool bothSides = false;
    if (!ParseYesNo(value, bothSides)) {
      problem = "TITULOATRAS is S or N";
      return false;
    }
    s.TITULOATRAS = bothSides ? 2 : 1;
    return true;
  }
  if (key == "BRTIT") return braille_rows::PrintText(value, s.BRTIT, problem);
  problem = "unknown setting " + std::string(key) +
            " (COLUNAS, LINHAS, TITULA, BRTIT, AUTOFORMATA, FRENTEVERSO, TITULOATRAS, AFASTACABECPAR, NUMERAORIG, "
            "TEXTOINGLES, SEPARASILABAS, USABRAILLEANTIGO, BRPAGINI, BRPAGFIN, BRNUMINI, BRNCOP)";
  return false;
}

// The rows of one file, document by document.
std::vector<Document> ParseDocuments(const RowsFile& file) {
  std::vector<Document> documents;
  enum class Part { Before, Settings, Text, Pages } part = Part::Before;
  std::vector<std::string> keysSeen;
  auto fail = [&](int line, std::string_view problem) {
    BRAILLE_ROW_FAILURE(file, line) << problem;
    if (!documents.empty()) documents.back().malformed = true;
  };
  for (const braille_rows::SourceLine& line : file.lines) {
    const std::string_view text = line.text;
    if (text.starts_with("===")) {
      documents.emplace_back();
      documents.back().name = std::string(braille_rows::TrimBlanks(text.substr(3)));
      documents.back().line = line.number;
      keysSeen.clear();
      part = Part::Settings;
      if (documents.back().name.empty()) fail(line.number, "a document needs a name after ===");
      continue;
    }
    if (braille_rows::IsCommentOrEmpty(text)) continue;
    if (part == Part::Before) {
      fail(line.number, "everything but comments belongs to a document, which begins with === and its name");
      continue;
    }
    Document& document = documents.back();
    const std::string_view trimmed = braille_rows::TrimBlanks(text);
    if (trimmed.starts_with("---")) {
      const std::string_view marker = braille_rows::TrimBlanks(trimmed.substr(3));
      if (marker == "text") {
        if (part != Part::Settings) fail(line.number, "--- text comes once, after the settings");
        part = Part::Text;
        document.textSeen = true;
      } else if (marker == "no pages") {
        if (part != Part::Text || document.noPages) fail(line.number, "--- no pages comes right after the text");
        document.noPages = true;
        document.shown.push_back({"--- no pages", line.number});
        part = Part::Pages;
      } else if (marker == "page " + std::to_string(document.pages.size() + 1)) {
        if (part == Part::Settings || document.noPages) fail(line.number, "pages come after the text");
        document.pages.emplace_back();
        document.shown.push_back({"--- page " + std::to_string(document.pages.size()), line.number});
        part = Part::Pages;
      } else {
        fail(line.number, "expected --- text, --- no pages or --- page " + std::to_string(document.pages.size() + 1) +
                              " (pages are numbered 1, 2, 3 ... in the order they are embossed)");
      }
      continue;
    }
    if (part == Part::Settings) {
      std::string problem;
      if (!ApplySetting(trimmed, document, keysSeen, problem)) fail(line.number, problem);
      continue;
    }
    if (text.front() != '|') {
      fail(line.number, "a line of the text or of a page begins with |");
      continue;
    }
    const std::string_view content = text.substr(1);
    std::string problem;
    if (part == Part::Text) {
      std::string printLine;
      if (!braille_rows::PrintText(content, printLine, problem)) {
        fail(line.number, "malformed text line: " + problem);
      }
      document.text += printLine + "\r\n";
    } else if (document.noPages) {
      fail(line.number, "a line after --- no pages");
    } else {
      std::string cells;
      if (!braille_rows::BrailleCells(braille_rows::TrimBlanks(content), cells, problem)) {
        fail(line.number, "malformed Braille line: " + problem);
      }
      document.pages.back().push_back(cells);
      document.shown.push_back({"|" + cells, line.number});
    }
    document.lastLine = line.number;
  }
  for (Document& document : documents) {
    if (!document.textSeen || (!document.noPages && document.pages.empty())) {
      BRAILLE_ROW_FAILURE(file, document.line)
          << "a document has --- text and its lines, then --- page 1, --- page 2 ... or --- no pages";
      document.malformed = true;
    }
  }
  return documents;
}

// The device bytes in the notation of the rows: cut at every form feed into
// pages, each line shown as Unicode Braille.
std::vector<ShownLine> ShowDeviceBytes(std::string_view bytes, bool oldRules) {
  if (bytes.empty()) return {{"--- no pages"}};
  std::vector<ShownLine> shown;
  for (int page = 1; !bytes.empty(); ++page) {
    const std::size_t formFeed = bytes.find('\f');
    std::string_view lines = bytes.substr(0, formFeed);
    shown.push_back({"--- page " + std::to_string(page)});
    while (!lines.empty()) {
      const std::size_t lineEnd = lines.find("\r\n");
      if (lineEnd == std::string_view::npos) {
        shown.push_back({"|" + UnicodeBrailleFromInternal(lines, oldRules) + "  (no line end)"});
        break;
      }
      shown.push_back({"|" + UnicodeBrailleFromInternal(lines.substr(0, lineEnd), oldRules)});
      lines.remove_prefix(lineEnd + 2);
    }
    if (formFeed == std::string_view::npos) {
      shown.push_back({"(the last page is not ended by a form feed)"});
      break;
    }
    bytes.remove_prefix(formFeed + 1);
  }
  return shown;
}

std::string Joined(const std::vector<ShownLine>& lines) {
  std::string joined;
  for (const ShownLine& line : lines) joined += line.text + "\n";
  return joined;
}

std::string Print(const Document& document) {
  testing_support::TempDir dir;
  const std::string input = dir.File("texto.txt");
  testing_support::WriteFile(input, document.text);
  std::string received;
  MemorySink memory(received);
  job_user_testing::RecordingUser user;
  const CodeTable identity;
  PrintJob job(document.settings, identity, memory, user);
  for (int copy = 0; copy < document.copies; ++copy) {
    InputFile file;
    EXPECT_TRUE(file.Open(input)) << input;
    job.PrintCopy(file);
  }
  return received;
}

TEST(BrailleRows, Composer) {
  int documentCount = 0;
  for (const RowsFile& file : braille_rows::ReadRowsFiles("composer", kFiles)) {
    const std::vector<Document> documents = ParseDocuments(file);
    if (documents.empty()) ADD_FAILURE() << file.path << " has no documents";
    for (const Document& document : documents) {
      if (document.malformed) continue;
      ++documentCount;
      const std::vector<ShownLine> embossed = ShowDeviceBytes(Print(document), document.settings.USABRAILLEANTIGO);
      const std::vector<ShownLine>& expected = document.shown;
      std::size_t same = 0;
      while (same < expected.size() && same < embossed.size() && expected[same].text == embossed[same].text) ++same;
      if (same < expected.size() || same < embossed.size()) {
        // Reported at the first line that differs, or at the document's end
        // when the embosser gave more.
        const int line = same < expected.size() ? expected[same].sourceLine : document.lastLine;
        BRAILLE_ROW_FAILURE(file, line) << "\"" << document.name << "\" (document at line " << document.line
                                        << ")\nexpected:\n"
                                        << Joined(expected) << "embossed:\n"
                                        << Joined(embossed);
      }
    }
  }
  EXPECT_GT(documentCount, 0);
  std::cout << "[   ROWS   ] " << documentCount << " documents checked\n";
}

}  // namespace
