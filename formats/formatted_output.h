// The output format of a print job, and the composed pages written in it
// over the output device: the embosser's bytes, or a Braille file (BRF,
// PEF, Unicode Braille text).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "braille/page_sink.h"

class CellPages;
class PefPages;
class OutputSink;
struct CodeTable;
struct PrintSettings;

enum class OutputFormat { Bytes, Brf, Pef, Unicode };

// "bytes", "brf", "pef" or "unicode", in any case; false for any other name.
bool ParseOutputFormat(std::string_view name, OutputFormat& format);

// The format an output name asks for by its extension: .brf, .pef and .txt
// (Unicode Braille); the embosser's bytes for ports, the spooler and any
// other file.
OutputFormat FormatForOutputName(std::string_view deviceName);

class FormattedOutput {
 public:
  // table tells the cells of a line (and the embosser's bytes); title names
  // the book in a PEF (Windows-1252). All references must outlive it.
  FormattedOutput(OutputFormat format, const PrintSettings& settings, const CodeTable& table, bool oldRules,
                  const std::string& title, OutputSink& device);
  ~FormattedOutput();
  FormattedOutput(const FormattedOutput&) = delete;
  FormattedOutput& operator=(const FormattedOutput&) = delete;

  PageSink& Pages() { return *pages_; }
  // A further copy begins (a PEF gives it a section of its own).
  void BeginCopy();
  // A volume of the book begins (a PEF gives it a volume of its own).
  void BeginVolume();
  // Ends the file; false when the device did not take all of it.
  bool Finish();

 private:
  std::unique_ptr<PageSink> pages_;
  CellPages* cells_ = nullptr;  // pages_, when the format holds cells
  PefPages* pef_ = nullptr;     // pages_, when it is a PEF
};
