// The page composer: makes one copy of the Braille document, from the lines
// of the open input file to the device bytes: paragraphs, body lines, pages
// with their headers, the page range and front-and-back printing.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "braille/brlebuf.h"
#include "braille/embedded_commands.h"
#include "braille/input_file.h"
#include "braille/job_user.h"
#include "braille/line_breaking.h"
#include "braille/embosser_pages.h"
#include "braille/page_sink.h"
#include "braille/print_job.h"
#include "platform/text_encoding.h"

namespace {

constexpr char kBlank = ' ';
constexpr char kTab = '\t';
constexpr char kBullet = static_cast<char>(149);
constexpr std::size_t kCentringBlanks = 10;  // leading blanks that centre a line
constexpr std::string_view kContinuationIndent = "  ";
// The filler blanks of a header are cut from here, so no run of them is
// longer than 43 cells.
constexpr std::string_view HeaderBlanks = "                                           ";
static_assert(HeaderBlanks.size() == 43);

bool IsOdd(int number) { return number % 2 != 0; }

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
void TrimInputLine(std::string& line, bool autoReformat) {
  TrimTrailingBlanks(line);
  if (!autoReformat) return;
  const std::size_t leading = line.find_first_not_of(kBlank);
  if (leading != std::string::npos && leading >= 3) line.erase(0, leading - 2);
}

bool BeginsCentredLine(std::string_view line) {
  return line.size() > kCentringBlanks && line.find_first_not_of(kBlank) >= kCentringBlanks;
}

std::string Filler(int count) {
  if (count <= 0) return {};
  return std::string(
      HeaderBlanks.substr(0, std::min<std::size_t>(static_cast<std::size_t>(count), HeaderBlanks.size())));
}

}  // namespace

std::string PrintJob::TranscribeText(std::string_view text, bool englishStyle) {
  return Transcribe(text, englishStyle, settings_.USABRAILLEANTIGO, transcriptionState);
}

bool PrintJob::PageInRange(int pageCount) const {
  return pageCount >= settings_.BRPAGINI && pageCount <= settings_.BRPAGFIN;
}

// A job given up writes nothing more.
void PrintJob::EndPage() {
  if (!cancelled_) pages_.EndPage();
}

// Title centred, the page number at the right edge (at the left on a back
// page), the print-edition number at the left edge of a front page.
void PrintJob::WriteHeader() {
  const ComposerState& s = composerState;
  const bool englishStyle = settings_.BRINGLES_CABECALHO;
  const bool backPage = settings_.FRENTEVERSO && !IsOdd(s.pageCount);
  const std::string title = TranscribeText(s.currentTitle, englishStyle);
  std::string printNumber;
  if (settings_.NUMERAORIG && !backPage && s.printPageNumber != 0) {
    printNumber = "  " + TranscribeText(std::to_string(s.printPageNumber), englishStyle);
  }
  // Counted wide: a large first number must not overflow the sum.
  std::string number =
      TranscribeText(std::to_string(static_cast<long long>(s.pageNumber) + settings_.BRNUMINI - 1), englishStyle);
  if (backPage && settings_.AFASTACABECPAR) number.insert(0, "  ");

  const int spare = ComposerColumns() - static_cast<int>(printNumber.size() + title.size() + number.size());
  const int leftFill = spare / 2;
  const std::string left = Filler(leftFill);
  const std::string right = Filler(spare - leftFill);
  std::string header = backPage ? number + left + title + right : printNumber + left + title + right + number;
  TrimTrailingBlanks(header);

  // The header takes the full width: no margin.
  const std::string margin = std::exchange(composerState.marginPrefix, std::string());
  writingHeader_ = true;
  WriteBrailleLine(header);
  writingHeader_ = false;
  composerState.marginPrefix = margin;
}

// Whether anything but blank lines is left to read.
bool PrintJob::TextRemains() {
  while (!reader_->State().atEnd) {
    if (reader_->ReadTextLine().find_first_not_of(" \t\f") != std::string::npos) return true;
  }
  return false;
}

