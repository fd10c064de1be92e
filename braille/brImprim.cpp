#include "braille/brImprim.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "braille/brlebuf.h"
#include "braille/code_table.h"
#include "braille/embedded_commands.h"
#include "braille/input_file.h"
#include "braille/line_breaking.h"
#include "braille/print_settings.h"
#include "braille/transcription.h"
#include "catalogue/brmsg.h"
#include "console/console.h"
#include "devices/brdevice.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"

ComposerState composerState;

namespace {

constexpr char kBlank = ' ';
constexpr char kTab = '\t';
constexpr char kBullet = static_cast<char>(149);
constexpr int kWriteErrorExitStatus = 3;
constexpr std::size_t kCentringBlanks = 10;  // leading blanks that centre a line
constexpr std::string_view kContinuationIndent = "  ";
// The filler blanks of a header are cut from here, so no run of them is
// longer than 43 cells.
constexpr std::string_view HeaderBlanks = "                                           ";
static_assert(HeaderBlanks.size() == 43);

bool IsOdd(int number) { return number % 2 != 0; }

bool PageInRange(int pageCount) { return pageCount >= printSettings.BRPAGINI && pageCount <= printSettings.BRPAGFIN; }

void TrimTrailingBlanks(std::string& text) {
  const std::size_t last = text.find_last_not_of(kBlank);
  text.erase(last == std::string::npos ? 0 : last + 1);
}

void TrimBlanks(std::string& text) {
  TrimTrailingBlanks(text);
  text.erase(0, text.find_first_not_of(kBlank));
}

std::string ExpandTabs(std::string_view line) {
  std::string expanded;
  expanded.reserve(line.size());
  for (const char c : line) {
    if (c == kTab) {
      expanded += "  ";
    } else {
      expanded += c;
    }
  }
  return expanded;
}

// Trailing blanks go; with reformatting, leading blanks are cut to two.
void TrimInputLine(std::string& line) {
  TrimTrailingBlanks(line);
  if (!composerState.autoReformat) return;
  const std::size_t leading = line.find_first_not_of(kBlank);
  if (leading != std::string::npos && leading >= 3) line.erase(0, leading - 2);
}

bool BeginsCentredLine(std::string_view line) {
  return line.size() > kCentringBlanks && line.find_first_not_of(kBlank) >= kCentringBlanks;
}

// ESC ends the program after closing what is open; any other key goes on
// without the line that failed.
void AskAfterWriteError() {
  ShowMessageAbout("BRERRESC", DeviceProblem());
  ShowMessage("BRESCCAN", 1);
  if (ReadKey() != kEscapeKey) return;
  CloseInputFile();
  DeviceClose();
  ShutdownSpeech();
  EndConsoleProgram(kWriteErrorExitStatus);
}

std::string Filler(int count) {
  if (count <= 0) return {};
  return std::string(
      HeaderBlanks.substr(0, std::min<std::size_t>(static_cast<std::size_t>(count), HeaderBlanks.size())));
}

std::string TranscribeNumber(long long number, bool englishStyle) {
  return Transcribe(std::to_string(number), englishStyle);
}

// Set while the header is written: a header alone is no text of the document.
bool writingHeader = false;

// Title centred, the page number at the right edge (at the left on a back
// page), the print-edition number at the left edge of a front page.
void WriteHeader() {
  const ComposerState& s = composerState;
  const bool englishStyle = printSettings.headerEnglishStyle;
  const bool backPage = printSettings.FRENTEVERSO && !IsOdd(s.pageCount);
  const std::string title = Transcribe(s.currentTitle, englishStyle);
  std::string printNumber;
  if (printSettings.NUMERAORIG && !backPage && s.printPageNumber != 0) {
    printNumber = "  " + TranscribeNumber(s.printPageNumber, englishStyle);
  }
  // Counted wide: a large first number must not overflow the sum.
  std::string number =
      TranscribeNumber(static_cast<long long>(s.pageNumber) + printSettings.BRNUMINI - 1, englishStyle);
  if (backPage && printSettings.AFASTACABECPAR) number.insert(0, "  ");

  const int spare = ComposerColumns() - static_cast<int>(printNumber.size() + title.size() + number.size());
  const int leftFill = spare / 2;
  const std::string left = Filler(leftFill);
  const std::string right = Filler(spare - leftFill);
  std::string header = backPage ? number + left + title + right : printNumber + left + title + right + number;
  TrimTrailingBlanks(header);

  // The header takes the full width: no margin.
  const std::string margin = std::exchange(composerState.marginPrefix, std::string());
  writingHeader = true;
  WriteBrailleLine(header);
  writingHeader = false;
  composerState.marginPrefix = margin;
}

// Whether anything but blank lines is left to read.
bool TextRemains() {
  while (!readerState.atEnd) {
    if (ReadTextLine().find_first_not_of(" \t\f") != std::string::npos) return true;
  }
  return false;
}

// The input has ended: the last paragraph is written and the last page ended.
void FinishDocument() {
  ComposerState& s = composerState;
  if (s.pageNumber <= printSettings.BRPAGFIN && !s.pendingText.empty()) FlushPending(true);
  if (s.lineOnPage > 1) {
    // A page after the range is not embossed: ending it would only feed a
    // blank sheet.
    if (s.pageCount <= printSettings.BRPAGFIN) DeviceWrite(kFormFeed);
    ++s.pageNumber;
  }
}

// With interpoint printing the document ends on a full sheet.
void AddBlankBackPage() {
  const int pageNumber = composerState.pageNumber;
  if (printSettings.FRENTEVERSO && pageNumber > 0 && !IsOdd(pageNumber)) {
    DeviceWrite(kLineEnd);
    DeviceWrite(kFormFeed);
  }
}

}  // namespace

