#include "formats/pef_writer.h"

#include <libxml/xmlwriter.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "braille/braille_cells.h"
#include "braille/output_sink.h"

namespace {

constexpr const char* kDublinCore = "http://purl.org/dc/elements/1.1/";

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }
const xmlChar* X(const std::string& text) { return X(text.c_str()); }

// XML 1.0 allows no control character but tab and the line ends.
std::string WithoutControlCharacters(std::string_view text) {
  std::string clean;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') clean += c;
  }
  return clean;
}

int WriteToSink(void* context, const char* buffer, int length) {
  auto* sink = static_cast<OutputSink*>(context);
  return sink->Write(std::string_view(buffer, static_cast<std::size_t>(length))) ? length : -1;
}

struct WriterDeleter {
  void operator()(xmlTextWriter* writer) const { xmlFreeTextWriter(writer); }
};

}  // namespace

PefPages::PefPages(const CodeTable& table, bool oldRules, PageSize page, const PefDescription& description,
                   OutputSink& output)
    : CellPages(table, oldRules, page), output_(output), description_(description) {
  OpenVolume();
}

// A volume or section that got no page yet is used for the next pages
// instead: the format allows neither empty.
void PefPages::OpenVolume() {
  if (!volumes_.empty() && volumes_.back().sections.size() == 1 && volumes_.back().sections.back().empty()) return;
  if (!volumes_.empty() && volumes_.back().sections.back().empty()) volumes_.back().sections.pop_back();
  volumes_.emplace_back();
  volumes_.back().sections.emplace_back();
}

void PefPages::OpenSection() {
  if (!volumes_.back().sections.back().empty()) volumes_.back().sections.emplace_back();
}

void PefPages::OpenPage() { volumes_.back().sections.back().emplace_back(); }

// Trailing empty cells are left out of a row.
bool PefPages::Row(const CellPatterns& cells) {
  std::size_t length = cells.size();
  while (length > 0 && cells[length - 1] == 0) --length;
  std::string utf8;
  utf8.reserve(length * 3);
  for (std::size_t i = 0; i < length; ++i) AppendUnicodeCell(utf8, cells[i]);
  Volume& volume = volumes_.back();
  PageRows& page = volume.sections.back().back();
  page.push_back(std::move(utf8));
  volume.widestRow = std::max(volume.widestRow, static_cast<int>(length));
  volume.longestPage = std::max(volume.longestPage, static_cast<int>(page.size()));
  return true;
}

bool PefPages::Finish() {
  CellPages::Finish();
  // A document that got no page at all still needs one to be valid.
  if (volumes_.back().sections.back().empty()) volumes_.back().sections.back().emplace_back();
  return Write();
}

// The rows hold Unicode Braille only, which needs no escaping: they are
// written as they are. Every other text goes through the writer's escaping.
bool PefPages::Write() {
  xmlOutputBuffer* buffer = xmlOutputBufferCreateIO(WriteToSink, nullptr, &output_, nullptr);
  if (buffer == nullptr) return false;
  const std::unique_ptr<xmlTextWriter, WriterDeleter> owner(xmlNewTextWriter(buffer));
  if (!owner) {
    xmlOutputBufferClose(buffer);
    return false;
  }
  xmlTextWriter* w = owner.get();
  int status = 0;
  const auto check = [&status](int result) { status = result < 0 ? -1 : status; };
  check(xmlTextWriterSetIndent(w, 1));
  check(xmlTextWriterStartDocument(w, "1.0", "UTF-8", nullptr));
  check(xmlTextWriterStartElementNS(w, nullptr, X("pef"), X(kPefNamespace)));
  check(xmlTextWriterWriteAttribute(w, X("xmlns:dc"), X(kDublinCore)));
  check(xmlTextWriterWriteAttribute(w, X("version"), X("2008-1")));
  check(xmlTextWriterStartElement(w, X("head")));
  check(xmlTextWriterStartElement(w, X("meta")));
  const std::pair<const char*, std::string> meta[] = {
      {"dc:format", "application/x-pef+xml"},
      {"dc:identifier", WithoutControlCharacters(description_.identifier)},
      {"dc:title", WithoutControlCharacters(description_.title)},
      {"dc:date", description_.date},
      {"dc:language", "pt-BR"},
  };
  for (const auto& [name, value] : meta) check(xmlTextWriterWriteElement(w, X(name), X(value)));
  check(xmlTextWriterEndElement(w));  // meta
  check(xmlTextWriterEndElement(w));  // head
  check(xmlTextWriterStartElement(w, X("body")));
  for (const Volume& volume : volumes_) {
    // The settings' page, wider or longer where a row or a page is: a title
    // wider than the line makes its header row longer.
    const int cols = std::max({Page().cells, volume.widestRow, 1});
    const int rows = std::max({Page().rows, volume.longestPage, 1});
    check(xmlTextWriterStartElement(w, X("volume")));
    check(xmlTextWriterWriteAttribute(w, X("cols"), X(std::to_string(cols))));
    check(xmlTextWriterWriteAttribute(w, X("rows"), X(std::to_string(rows))));
    check(xmlTextWriterWriteAttribute(w, X("rowgap"), X("0")));
    check(xmlTextWriterWriteAttribute(w, X("duplex"), X(description_.duplex ? "true" : "false")));
    for (const Section& section : volume.sections) {
      check(xmlTextWriterStartElement(w, X("section")));
      for (const PageRows& page : section) {
        check(xmlTextWriterStartElement(w, X("page")));
        for (const std::string& row : page) {
          check(xmlTextWriterStartElement(w, X("row")));
          if (!row.empty()) check(xmlTextWriterWriteRaw(w, X(row)));
          check(xmlTextWriterEndElement(w));
        }
        check(xmlTextWriterEndElement(w));
      }
      check(xmlTextWriterEndElement(w));
    }
    check(xmlTextWriterEndElement(w));
  }
  check(xmlTextWriterEndDocument(w));
  check(xmlTextWriterFlush(w));
  return status == 0;
}

std::string PefPages::Problem() const { return output_.Problem(); }