// The input has ended: the last paragraph is written and the last page ended.
void PrintJob::FinishDocument() {
  ComposerState& s = composerState;
  if (s.pageCount <= settings_.BRPAGFIN && !s.pendingText.empty()) FlushPending(true);
  if (s.lineOnPage > 1) {
    // A page after the range is not embossed: ending it would only feed a
    // blank sheet.
    if (s.pageCount <= settings_.BRPAGFIN) EndPage();
    ++s.pageNumber;
  }
}

// With interpoint printing the document ends on a full sheet.
void PrintJob::AddBlankBackPage() {
  const int pageNumber = composerState.pageNumber;
  if (settings_.FRENTEVERSO && pageNumber > 0 && !IsOdd(pageNumber) && !cancelled_) pages_.BlankBackPage();
}

void PrintJob::EndVolume() {
  EndParagraph();
  CloseVolume();
}

// The open page ends, a front page with its blank back (counted and
// numbered as a page), and the next page begins the next volume.
void PrintJob::CloseVolume() {
  ComposerState& s = composerState;
  if (s.lineOnPage == 0) return;
  if (PageInRange(s.pageCount)) EndPage();
  if (settings_.FRENTEVERSO && IsOdd(s.pageCount)) {
    if (PageInRange(s.pageCount + 1) && !cancelled_) pages_.BlankBackPage();
    ++s.pageCount;
    ++s.pageNumber;
  }
  s.lineOnPage = 0;
  s.pageHasBody = false;
  if (volumeWatcher_ != nullptr) volumeWatcher_->VolumeEnded(s.pageCount);
}

// The full width of a line: COLUNAS, but never below 2, since a narrower
// line could not be cut and the cutting would not end.
int PrintJob::ComposerColumns() const { return std::max(settings_.COLUNAS, 2); }

void PrintJob::ResetComposerState() {
  composerState = ComposerState{};
  composerState.titlesOn = settings_.TITULA;
  composerState.autoReformat = settings_.AUTOFORMATA;
  composerState.syllableSeparation = settings_.SEPARASILABAS;
  composerState.englishStyle = settings_.TEXTOINGLES;
  composerState.currentTitle = settings_.BRTIT;
  composerState.lineWidth = ComposerColumns();
}

PrintJob::PrintJob(const PrintSettings& settings, const CodeTable& codeTable, OutputSink& output, JobUser& user)
    : settings_(settings),
      codeTable_(codeTable),
      embosser_(std::make_unique<EmbosserPages>(codeTable, output)),
      pages_(*embosser_),
      user_(user) {}

PrintJob::PrintJob(const PrintSettings& settings, const CodeTable& codeTable, PageSink& pages, JobUser& user)
    : settings_(settings), codeTable_(codeTable), pages_(pages), user_(user) {}

PrintJob::~PrintJob() = default;

void PrintJob::BeginCopy(const std::string& inputName) {
  ResetComposerState();
  transcriptionState = TranscriptionState{};
  cancelled_ = false;
  inputName_ = inputName;
}

void PrintJob::FinishCopy() { FinishDocument(); }

void PrintJob::GoBackTo(const Mark& mark) {
  composerState = mark.composer;
  transcriptionState = mark.transcription;
}

CopyEnd PrintJob::PrintCopy(InputFile& input) {
  BeginCopy(input.Name());
  TextReader reader(input, user_);
  reader_ = &reader;
  while (!reader.State().atEnd && !cancelled_) {
    // Past the last page of the range: reading stops, and the last page is
    // not ended here (its form feed came with the page that followed it).
    // Pages begun are counted, not numbers: a picture's page or a page
    // numbered anew would otherwise stop it on a page of the range.
    if (composerState.pageCount > settings_.BRPAGFIN) break;
    ComposeLine(reader.ReadTextLine());
  }
  if (cancelled_) {
    reader_ = nullptr;
    return CopyEnd::Cancelled;
  }
  const bool stoppedEarly = !reader.State().atEnd;
  if (!stoppedEarly) FinishDocument();
  AddBlankBackPage();
  // The text read after the stop is not laid out: it only tells whether the
  // document went on.
  const bool rangeEnded = composerState.textPastRange || (stoppedEarly && TextRemains());
  reader_ = nullptr;
  if (reader.State().readFailed) return CopyEnd::ReadFailed;
  return rangeEnded ? CopyEnd::PageRangeEnded : CopyEnd::Complete;
}