int ComposerColumns() { return std::max(printSettings.COLUNAS, 2); }

void ResetComposerState() {
  composerState = ComposerState{};
  composerState.titlesOn = printSettings.TITULA;
  composerState.autoReformat = printSettings.AUTOFORMATA;
  composerState.syllableSeparation = printSettings.SEPARASILABAS;
  composerState.englishStyle = printSettings.TEXTOINGLES;
  composerState.currentTitle = printSettings.BRTIT;
  composerState.lineWidth = ComposerColumns();
}

CopyEnd PrintCopy() {
  ResetComposerState();
  ResetTranscriptionState();
  InitReader();
  while (!readerState.atEnd) {
    // Past the last page of the range: reading stops, and the last page is
    // not ended here (its form feed came with the page that followed it).
    if (composerState.pageNumber > printSettings.BRPAGFIN) break;
    std::string line = ReadTextLine();
    if (printSettings.TEXTODOEDIT) line = OemToAnsi(line);
    line = ExpandTabs(line);
    composerState.centerLine = composerState.autoReformat && BeginsCentredLine(line);
    TrimInputLine(line);
    if (line.empty() || line.front() != '<' || !ExecuteCommand(line)) ProcessTextLine(line);
  }
  const bool stoppedEarly = !readerState.atEnd;
  if (!stoppedEarly) FinishDocument();
  AddBlankBackPage();
  // The text read after the stop is not laid out: it only tells whether the
  // document went on.
  const bool rangeEnded = composerState.textPastRange || (stoppedEarly && TextRemains());
  if (readerState.readFailed) return CopyEnd::ReadFailed;
  return rangeEnded ? CopyEnd::PageRangeEnded : CopyEnd::Complete;
}

void ProcessTextLine(const std::string& line) {
  ComposerState& s = composerState;
  const bool endsParagraph = line.empty() || line.front() == kBlank || line.front() == kBullet;
  if (s.autoReformat && !s.pendingText.empty() && endsParagraph) FlushPending(true);
  if (line.empty()) {
    FlushPending(true);
    return;
  }
  std::string_view text = line;
  if (s.autoReformat && text.front() == kBlank && (text.size() == 1 || text[1] != kBlank)) text.remove_prefix(1);
  s.pendingText += Transcribe(text, s.englishStyle);
  FlushPending(!s.autoReformat);
}

