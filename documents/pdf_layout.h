// A PDF made into the job's text through poppler: the text of each page in
// reading order, one print page after another, each page's number in the
// original (its label, or its place) as the print-edition number of the
// headers, and words hyphenated at line ends joined again.
#pragma once

#include <string>
#include <vector>

struct PdfPage {
  std::string text;  // UTF-8, lines ended by '\n'
  int number = 0;    // the print-edition number, 0 for none
};

// The layout text of the pages' text.
std::string LayoutFromPdfPages(std::vector<PdfPage> pages);

enum class PdfRead {
  Done,
  NotOpened,  // damaged, or not a PDF
  Locked,     // needs a password
  NoText,     // only pictures: a scanned document
};

struct PdfText {
  PdfRead result = PdfRead::NotOpened;
  std::vector<PdfPage> pages;
};

// The text of every page of the PDF file.
PdfText ReadPdfText(const std::string& linuxPath);