// One line of the input: a layout command, or text.
void PrintJob::ComposeLine(std::string line) {
  if (settings_.TEXTODOEDIT) line = OemToAnsi(line);
  line = ExpandTabs(line);
  composerState.centerLine = composerState.autoReformat && BeginsCentredLine(line);
  TrimInputLine(line, composerState.autoReformat);
  if (line.empty() || line.front() != '<' || !ApplyCommand(ParseCommand(line))) ProcessTextLine(line);
}

void PrintJob::ProcessTextLine(const std::string& line) {
  ComposerState& s = composerState;
  const bool endsParagraph = line.empty() || line.front() == kBlank || line.front() == kBullet;
  if (s.autoReformat && !s.pendingText.empty() && endsParagraph) FlushPending(true);
  if (line.empty()) {
    FlushPending(true);
    return;
  }
  if (line.find_first_not_of(kBlank) != std::string::npos) {
    if (!s.anyContent) s.openingTitle = s.currentTitle;
    s.anyContent = true;
  }
  std::string_view text = line;
  if (s.autoReformat && text.front() == kBlank && (text.size() == 1 || text[1] != kBlank)) text.remove_prefix(1);
  s.pendingText += TranscribeText(text, s.englishStyle);
  s.pendingPrintPage = s.printPageNumber;
  FlushPending(!s.autoReformat);
}

void PrintJob::FlushPending(bool force) {
  ComposerState& s = composerState;
  std::string text = s.pendingText;
  TrimTrailingBlanks(text);
  do {
    if (s.lineOnPage == 0 || s.lineOnPage > settings_.LINHAS) StartNewPage();
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

void PrintJob::StartNewPage() {
  ComposerState& s = composerState;
  if (volumeWatcher_ != nullptr && s.lineOnPage != 0 && volumeWatcher_->EndVolumeBefore(s.pageCount)) CloseVolume();
  ++s.pageNumber;
  ++s.pageCount;
  const bool pageWasOpen = s.lineOnPage != 0;
  s.lineOnPage = 1;
  s.pageHasBody = false;
  // No form feed before the first page of the copy, nor after a page that
  // lay before or after the range (that would feed a blank sheet).
  const int endedPage = s.pageCount - 1;
  if (pageWasOpen && s.pageCount > settings_.BRPAGINI && endedPage <= settings_.BRPAGFIN) EndPage();
  if (PageInRange(s.pageCount)) {
    ++s.pagesInRange;
    if (!cancelled_) pages_.BeginPage();
  }
  if (volumeWatcher_ != nullptr) volumeWatcher_->PageBegun(s.pageNumber);
  // Headers are made (and counted) outside the range too, so that every page
  // holds the same lines as in a full print.
  const bool headerOnThisSide = IsOdd(s.pageCount) || !settings_.FRENTEVERSO || settings_.TITULOATRAS == 2;
  if (s.titlesOn && headerOnThisSide) WriteHeader();
}

// Counts the line on the page and, within the page range, hands it with
// the margin to the pages; asks the user after a write error.
void PrintJob::WriteBrailleLine(std::string_view text) {
  ++composerState.lineOnPage;
  if (!writingHeader_) {
    composerState.pageHasBody = true;
    // A paragraph's last line may be written after the next print page's
    // number was read: its text still belongs to the page it was read on.
    composerState.lastLinePrintPage = composerState.pendingPrintPage;
  }
  if (cancelled_) return;
  if (!PageInRange(composerState.pageCount)) {
    if (composerState.pageCount > settings_.BRPAGFIN && !writingHeader_ &&
        text.find_first_not_of(' ') != std::string_view::npos) {
      composerState.textPastRange = true;
    }
    return;
  }
  const std::string line = composerState.marginPrefix + std::string(text);
  if (!DeliverLine(pages_, user_, settings_.LINHASPORMINUTO, line)) cancelled_ = true;
}

bool DeliverLine(PageSink& pages, JobUser& user, int pauseMilliseconds, std::string_view line) {
  // Any answer but cancel goes on without the line that failed.
  if (!pages.Line(line) && !user.ContinueAfterWriteError(pages.Problem())) return false;
  // The pause is a 16-bit count of milliseconds.
  if (pauseMilliseconds != 0) user.Pause(static_cast<std::uint16_t>(pauseMilliseconds));
  return user.KeepPrinting();
}