void FlushPending(bool force) {
  ComposerState& s = composerState;
  std::string text = s.pendingText;
  TrimTrailingBlanks(text);
  do {
    if (s.lineOnPage == 0 || s.lineOnPage > printSettings.LINHAS) StartNewPage();
    // A blank line never opens a page other than the first.
    if (s.lineOnPage == 1 && s.pageNumber > 1 && text.empty()) {
      s.pendingText.clear();
      return;
    }
    std::string head;
    if (s.centerLine) {
      TrimBlanks(text);
      if (static_cast<int>(text.size()) > s.lineWidth) {
        BreakLine(text, head, s.lineWidth, s.syllableSeparation);
      } else {
        head = std::exchange(text, std::string());
      }
      const int indent = (s.lineWidth - static_cast<int>(head.size())) / 2;
      if (indent > 0) head.insert(0, static_cast<std::size_t>(indent), kBlank);
      WriteBrailleLine(head);
      s.pendingText = text;
    } else if (static_cast<int>(text.size()) > s.lineWidth) {
      BreakLine(text, head, s.lineWidth, s.syllableSeparation);
      WriteBrailleLine(head);
      s.pendingText = text;
      // A line of three cells or fewer would hold nothing but the indent,
      // and the cutting would never end: such lines are not indented.
      if (s.continuationIndent && s.lineWidth > static_cast<int>(kContinuationIndent.size()) + 1) {
        text.insert(0, kContinuationIndent);
      }
    } else {
      if (force) {
        WriteBrailleLine(text);
        s.pendingText.clear();
      } else {
        s.pendingText = text;
      }
      text.clear();
    }
  } while (!text.empty());
  // The joint to the next input line.
  if (!s.pendingText.empty()) s.pendingText += kBlank;
}

void StartNewPage() {
  ComposerState& s = composerState;
  ++s.pageNumber;
  ++s.pageCount;
  const bool pageWasOpen = s.lineOnPage != 0;
  s.lineOnPage = 1;
  // No form feed before the first page of the copy, nor after a page that
  // lay before or after the range (that would feed a blank sheet).
  const int endedPage = s.pageCount - 1;
  if (pageWasOpen && s.pageCount > printSettings.BRPAGINI && endedPage <= printSettings.BRPAGFIN) {
    DeviceWrite(kFormFeed);
  }
  if (PageInRange(s.pageCount)) ++s.pagesInRange;
  // Headers are made (and counted) outside the range too, so that every page
  // holds the same lines as in a full print.
  const bool headerOnThisSide = IsOdd(s.pageCount) || !printSettings.FRENTEVERSO || printSettings.TITULOATRAS == 2;
  if (s.titlesOn && headerOnThisSide) WriteHeader();
}

void WriteBrailleLine(std::string_view text) {
  ++composerState.lineOnPage;
  if (!PageInRange(composerState.pageCount)) {
    if (composerState.pageCount > printSettings.BRPAGFIN && !writingHeader &&
        text.find_first_not_of(' ') != std::string_view::npos) {
      composerState.textPastRange = true;
    }
    return;
  }
  const std::string line = composerState.marginPrefix + std::string(text);
  std::string bytes;
  bytes.reserve(line.size() + kLineEnd.size());
  for (const char c : line) bytes += static_cast<char>(CodeTable[static_cast<unsigned char>(c)]);
  bytes += kLineEnd;
  if (!DeviceWrite(bytes)) AskAfterWriteError();
  // The pause is a 16-bit count of milliseconds.
  if (printSettings.LINHASPORMINUTO != 0) Delay(static_cast<std::uint16_t>(printSettings.LINHASPORMINUTO));
}
