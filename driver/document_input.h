// The text a job prints: the file itself when it is plain text, else the
// document converted once (Word, OpenDocument, RTF, HTML, EPUB, Markdown,
// PDF) and kept for every copy; a file that is no text is refused before
// anything reaches the device.
#pragma once

#include <string>

class InputFile;

// Recognises and converts the file, once per file name. kPrintDone when it
// can be printed; kPrintNotText when it is refused, a PDF without text, or
// its converter is missing or failed (said, with the file's name).
int PrepareDocument(const std::string& inputFile);

// Says the prepared document's format ("documento do Word", "PDF, 12
// páginas"); a plain text says nothing.
void SayDocumentFormat();

// Opens the job's text for one copy: the converted document, or the file.
bool OpenJobInput(const std::string& inputFile, InputFile& input);

// The converted document's text (UTF-8 with layout commands), or none when
// the prepared file is plain text.
const std::string* ConvertedText();
