// pandoc reads a Word document's page breaks as nothing. Before it reads
// one, a copy of the document is made in which every page break (a break
// of type page, a paragraph that begins a page) is a mark in the text,
// which the layout makes a new page again.
#pragma once

#include <string>

// A temporary copy of the .docx file with its page breaks marked, removed
// when this goes; empty path when the document has no page break or could
// not be read (pandoc then reads the document itself).
class MarkedWordCopy {
 public:
  explicit MarkedWordCopy(const std::string& linuxPath);
  ~MarkedWordCopy();
  MarkedWordCopy(const MarkedWordCopy&) = delete;
  MarkedWordCopy& operator=(const MarkedWordCopy&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
