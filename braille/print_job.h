// A print job: the settings, the code table, the output and the user it
// reports to, and the state of the copy being made (reader, transcription,
// page composer). Nothing here is program-wide, so two jobs can run in one
// process, one after the other or side by side.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "braille/code_table.h"
#include "braille/print_settings.h"
#include "braille/transcription.h"

class EmbosserPages;
class InputFile;
class JobUser;
class OutputSink;
class PageSink;
class TextReader;
struct DotPicture;
struct LayoutCommand;

// Per-copy state of the page composer, reset as each copy begins; layout commands
// change it too.
struct ComposerState {
  int pageNumber = 0;       // numbering counter: printed as pageNumber + BRNUMINI - 1
  int pageCount = 0;        // pages begun in this copy: page range, sides, form feeds
  int lineOnPage = 0;       // 0 before the first page, else 1 + lines passed on this page
  std::string pendingText;  // the open paragraph, transcribed, not yet cut into lines
  bool centerLine = false;  // the current input line is to be centred
  int lineWidth = 0;        // body width: columns less the margin
  std::string marginPrefix;
  std::string currentTitle;
  int printPageNumber = 0;  // ink-print page number for the header; 0 = none
  int pendingPrintPage = 0;   // the ink-print page of the text last added to pendingText
  int lastLinePrintPage = 0;  // the ink-print page of the last body line or picture laid out
  bool titlesOn = false;
  bool autoReformat = false;
  bool syllableSeparation = false;
  bool englishStyle = false;
  bool continuationIndent = false;
  int pagesInRange = 0;     // pages begun within the page range: the pages embossed
  bool textPastRange = false;  // text was laid out on a page after the range
  bool anyContent = false;  // the document held text or a picture, not only blank lines
  std::string openingTitle; // the title in force where the text began
  bool pageHasBody = false; // the current page holds a line that is no header
};

// Told by the composer where volumes end, for a caller that lays a book out
// in volumes. Pages are counted as ComposerState::pageCount counts them.
class VolumeWatcher {
 public:
  virtual ~VolumeWatcher() = default;
  // A page is about to begin after pagesBegun pages: true ends the volume
  // first.
  virtual bool EndVolumeBefore(int pagesBegun) = 0;
  // A page has begun; pageNumber is its ComposerState::pageNumber.
  virtual void PageBegun(int pageNumber) = 0;
  // A volume has ended after pagesBegun pages (a blank back page included).
  virtual void VolumeEnded(int pagesBegun) = 0;
};

// How a copy ended.
enum class CopyEnd {
  Complete,        // the whole text was laid out
  PageRangeEnded,  // the text goes on past the last page of the range
  ReadFailed,      // the input could not be read to its end
  Cancelled,       // the user gave the job up (after a write error, or between lines)
};

// Hands one composed line to pages: after a write error the user decides
// whether to go on without it; then the pacing pause, and the question
// whether to keep printing. False when the user gave the job up.
bool DeliverLine(PageSink& pages, JobUser& user, int pauseMilliseconds, std::string_view line);

class PrintJob {
 public:
  // Every reference must outlive the job. The pages go to output as the
  // embosser's bytes through codeTable.
  PrintJob(const PrintSettings& settings, const CodeTable& codeTable, OutputSink& output, JobUser& user);
  // The pages go to pages, which maps the cells itself (codeTable is then
  // what tells the cells of a line).
  PrintJob(const PrintSettings& settings, const CodeTable& codeTable, PageSink& pages, JobUser& user);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  // Prints one copy of the open input file, from its start.
  CopyEnd PrintCopy(InputFile& input);

  // The composer state as the last copy left it.
  const ComposerState& State() const { return composerState; }

  // A copy composed a line at a time, for a caller that reads the lines
  // itself and may go back to an earlier one: BeginCopy, ComposeLine for
  // each line, FinishCopy (the last paragraph written, the last page ended;
  // the sheet's blank back is the caller's, who knows the pages it keeps).
  void BeginCopy(const std::string& inputName);
  void ComposeLine(std::string line);
  void FinishCopy();

  // Where the composition stands between two lines; GoBackTo makes it stand
  // there again (the pages made since are the caller's to take back).
  struct Mark {
    ComposerState composer;
    TranscriptionState transcription;
  };
  Mark Where() const { return {composerState, transcriptionState}; }
  void GoBackTo(const Mark& mark);

  // With a watcher, pages are laid out in volumes: it decides where a volume
  // ends at a page end, and <V> ends one. Without, <V> begins a new page.
  void SetVolumeWatcher(VolumeWatcher* watcher) { volumeWatcher_ = watcher; }
  // The open paragraph and page end, and with them the volume: with
  // interpoint printing it ends on a full sheet.
  void EndVolume();

 private:
  // The page composer (brImprim.cpp).
  void ResetComposerState();
  int ComposerColumns() const;
  void CloseVolume();
  void ProcessTextLine(const std::string& line);
  void FlushPending(bool force);
  void StartNewPage();
  void WriteBrailleLine(std::string_view text);
  void WriteHeader();
  bool TextRemains();
  void FinishDocument();
  void AddBlankBackPage();
  bool PageInRange(int pageCount) const;
  std::string TranscribeText(std::string_view text, bool englishStyle);
  void EndPage();

  // Layout commands and pictures (print_job.cpp).
  bool ApplyCommand(const LayoutCommand& command);
  void EndParagraph();
  bool ApplyPicture(const LayoutCommand& command);
  bool ReadPicture(const LayoutCommand& command, DotPicture& picture, const CodeTable*& deviceTable);
  const CodeTable* PictureTable();

  const PrintSettings& settings_;
  const CodeTable& codeTable_;
  std::unique_ptr<EmbosserPages> embosser_;  // when the job was given device bytes
  PageSink& pages_;
  JobUser& user_;

  ComposerState composerState;
  TranscriptionState transcriptionState;
  TextReader* reader_ = nullptr;  // during PrintCopy
  std::string inputName_;         // the text's file, beside which pictures are looked for
  bool writingHeader_ = false;    // a header alone is no text of the document
  bool cancelled_ = false;        // the user gave the job up
  VolumeWatcher* volumeWatcher_ = nullptr;
  // Pictures are drawn with the current-rules table; with the old rules in
  // force it is loaded at the first picture.
  std::optional<CodeTable> currentRulesTable_;
  bool currentRulesTableFailed_ = false;
};
