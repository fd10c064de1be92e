// The layout commands applied to the copy being composed, and the dot
// pictures they emboss.
#include "braille/print_job.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "braille/dot_picture.h"
#include "braille/embedded_commands.h"
#include "braille/job_user.h"
#include "braille/page_sink.h"
#include "platform/paths.h"

namespace {

using Kind = LayoutCommand::Kind;

void SetSwitch(const LayoutCommand& command, bool& value) {
  if (command.switchTo) value = *command.switchTo;
}

// Where a picture's file is: a name that is not absolute is looked for
// beside the text first (the picture goes with its document), then in the
// current folder.
std::string PicturePath(const std::string& name, const std::string& inputName) {
  const std::filesystem::path picture(LinuxPath(name));
  if (picture.is_absolute() || inputName.empty()) return picture.string();
  const std::filesystem::path besideText = std::filesystem::path(LinuxPath(inputName)).parent_path() / picture;
  std::error_code error;
  if (std::filesystem::is_regular_file(besideText, error)) return besideText.string();
  return picture.string();
}

}  // namespace

// The open paragraph ends before a command that changes the layout.
void PrintJob::EndParagraph() {
  if (composerState.autoReformat && !composerState.pendingText.empty()) FlushPending(true);
}

// True when the line was a command or is to be left out; false when it is
// to be printed as text.
bool PrintJob::ApplyCommand(const LayoutCommand& command) {
  ComposerState& s = composerState;
  switch (command.kind) {
    case Kind::Text:
      return false;
    case Kind::Ignored:
      return true;
    case Kind::NewPage:
      EndParagraph();
      StartNewPage();
      return true;
    case Kind::NewVolume:
      if (volumeWatcher_ != nullptr) {
        EndVolume();
      } else {
        EndParagraph();
        StartNewPage();
      }
      return true;
    case Kind::Title:
      EndParagraph();
      s.currentTitle = command.text;
      return true;
    case Kind::TitlesOff:
    case Kind::TitlesOn:
      EndParagraph();
      s.titlesOn = command.kind == Kind::TitlesOn;
      return true;
    case Kind::NumberedPage:
      EndParagraph();
      s.titlesOn = true;
      s.pageNumber = command.number - 1;
      StartNewPage();
      return true;
    case Kind::Reformat:
      EndParagraph();
      SetSwitch(command, s.autoReformat);
      return true;
    case Kind::SyllableSeparation:
      SetSwitch(command, s.syllableSeparation);
      return true;
    case Kind::ContinuationIndent:
      EndParagraph();
      SetSwitch(command, s.continuationIndent);
      return true;
    case Kind::EnglishStyle:
      SetSwitch(command, s.englishStyle);
      return true;
    case Kind::Margin: {
      // The prefix bytes are not transcribed; at least two cells stay for
      // text.
      if (!s.pendingText.empty()) FlushPending(true);
      const int columns = ComposerColumns();
      s.marginPrefix = command.text.substr(0, static_cast<std::size_t>(columns - 2));
      s.lineWidth = columns - static_cast<int>(s.marginPrefix.size());
      return true;
    }
    case Kind::Picture:
      return ApplyPicture(command);
    case Kind::PrintPageNumber:
      s.printPageNumber = command.number;
      return !command.printedToo;
  }
  return false;
}

// On an odd page the picture goes on the page as it stands; otherwise it
// gets a page of its own and counts as two pages of the numbering. A picture
// drawn as cells on a page already full gets a page of its own too. Like any
// line it is embossed only on a page of the range. A picture that cannot be
// read is said and left out whole: an embosser sent the graphic mode without
// its end would emboss the rest of the job as dots.
bool PrintJob::ApplyPicture(const LayoutCommand& command) {
  EndParagraph();
  DotPicture picture;
  const CodeTable* deviceTable = nullptr;
  if (!ReadPicture(command, picture, deviceTable)) {
    user_.Notice("BRGRFNAO", command.text);
    return true;
  }
  ComposerState& s = composerState;
  if (!s.anyContent) s.openingTitle = s.currentTitle;
  s.anyContent = true;
  s.lastLinePrintPage = s.printPageNumber;
  const bool pageFull = pages_.PicturesAsCells() && s.lineOnPage > settings_.LINHAS;
  const bool ownPage = s.pageNumber % 2 == 0 || pageFull;
  if (ownPage) StartNewPage();
  s.pageHasBody = true;
  const bool embossed = PageInRange(s.pageCount);
  if (embossed) {
    if (!cancelled_) pages_.Picture(picture, command.pictureOption, deviceTable);
  } else if (s.pageCount > settings_.BRPAGFIN) {
    s.textPastRange = true;
  }
  if (ownPage) {
    StartNewPage();
    ++s.pageNumber;
  } else if (embossed) {
    EndPage();
  }
  return true;
}

// The picture's dots, and for the embosser the table its cells are sent
// with; false when the line is malformed or the file cannot be read.
bool PrintJob::ReadPicture(const LayoutCommand& command, DotPicture& picture, const CodeTable*& deviceTable) {
  if (command.pictureMalformed) return false;
  if (!pages_.PicturesAsCells()) {
    deviceTable = PictureTable();
    if (deviceTable == nullptr) return false;
  }
  return ReadDotPicture(PicturePath(command.text, inputName_), picture);
}

// Pictures are drawn with the current-rules table; nullptr (said once) when
// the old rules are in force and that table cannot be read.
const CodeTable* PrintJob::PictureTable() {
  if (!settings_.USABRAILLEANTIGO) return &codeTable_;
  if (!currentRulesTable_ && !currentRulesTableFailed_) {
    CodeTable table;
    if (LoadCodeTable(settings_.AMBCODE2, table).opened) {
      currentRulesTable_ = table;
    } else {
      currentRulesTableFailed_ = true;
      user_.Notice("BRCNFERR", settings_.AMBCODE2);
    }
  }
  return currentRulesTable_ ? &*currentRulesTable_ : nullptr;
}
