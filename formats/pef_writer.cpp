#include "formats/pef_writer.h"

#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <algorithm>
#include <string_view>

#include "braille/output_sink.h"

namespace {

constexpr const char* kDublinCore = "http://purl.org/dc/elements/1.1/";

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

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

}  // namespace

PefPages::PefPages(const CodeTable& table, bool oldRules, PageSize page, const PefDescription& description,
                   OutputSink& output)
    : CellPages(table, oldRules, page), output_(output), duplex_(description.duplex) {
  document_ = xmlNewDoc(X("1.0"));
  xmlNode* root = xmlNewDocNode(document_, nullptr, X("pef"), nullptr);
  xmlDocSetRootElement(document_, root);
  namespace_ = xmlNewNs(root, X(kPefNamespace), nullptr);
  xmlSetNs(root, namespace_);
  xmlNewProp(root, X("version"), X("2008-1"));
  xmlNs* dc = xmlNewNs(root, X(kDublinCore), X("dc"));
  xmlNode* head = xmlNewChild(root, namespace_, X("head"), nullptr);
  xmlNode* meta = xmlNewChild(head, namespace_, X("meta"), nullptr);
  xmlNewTextChild(meta, dc, X("format"), X("application/x-pef+xml"));
  xmlNewTextChild(meta, dc, X("identifier"), X(WithoutControlCharacters(description.identifier).c_str()));
  xmlNewTextChild(meta, dc, X("title"), X(WithoutControlCharacters(description.title).c_str()));
  xmlNewTextChild(meta, dc, X("date"), X(description.date.c_str()));
  xmlNewTextChild(meta, dc, X("language"), X("pt-BR"));
  body_ = xmlNewChild(root, namespace_, X("body"), nullptr);
  OpenVolume();
}

PefPages::~PefPages() { xmlFreeDoc(document_); }

// A volume that got no page yet is used for the next pages instead.
void PefPages::OpenVolume() {
  if (volume_ != nullptr && section_->children == nullptr && section_->prev == nullptr) return;
  if (volume_ != nullptr) {
    if (section_->children == nullptr) {
      xmlUnlinkNode(section_);
      xmlFreeNode(section_);
    }
    SizeVolume();
  }
  volume_ = xmlNewChild(body_, namespace_, X("volume"), nullptr);
  xmlNewProp(volume_, X("cols"), X("1"));
  xmlNewProp(volume_, X("rows"), X("1"));
  xmlNewProp(volume_, X("rowgap"), X("0"));
  xmlNewProp(volume_, X("duplex"), X(duplex_ ? "true" : "false"));
  widestRow_ = longestPage_ = 0;
  section_ = nullptr;
  OpenSection();
}

// A section left without pages would make the document invalid: it is
// used for the next pages instead.
void PefPages::OpenSection() {
  if (section_ != nullptr && section_->children == nullptr) return;
  section_ = xmlNewChild(volume_, namespace_, X("section"), nullptr);
}

// The page size of the settings, wider or longer where a row or a page is:
// a title wider than the line makes its header row longer.
void PefPages::SizeVolume() {
  const int cols = std::max(Page().cells, widestRow_);
  const int rows = std::max(Page().rows, longestPage_);
  xmlSetProp(volume_, X("cols"), X(std::to_string(std::max(cols, 1)).c_str()));
  xmlSetProp(volume_, X("rows"), X(std::to_string(std::max(rows, 1)).c_str()));
}

void PefPages::OpenPage() {
  page_ = xmlNewChild(section_, namespace_, X("page"), nullptr);
  rowsOnPage_ = 0;
}

// Trailing empty cells are left out of a row.
bool PefPages::Row(const CellPatterns& cells) {
  std::size_t length = cells.size();
  while (length > 0 && cells[length - 1] == 0) --length;
  std::string utf8;
  utf8.reserve(length * 3);
  for (std::size_t i = 0; i < length; ++i) AppendUnicodeCell(utf8, cells[i]);
  xmlNewTextChild(page_, namespace_, X("row"), X(utf8.c_str()));
  widestRow_ = std::max(widestRow_, static_cast<int>(length));
  longestPage_ = std::max(longestPage_, ++rowsOnPage_);
  return true;
}

void PefPages::ClosePage() { page_ = nullptr; }

bool PefPages::Finish() {
  CellPages::Finish();
  // A document that got no page at all still needs one to be valid.
  if (section_->children == nullptr) xmlNewChild(section_, namespace_, X("page"), nullptr);
  SizeVolume();
  xmlSaveCtxt* save = xmlSaveToIO(WriteToSink, nullptr, &output_, "UTF-8", XML_SAVE_FORMAT);
  if (save == nullptr) {
    failed_ = true;
    return false;
  }
  const long written = xmlSaveDoc(save, document_);
  const int closed = xmlSaveClose(save);
  failed_ = written < 0 || closed < 0;
  return !failed_;
}

std::string PefPages::Problem() const { return output_.Problem(); }
