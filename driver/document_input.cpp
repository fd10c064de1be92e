#include "driver/document_input.h"

#include <utility>

#include "braille/input_file.h"
#include "catalogue/brmsg.h"
#include "documents/document_text.h"
#include "driver/print_document.h"
#include "platform/disk_names.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "speech/speech.h"

namespace {

// The one document the program prints, converted once for all its copies.
struct PreparedDocument {
  std::string name;
  DocumentText document;
};
PreparedDocument prepared;

// Says why the document cannot be printed.
void SayNotPrintable(const std::string& inputFile, const DocumentText& document) {
  const NotPrintable why = WhyNotPrintable(document, ShownSystemName(inputFile));
  ShowMessageAbout(why.key, why.about);
  if (!why.more.empty()) WriteLineAndSpeak(why.more);
}

}  // namespace

int PrepareDocument(const std::string& inputFile) {
  if (prepared.name != inputFile || inputFile.empty()) {
    prepared = PreparedDocument{inputFile, {}};
    // A pipe's bytes are read once, by the job: they are taken as text.
    if (!InputFileReadsAgain(inputFile)) return kPrintDone;
    prepared.document = ConvertDocument(LinuxPath(inputFile));
    if (!Printable(prepared.document)) SayNotPrintable(inputFile, prepared.document);
  }
  return Printable(prepared.document) ? kPrintDone : kPrintNotText;
}

void SayDocumentFormat() {
  const DocumentText& document = prepared.document;
  if (document.result != ConversionResult::Converted) return;
  if (document.recognition.format == DocumentFormat::Pdf) {
    WriteLineAndSpeak(document.pages == 1 ? GetMessage("DOCFPDF1")
                                          : GetMessageWith("DOCFPDF", {std::to_string(document.pages)}));
    return;
  }
  constexpr std::pair<DocumentFormat, const char*> kFormatNames[] = {
      {DocumentFormat::Word, "DOCFWORD"}, {DocumentFormat::OldWord, "DOCFDOC"}, {DocumentFormat::OpenDocument, "DOCFODT"},
      {DocumentFormat::Rtf, "DOCFRTF"},   {DocumentFormat::Html, "DOCFHTML"},   {DocumentFormat::Epub, "DOCFEPUB"},
      {DocumentFormat::Markdown, "DOCFMD"}};
  for (const auto& [format, key] : kFormatNames) {
    if (format == document.recognition.format) ShowMessage(key, 1);
  }
}

bool OpenJobInput(const std::string& inputFile, InputFile& input) {
  if (PrepareDocument(inputFile) != kPrintDone) return false;
  if (const std::string* text = ConvertedText()) {
    input.OpenText(inputFile, *text);
    return true;
  }
  return input.Open(inputFile);
}

const std::string* ConvertedText() {
  return prepared.document.result == ConversionResult::Converted ? &prepared.document.text : nullptr;
}
