#include "documents/document_text.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "documents/converter_process.h"
#include "documents/layout_text.h"
#include "documents/pandoc_layout.h"
#include "documents/pdf_layout.h"
#include "documents/word_page_breaks.h"
#include "platform/message_texts.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

// pandoc's name of the format it reads.
const char* PandocFormat(DocumentFormat format) {
  switch (format) {
    case DocumentFormat::Word:
      return "docx";
    case DocumentFormat::OpenDocument:
      return "odt";
    case DocumentFormat::Rtf:
      return "rtf";
    case DocumentFormat::Html:
      return "html";
    case DocumentFormat::Epub:
      return "epub";
    default:
      return "markdown";
  }
}

// The first line of what a converter said about its failure.
std::string FirstLine(const std::string& errors) {
  const std::string line = errors.substr(0, errors.find('\n'));
  return SingleSpaced(line.substr(0, 200));
}

void Failed(DocumentText& document, const ProgramRun& run) {
  document.result = ConversionResult::ConverterFailed;
  document.problem = run.timedOut ? Utf8FromWindows1252(GetMessageWith(
                                        "DOCDEMOR", {std::to_string(kConverterTimeLimit.count())}))
                                  : FirstLine(run.errors);
}

void ConvertWithPandoc(const std::string& path, DocumentText& document) {
  if (!ProgramOnPath("pandoc")) {
    document.result = ConversionResult::ConverterMissing;
    document.package = "pandoc";
    return;
  }
  // pandoc would drop a Word document's page breaks: it reads a copy with
  // them marked.
  std::optional<MarkedWordCopy> marked;
  if (document.recognition.format == DocumentFormat::Word) marked.emplace(path);
  const std::string& read = marked && !marked->Path().empty() ? marked->Path() : path;
  // --sandbox: a document may not make pandoc read other files.
  const ProgramRun run =
      RunProgram({"pandoc", "--sandbox", "-f", PandocFormat(document.recognition.format), "-t", "json", read});
  std::optional<std::string> text;
  if (run.exitStatus == 0) text = LayoutFromPandocJson(run.output);
  if (!text) {
    Failed(document, run);
    return;
  }
  document.text = std::move(*text);
  document.result = ConversionResult::Converted;
}

// antiword writes a paragraph a line (with -w 0); catdoc likewise with -w.
void ConvertOldWord(const std::string& path, DocumentText& document) {
  ProgramRun run;
  if (ProgramOnPath("antiword")) {
    run = RunProgram({"antiword", "-m", "UTF-8.txt", "-w", "0", path});
  } else if (ProgramOnPath("catdoc")) {
    run = RunProgram({"catdoc", "-d", "utf-8", "-w", path});
  } else {
    document.result = ConversionResult::ConverterMissing;
    document.package = "antiword";
    return;
  }
  if (run.exitStatus != 0) {
    Failed(document, run);
    return;
  }
  LayoutText layout;
  std::size_t start = 0;
  while (start < run.output.size()) {
    std::size_t end = run.output.find('\n', start);
    if (end == std::string::npos) end = run.output.size();
    layout.Paragraph(std::string_view(run.output).substr(start, end - start));
    start = end + 1;
  }
  document.text = layout.Text();
  document.result = ConversionResult::Converted;
}

void ConvertPdf(const std::string& path, DocumentText& document) {
  PdfText read = ReadPdfText(path);
  document.pages = static_cast<int>(read.pages.size());
  switch (read.result) {
    case PdfRead::Done:
      document.text = LayoutFromPdfPages(std::move(read.pages));
      document.result = ConversionResult::Converted;
      return;
    case PdfRead::NoText:
      document.result = ConversionResult::PdfWithoutText;
      return;
    case PdfRead::Locked:
    case PdfRead::NotOpened:
      document.result = ConversionResult::ConverterFailed;
      document.problem = Utf8FromWindows1252(GetMessage(read.result == PdfRead::Locked ? "DOCPDFSE" : "DOCPDFDA"));
      return;
  }
}

// "imagem PNG": what a refused file is.
std::string RefusedType(const Recognition& recognition) {
  switch (recognition.refused) {
    case RefusedKind::Image:
      return GetMessageWith("DOCTIMG", {recognition.subtype});
    case RefusedKind::Sound:
      return GetMessageWith("DOCTSOM", {recognition.subtype});
    case RefusedKind::Video:
      return GetMessageWith("DOCTVID", {recognition.subtype});
    case RefusedKind::Archive:
      return GetMessageWith("DOCTCMP", {recognition.subtype});
    case RefusedKind::Program:
      return GetMessage("DOCTPRG");
    case RefusedKind::Binary:
      break;
  }
  return GetMessage("DOCTBIN");
}

}  // namespace

bool Printable(const DocumentText& document) {
  return document.result == ConversionResult::PlainText || document.result == ConversionResult::Converted;
}

NotPrintable WhyNotPrintable(const DocumentText& document, const std::string& shownName) {
  switch (document.result) {
    case ConversionResult::Refused:
      return {"DOCNAOTX", shownName + " (" + RefusedType(document.recognition) + ")", {}};
    case ConversionResult::PdfWithoutText:
      return {"DOCPDFIM", shownName, {}};
    case ConversionResult::ConverterMissing:
      return {"DOCERRCV", shownName, GetMessageWith("DOCSEMCV", {document.package})};
    default:
      return {"DOCERRCV", shownName, Windows1252FromUtf8(document.problem)};
  }
}

DocumentText ConvertDocument(const std::string& linuxPath, const std::string& givenName) {
  DocumentText document;
  document.recognition = RecogniseDocument(linuxPath, givenName);
  // Converters are handed a path that cannot be taken for an option.
  std::error_code error;
  const std::string path = std::filesystem::absolute(linuxPath, error).string();
  switch (document.recognition.format) {
    case DocumentFormat::Text:
      document.result = ConversionResult::PlainText;
      break;
    case DocumentFormat::Refused:
      document.result = ConversionResult::Refused;
      break;
    case DocumentFormat::Pdf:
      ConvertPdf(path, document);
      break;
    case DocumentFormat::OldWord:
      ConvertOldWord(path, document);
      break;
    default:
      ConvertWithPandoc(path, document);
      break;
  }
  return document;
}
