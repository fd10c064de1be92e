#include "documents/word_page_breaks.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <unistd.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "documents/layout_text.h"

namespace {

constexpr const char* kDocumentPart = "word/document.xml";
constexpr const char* kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

std::string ReadMember(const std::string& path, const char* name) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) return {};
  std::string data;
  zip_stat_t status;
  zip_file_t* member = nullptr;
  if (zip_stat(archive, name, 0, &status) == 0 && (status.valid & ZIP_STAT_SIZE) != 0 &&
      (member = zip_fopen(archive, name, 0)) != nullptr) {
    data.resize(status.size);
    const zip_int64_t count = zip_fread(member, data.data(), data.size());
    data.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    zip_fclose(member);
  }
  zip_close(archive);
  return data;
}

using Document = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;
using Context = std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)>;
using Found = std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)>;

std::vector<xmlNodePtr> Nodes(xmlXPathContext* context, const char* path) {
  std::vector<xmlNodePtr> nodes;
  const Found found(xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path), context), xmlXPathFreeObject);
  if (found && found->nodesetval != nullptr) {
    for (int i = 0; i < found->nodesetval->nodeNr; ++i) nodes.push_back(found->nodesetval->nodeTab[i]);
  }
  return nodes;
}

// <w:t>mark</w:t>
xmlNodePtr MarkText(xmlNsPtr word) {
  xmlNodePtr text = xmlNewNode(word, reinterpret_cast<const xmlChar*>("t"));
  const std::string mark(kPageBreakMark);
  xmlNodeAddContent(text, reinterpret_cast<const xmlChar*>(mark.c_str()));
  return text;
}

// The document part with every page break marked; empty when there is none.
std::string MarkedPart(const std::string& part) {
  const Document document(xmlReadMemory(part.data(), static_cast<int>(part.size()), kDocumentPart, nullptr,
                                        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE),
                          xmlFreeDoc);
  if (!document) return {};
  const Context context(xmlXPathNewContext(document.get()), xmlXPathFreeContext);
  if (!context) return {};
  xmlXPathRegisterNs(context.get(), reinterpret_cast<const xmlChar*>("w"),
                     reinterpret_cast<const xmlChar*>(kWordNamespace));
  const std::vector<xmlNodePtr> breaks = Nodes(context.get(), "//w:r/w:br[@w:type='page']");
  const std::vector<xmlNodePtr> pageStarts =
      Nodes(context.get(), "//w:p/w:pPr/w:pageBreakBefore[not(@w:val='0' or @w:val='false' or @w:val='off')]");
  if (breaks.empty() && pageStarts.empty()) return {};
  for (const xmlNodePtr pageBreak : breaks) {
    xmlNodePtr mark = MarkText(pageBreak->ns);
    xmlReplaceNode(pageBreak, mark);
    xmlFreeNode(pageBreak);
  }
  for (const xmlNodePtr pageStart : pageStarts) {
    // A run with the mark right after the paragraph's properties.
    xmlNodePtr run = xmlNewNode(pageStart->ns, reinterpret_cast<const xmlChar*>("r"));
    xmlAddChild(run, MarkText(pageStart->ns));
    xmlAddNextSibling(pageStart->parent, run);
  }
  xmlChar* written = nullptr;
  int size = 0;
  xmlDocDumpMemoryEnc(document.get(), &written, &size, "UTF-8");
  std::string marked(reinterpret_cast<const char*>(written), written != nullptr ? static_cast<std::size_t>(size) : 0);
  xmlFree(written);
  return marked;
}

}  // namespace

MarkedWordCopy::MarkedWordCopy(const std::string& linuxPath) {
  const std::string marked = MarkedPart(ReadMember(linuxPath, kDocumentPart));
  if (marked.empty()) return;
  std::error_code error;
  std::string path = (std::filesystem::temp_directory_path(error) / "relevix-docx-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) return;
  close(fd);
  std::filesystem::copy_file(linuxPath, path, std::filesystem::copy_options::overwrite_existing, error);
  int zipError = 0;
  zip_t* archive = error ? nullptr : zip_open(path.c_str(), 0, &zipError);
  bool written = false;
  if (archive != nullptr) {
    zip_source_t* source = zip_source_buffer(archive, marked.data(), marked.size(), 0);
    const bool replaced = source != nullptr && zip_file_add(archive, kDocumentPart, source, ZIP_FL_OVERWRITE) >= 0;
    if (source != nullptr && !replaced) zip_source_free(source);
    written = replaced && zip_close(archive) == 0;
    if (!written) zip_discard(archive);
  }
  if (written) {
    path_ = path;
  } else {
    std::filesystem::remove(path, error);
  }
}

MarkedWordCopy::~MarkedWordCopy() {
  if (path_.empty()) return;
  std::error_code error;
  std::filesystem::remove(path_, error);
}
